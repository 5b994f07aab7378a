#include "header/contribuintes.h"

#include "app/abre_janela.h"
#include "app/widgets/button_states.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_text.h"
#include "app/widgets/enter_moves_focus.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "data/data_module.h"
#include "data/dialogs.h"
#include "data/identifier_checks.h"
#include "data/taxpayer_register.h"
#include "header/pesquisa_atividade.h"
#include "header/pesquisa_contribuinte.h"
#include "header/pesquisa_municipio.h"
#include "app/window_ui.h"
#include "header/register_windows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

// The state code is kept in capitals whatever the keyboard gives.
class EditMaiusculas : public DBEdit
{
public:
    using DBEdit::DBEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QString texto = event->text();
        if (texto.isEmpty() || texto == texto.toUpper()) {
            DBEdit::keyPressEvent(event);
            return;
        }
        QKeyEvent maiuscula(event->type(), event->key(), event->modifiers(), texto.toUpper(),
                            event->isAutoRepeat(), ushort(event->count()));
        DBEdit::keyPressEvent(&maiuscula);
        event->setAccepted(maiuscula.isAccepted());
    }
};

QLabel *descricao(QLabel *texto)
{
    texto->setFrameShape(QFrame::StyledPanel);
    texto->setFrameShadow(QFrame::Sunken);
    texto->setMinimumWidth(260);
    texto->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return texto;
}

} // namespace

