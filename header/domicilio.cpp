#include "header/domicilio.h"

#include "app/abre_janela.h"
#include "app/widgets/button_states.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_grid.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/db_text.h"
#include "app/widgets/enter_moves_focus.h"
#include "app/widgets/escape_cancels.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "data/data_module.h"
#include "data/dialogs.h"
#include "data/domicile_register.h"
#include "header/pesquisa_municipio.h"
#include "app/window_ui.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

TfDomicilio::TfDomicilio(TfDmDados &dm, Dialogs &dialogs, QWidget *cabecalho)
    : EditingDialog(dm.tbDomicilio, dialogs, Novo | Gravar | Cancelar | Excluir | Retornar | Navegador,
                    u"fDomicilio"_s, u"Domicílios por Período de Referência Fiscal"_s),
      m_dm(dm),
      m_cabecalho(cabecalho),
      tbMunicip(dm.dtbBaseDados, u"Municip.DB"_s),
      m_edMunicipio(campoFixo(u"CodMunicipioAnt"_s, u"edCodMunicipioAnt"_s, 10)),
      m_nomeMunicipio(new DBText(this)),
      m_edTipo(campoFixo(u"TipoDomicilio"_s, u"edTipoDomicilio"_s, 3)),
      m_edDataInicial(campoFixo(u"DataDRFAntI"_s, u"edDataDRFAntI"_s, 11)),
      m_edDataFinal(campoFixo(u"DataDRFAntF"_s, u"edDataDRFAntF"_s, 11)),
      m_nota(new QLabel(u"É necessário informar o(s) município(s) de Domícílios"_s, this)),
      m_grid(new DBGrid(this)),
      m_inicio(m_edDataInicial),
      m_fim(m_edDataFinal),
      m_ligacao(dm.fDomicilio, static_cast<DomicileWindow *>(this))
{

    tbMunicip.setObjectName(u"tbMunicip"_s);
    tbMunicip.setIndexFieldNames(u"Codigo"_s);
    tbMunicip.setMasterSource(&m_dm.tbDomicilio, u"CodMunicipioAnt"_s);

    // The municipality is chosen through the look-up until "&Novo" lets the user key a code.
    m_edMunicipio->setEditable(false);
    m_edTipo->setEditable(false);
    m_edTipo->setFocusPolicy(Qt::NoFocus);

    m_nomeMunicipio->setObjectName(u"DBText1"_s);
    m_nomeMunicipio->setDataField(&tbMunicip, u"Descricao"_s);
    m_nomeMunicipio->setFrameShape(QFrame::StyledPanel);
    m_nomeMunicipio->setFrameShadow(QFrame::Sunken);
    m_nomeMunicipio->setMinimumWidth(280);
    m_nomeMunicipio->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    m_nota->setObjectName(u"lbNota"_s);
    m_nota->setWordWrap(true);

    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->setDataset(&m_dm.tbDomicilio);
    m_grid->setReadOnly(true);
    m_grid->addColumn(u"TipoDomicilio"_s, u"Domicílio"_s, 70, true);
    m_grid->addColumn(u"CodMunicipioAnt"_s, u"Código"_s, 80, true);
    m_grid->addColumn(u"NomeMunicip"_s, u"Descrição"_s, 280, true);
    m_grid->addColumn(u"DataDRFAntI"_s, u"Data inicial"_s, 95, true);
    m_grid->addColumn(u"DataDRFAntF"_s, u"Data final"_s, 95, true);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(6);
    grade->addWidget(ui::rotulo(u"Municipio"_s, m_edMunicipio, this), 0, 0);
    auto *municipio = new QHBoxLayout;
    municipio->addWidget(m_edMunicipio);
    municipio->addWidget(m_nomeMunicipio, 1);
    municipio->addWidget(m_edTipo);
    grade->addLayout(municipio, 0, 1);
    grade->addWidget(ui::rotulo(u"Data Inicial"_s, m_edDataInicial, this), 1, 0);
    auto *periodo = new QHBoxLayout;
    periodo->addWidget(m_edDataInicial);
    periodo->addSpacing(6);
    periodo->addWidget(new QLabel(u"À"_s, this));
    periodo->addSpacing(6);
    periodo->addWidget(ui::rotulo(u"Data Final"_s, m_edDataFinal, this));
    periodo->addWidget(m_edDataFinal);
    periodo->addStretch();
    grade->addLayout(periodo, 1, 1);
    grade->setColumnStretch(1, 1);

    QVBoxLayout *corpo = montaJanela({btNovo(), btGravar(), btCancelar(), btExcluir(), navegador()}, 10);
    corpo->addLayout(grade);
    corpo->addWidget(m_nota);
    corpo->addWidget(m_grid, 1);

    setTabOrder(m_edMunicipio, m_edDataInicial);
    setTabOrder(m_edDataInicial, m_edDataFinal);
    setTabOrder(m_edDataFinal, m_grid);

    connect(m_edMunicipio, &MaskEdit::exited, this, &TfDomicilio::edMunicipioExit);

    EscapeCancels::install(this, btCancelar());
    resize(720, 420);
}

DBEdit *TfDomicilio::campoFixo(const QString &campo, const QString &nome, int largura)
{
    DBEdit *edit = novoCampo(campo, nome, largura);
    const QFontMetrics medida(font());
    edit->setFixedWidth(medida.averageCharWidth() * largura + 16);
    return edit;
}

void TfDomicilio::HabilitaBotoes(bool editing)
{
    EditingDialog::HabilitaBotoes(editing);
    // Without a move there is only the current domicile: no earlier one may be started.
    if (m_dm.semMudancaDomicilio())
        btNovo()->setEnabled(false);
}

// The opener has opened tbDomicilio on the declaration, and the focus goes to the dates only
// when the current domicile is created here: the shared editing window's showing and hiding
// do not fit.
void TfDomicilio::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Table &domicilio = m_dm.tbDomicilio;
    runForUser([this] { ui::abreTabela(tbMunicip); });
    OcultaJanela(m_cabecalho);
    HabilitaBotoes(domicilio.editing());

    if (domicilio.active() && !domicilio.editing() && domicilio.isEmpty()) {
        // The current domicile is the taxpayer's municipality of the header.
        const bool criado = runForUser([this, &domicilio] {
            domicilio.insert();
            domicilio.fieldByName(u"CodMunicipioAnt"_s)
                ->setAsString(m_dm.tbZEF.fieldByName(u"CodigoMunicipio"_s)->asString());
            domicilio.fieldByName(u"TipoDomicilio"_s)->setAsString(letraDomicilio(0));
        });
        if (criado)
            FocaCampo(m_edDataInicial);
    }
}

void TfDomicilio::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] {
        m_dm.tbDomicilio.close();
        tbMunicip.close();
    });
    ReexibeJanela(m_cabecalho);
}

bool TfDomicilio::nomeEmBranco() const
{
    return !tbMunicip.active() || tbMunicip.recNo() == 0
        || tbMunicip.fieldByName(u"Descricao"_s)->asString().trimmed().isEmpty();
}

void TfDomicilio::defineLetra()
{
    Table &domicilio = m_dm.tbDomicilio;
    if (!domicilio.editing())
        return;
    const QString letra = letraDomicilio(contaDomicilios(m_dm.dtbBaseDados, m_dm.anoBase(), m_dm.cgcEmpresa()));
    if (!letra.isEmpty())
        domicilio.fieldByName(u"TipoDomicilio"_s)->setAsString(letra);
}

void TfDomicilio::btNovoClick()
{
    m_edMunicipio->setEditable(true);
    if (runForUser([this] { m_dm.tbDomicilio.append(); }))
        FocaCampo(m_edMunicipio);
}

void TfDomicilio::btGravarClick()
{
    Table &domicilio = m_dm.tbDomicilio;
    if (!commitPendingEdits(this, &domicilio) || !domicilio.editing())
        return;
    if (!ValidaPeriodo(dialogs(), m_inicio, m_fim))
        return;
    bool gravado = false;
    runForUser([&] { gravado = gravaDomicilio(m_dm); });
    if (gravado) {
        if (m_dm.semMudancaDomicilio()) {
            close();
            return;
        }
        // The next earlier domicile follows at once, while there is room for one.
        try {
            if (contaDomicilios(m_dm.dtbBaseDados, m_dm.anoBase(), m_dm.cgcEmpresa()) < 5)
                domicilio.append();
        } catch (const SilentAbort &) {
            // What stopped the new row has been said by its rule; the store stands.
        }
    }
    FocaCampo(m_edMunicipio);
}

void TfDomicilio::btExcluirClick()
{
    if (!ConfirmaDestrutiva(dialogs(), u"Confirma exclusão? "_s))
        return;
    const QString aviso =
        u"A exclusão apagará todos os municípios de Domicilio Fiscal e as operações.\rDeseja continuar? "_s;
    if (CaixaMensagem(dialogs(), aviso, kCaixaExclusao, u"Domicílio"_s) != Dialogs::Button::Ok)
        return;
    runForUser([this] { excluiDomicilios(m_dm, dialogs()); });
}

void TfDomicilio::btRetornarClick()
{
    if (btCancelar()->isEnabled())
        runForUser([this] { m_dm.tbDomicilio.cancel(); });
    close();
}

void TfDomicilio::edMunicipioExit(QWidget *proximo)
{
    Table &domicilio = m_dm.tbDomicilio;
    if (!isVisible() || !domicilio.editing() || proximo == btCancelar())
        return;
    if (!nomeEmBranco()) {
        // A code keyed by hand names its municipality, so no look-up runs; a row being created
        // still takes its place after the stored ones, as a chosen one would.
        if (domicilio.state() == Dataset::State::Insert)
            runForUser([this] { defineLetra(); });
        return;
    }
    // A fresh look-up each time, limited to the municipalities of Vardelo.
    TfPesquisaMunicipio pesquisa(m_dm);
    pesquisa.defineFiltro(u"Codigo<>'1727000' and UF='"_s + u"VD"_s + u"'"_s);
    MostraModal(pesquisa);
    const QString escolhido = pesquisa.resultado();
    runForUser([&] {
        if (!domicilio.editing())
            return;
        domicilio.fieldByName(u"CodMunicipioAnt"_s)->setAsString(escolhido);
        defineLetra();
    });
}

int abreDomicilio(TfDmDados &dm, Dialogs &dialogs, QWidget *cabecalho)
{
    std::unique_ptr<TfDomicilio> janela;
    CriaJanela(janela, dm, dialogs, cabecalho);
    return MostraModal(*janela);
}

} // namespace zef