TfContribuintes::TfContribuintes(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : EditingDialog(dm.tbEmpresa, dialogs, Novo | Gravar | Cancelar | Excluir | Retornar, u"fContribuintes"_s,
                    u"Contribuintes"_s, parent),
      m_dm(dm),
      tbAtividade(dm.dtbBaseDados, u"atividades20.DB"_s),
      tbMunicip(dm.dtbBaseDados, u"Municip.DB"_s),
      tbTestaEmpresa(dm.dtbBaseDados, u"Empresa.DB"_s),
      m_descAtividade(new DBText(this)),
      m_nomeMunicipio(new DBText(this)),
      m_btPesquisar(botao(u"&Pesquisar"_s, u"btPesquisar"_s)),
      m_ligacao(dm.fContribuintes, static_cast<EditingWindow *>(this))
{

    tbAtividade.setObjectName(u"tbAtividade"_s);
    tbAtividade.setIndexFieldNames(u"CDATIVIDADE"_s);
    tbAtividade.setMasterSource(&m_dm.tbEmpresa, u"CodigoAtividade"_s);
    tbMunicip.setObjectName(u"tbMunicip"_s);
    tbMunicip.setIndexFieldNames(u"Codigo"_s);
    tbMunicip.setMasterSource(&m_dm.tbEmpresa, u"CodigoMunicipio"_s);
    tbTestaEmpresa.setObjectName(u"tbTestaEmpresa"_s);
    tbTestaEmpresa.setIndexFieldNames(u"InscricaoEmpresa"_s);

    m_descAtividade->setObjectName(u"DBText1"_s);
    m_descAtividade->setDataField(&tbAtividade, u"DCATIVIDADE"_s);
    m_descAtividade->setWordWrap(true);
    m_nomeMunicipio->setObjectName(u"DBText2"_s);
    m_nomeMunicipio->setDataField(&tbMunicip, u"Descricao"_s);

    struct Linha {
        QString rotulo;
        QString campo;
        int largura;
        QLabel *ao_lado;
    };
    const QList<Linha> linhas{
        {u"CNPJ/CPF"_s, u"CGCEmpresa"_s, 16, nullptr},
        {u"Inscrição Estadual"_s, u"InscricaoEmpresa"_s, 14, nullptr},
        {u"Razão Social"_s, u"RazaoSocial"_s, 60, nullptr},
        {u"Nome Fantasia"_s, u"NomeFantasia"_s, 50, nullptr},
        {u"Endereço"_s, u"Endereco"_s, 40, nullptr},
        {u"Atividade (CNAE)"_s, u"CodigoAtividade"_s, 11, descricao(m_descAtividade)},
        {u"Município"_s, u"CodigoMunicipio"_s, 10, descricao(m_nomeMunicipio)},
        {u"UF"_s, u"UF"_s, 3, nullptr},
        {u"CEP"_s, u"CEP"_s, 11, nullptr},
        {u"Senha"_s, u"Senha"_s, 6, nullptr},
    };
    QGridLayout *formulario = novoFormulario();
    for (const Linha &l : linhas)
        linhaDoFormulario(*formulario, l.rotulo, campoDaEmpresa(l.campo, l.largura), l.ao_lado);
    campo(u"Senha"_s)->setEchoMode(QLineEdit::Password);

    auto *nota = new QLabel(
        u"O campo senha deverá ser preenchido com a  senha do contribuinte, utilizada na transmissão da QORM."_s, this);
    nota->setObjectName(u"lbNotaSenha"_s);
    nota->setWordWrap(true);

    QVBoxLayout *corpo = montaJanela({btNovo(), btGravar(), m_btPesquisar, btCancelar(), btExcluir()}, 10);
    corpo->addLayout(formulario);
    corpo->addWidget(nota);
    corpo->addStretch();

    connect(m_btPesquisar, &QPushButton::clicked, this, &TfContribuintes::btPesquisarClick);
    connect(campo(u"InscricaoEmpresa"_s), &MaskEdit::exited, this, &TfContribuintes::edInscricaoExit);
    connect(campo(u"CodigoAtividade"_s), &MaskEdit::exited, this, &TfContribuintes::edAtividadeExit);
    connect(campo(u"CodigoMunicipio"_s), &MaskEdit::exited, this, &TfContribuintes::edMunicipioExit);

    defineTabelas({&m_dm.tbEmpresa, &tbAtividade, &tbMunicip, &tbTestaEmpresa});
    resize(760, 520);
}

DBEdit *TfContribuintes::campoDaEmpresa(const QString &nome, int largura)
{
    if (nome != u"UF"_s)
        return novoCampo(nome, largura);
    DBEdit *edit = new EditMaiusculas(&m_dm.tbEmpresa, nome, this);
    edit->setObjectName(u"ed"_s + nome);
    const QFontMetrics medida(font());
    edit->setMinimumWidth(std::min(medida.averageCharWidth() * largura + 16, 460));
    registraCampo(edit);
    return edit;
}

bool TfContribuintes::vazio(const Table &tabela, const QString &campo)
{
    return !tabela.active() || tabela.recNo() == 0 || tabela.fieldByName(campo)->asString().trimmed().isEmpty();
}

// The look-ups open only while a row is being keyed, and not on the way to "&Cancelar".
bool TfContribuintes::continuaEditando(QWidget *proximo) const
{
    return m_dm.tbEmpresa.editing() && proximo != btCancelar() && isVisible();
}

void TfContribuintes::btNovoClick()
{
    if (runForUser([this] { m_dm.tbEmpresa.append(); }))
        FocaCampo(campo(u"InscricaoEmpresa"_s));
}

void TfContribuintes::btGravarClick()
{
    Table &empresa = m_dm.tbEmpresa;
    if (!commitPendingEdits(this, &empresa) || !empresa.editing())
        return;
    runForUser([&] {
        if (const auto recusa = verificaContribuinte(m_dm.dtbBaseDados, empresa)) {
            Mensagem(dialogs(), recusa->mensagem);
            FocaCampo(campo(recusa->campo));
            return;
        }
        // A refused store is undone without a word; the row stays as keyed.
        if (gravaContribuinte(m_dm.dtbBaseDados, empresa) && tbTestaEmpresa.active())
            tbTestaEmpresa.refresh();
    });
}

void TfContribuintes::btPesquisarClick()
{
    detail::registraLiberacao();
    AbreJanela(fPesquisaContribuinte, m_dm);
    const QString escolhido = fPesquisaContribuinte->resultado();
    runForUser([&] { m_dm.tbEmpresa.findKey({escolhido}); });
}

void TfContribuintes::btExcluirClick()
{
    Table &empresa = m_dm.tbEmpresa;
    if (!empresa.active() || empresa.recNo() == 0)
        return;
    std::optional<QString> recusa;
    if (!runForUser([&] {
            recusa = recusaExclusaoContribuinte(m_dm.dtbBaseDados,
                                                empresa.fieldByName(u"InscricaoEmpresa"_s)->asString());
        }))
        return;
    if (recusa) {
        Mensagem(dialogs(), *recusa);
        return;
    }
    if (!ConfirmaDestrutiva(dialogs(), u"Confirma Exclusão?"_s))
        return;
    runForUser([this] {
        m_dm.tbEmpresa.remove();
        if (tbTestaEmpresa.active())
            tbTestaEmpresa.refresh();
    });
}

void TfContribuintes::edInscricaoExit(QWidget *)
{
    if (!isVisible())
        return;
    const QString digitado = campo(u"InscricaoEmpresa"_s)->value();
    Table &empresa = m_dm.tbEmpresa;
    runForUser([&] {
        tbTestaEmpresa.refresh();
        if (tbTestaEmpresa.findKey({digitado})) {
            if (btCancelar()->isEnabled()) {
                empresa.cancel();
                empresa.findKey({digitado});
            }
            return;
        }
        // A new taxpayer being keyed keeps what was typed in it; only a change to a stored
        // taxpayer's number starts a new one.
        if (empresa.state() != Dataset::State::Insert) {
            if (empresa.editing())
                empresa.cancel();
            empresa.insert();
        }
        empresa.fieldByName(u"InscricaoEmpresa"_s)->setAsString(digitado);
    });
}

void TfContribuintes::edAtividadeExit(QWidget *proximo)
{
    if (!continuaEditando(proximo) || !vazio(tbAtividade, u"DCATIVIDADE"_s))
        return;
    detail::registraLiberacao();
    AbreJanela(fPesquisaAtividade, m_dm);
    const QString escolhido = fPesquisaAtividade->resultado();
    runForUser([&] {
        if (m_dm.tbEmpresa.editing())
            m_dm.tbEmpresa.fieldByName(u"CodigoAtividade"_s)->setAsString(escolhido);
    });
}

void TfContribuintes::edMunicipioExit(QWidget *proximo)
{
    if (!continuaEditando(proximo) || !vazio(tbMunicip, u"Descricao"_s))
        return;
    const QString uf = m_dm.tbEmpresa.fieldByName(u"UF"_s)->asString();
    if (!ValidaSiglaUF(uf)) {
        Mensagem(dialogs(), u"UF não informada ou inválida!"_s);
        FocaCampo(campo(u"UF"_s));
        return;
    }
    // A fresh look-up each time, limited to the state's own municipalities.
    detail::registraLiberacao();
    fPesquisaMunicipio.reset();
    TfPesquisaMunicipio &pesquisa = CriaJanela(fPesquisaMunicipio, m_dm);
    pesquisa.defineFiltro(u"UF='"_s + uf + u"' and Codigo<>'9999999' and Codigo<>'1727000'"_s);
    AbreJanela(fPesquisaMunicipio, m_dm);
    const QString escolhido = fPesquisaMunicipio->resultado();
    runForUser([&] {
        if (m_dm.tbEmpresa.editing())
            m_dm.tbEmpresa.fieldByName(u"CodigoMunicipio"_s)->setAsString(escolhido);
    });
}

} // namespace zef
