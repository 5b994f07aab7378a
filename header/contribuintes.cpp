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
#include "header/register_ui.h"
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
    : QDialog(parent),
      m_dm(dm),
      m_dialogs(dialogs),
      tbAtividade(dm.dtbBaseDados, u"atividades20.DB"_s),
      tbMunicip(dm.dtbBaseDados, u"Municip.DB"_s),
      tbTestaEmpresa(dm.dtbBaseDados, u"Empresa.DB"_s),
      m_descAtividade(new DBText(this)),
      m_nomeMunicipio(new DBText(this)),
      m_btNovo(ui::botao(u"&Novo"_s, u"btNovo"_s, this)),
      m_btGravar(ui::botao(u"&Gravar"_s, u"btGravar"_s, this)),
      m_btPesquisar(ui::botao(u"&Pesquisar"_s, u"btPesquisar"_s, this)),
      m_btCancelar(ui::botao(u"&Cancelar"_s, u"btCancelar"_s, this)),
      m_btExcluir(ui::botao(u"&Excluir"_s, u"btExcluir"_s, this)),
      m_btRetornar(ui::botao(u"Retornar"_s, u"btRetornar"_s, this)),
      m_estados(new ButtonStates(this))
{
    ui::preparaJanela(this, u"fContribuintes"_s, u"Contribuintes"_s);

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
    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(6);
    QWidget *anterior = nullptr;
    int linha = 0;
    for (const Linha &l : linhas) {
        DBEdit *edit = novoCampo(l.campo, l.largura);
        grade->addWidget(ui::rotulo(l.rotulo, edit, this), linha, 0);
        if (l.ao_lado) {
            auto *par = new QHBoxLayout;
            par->addWidget(edit);
            par->addWidget(l.ao_lado, 1);
            grade->addLayout(par, linha, 1);
        } else {
            grade->addWidget(edit, linha, 1, Qt::AlignLeft);
        }
        if (anterior)
            setTabOrder(anterior, edit);
        anterior = edit;
        ++linha;
    }
    grade->setColumnStretch(1, 1);
    campo(u"Senha"_s)->setEchoMode(QLineEdit::Password);

    auto *nota = new QLabel(
        u"O campo senha deverá ser preenchido com a  senha do contribuinte, utilizada na transmissão da QORM."_s, this);
    nota->setObjectName(u"lbNotaSenha"_s);
    nota->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ui::barraFerramentas(this, {m_btNovo, m_btGravar, m_btPesquisar, m_btCancelar, m_btExcluir},
                                           {m_btRetornar}));
    auto *corpo = new QVBoxLayout;
    corpo->setContentsMargins(10, 10, 10, 10);
    corpo->setSpacing(10);
    corpo->addLayout(grade);
    corpo->addWidget(nota);
    corpo->addStretch();
    layout->addLayout(corpo, 1);

    connect(m_btNovo, &QPushButton::clicked, this, &TfContribuintes::btNovoClick);
    connect(m_btGravar, &QPushButton::clicked, this, &TfContribuintes::btGravarClick);
    connect(m_btPesquisar, &QPushButton::clicked, this, &TfContribuintes::btPesquisarClick);
    connect(m_btCancelar, &QPushButton::clicked, this, &TfContribuintes::btCancelarClick);
    connect(m_btExcluir, &QPushButton::clicked, this, &TfContribuintes::btExcluirClick);
    connect(m_btRetornar, &QPushButton::clicked, this, &TfContribuintes::btRetornarClick);
    connect(campo(u"InscricaoEmpresa"_s), &MaskEdit::exited, this, &TfContribuintes::edInscricaoExit);
    connect(campo(u"CodigoAtividade"_s), &MaskEdit::exited, this, &TfContribuintes::edAtividadeExit);
    connect(campo(u"CodigoMunicipio"_s), &MaskEdit::exited, this, &TfContribuintes::edMunicipioExit);

    m_estados->setStandardButtons(m_btNovo, m_btGravar, m_btCancelar, m_btExcluir);
    EnterMovesFocus::install(this);

    m_dm.fContribuintes = this;
    resize(760, 520);
}

TfContribuintes::~TfContribuintes()
{
    if (m_dm.fContribuintes == this)
        m_dm.fContribuintes = nullptr;
}

DBEdit *TfContribuintes::novoCampo(const QString &nome, int largura)
{
    DBEdit *edit = nome == u"UF"_s ? new EditMaiusculas(&m_dm.tbEmpresa, nome, this)
                                   : new DBEdit(&m_dm.tbEmpresa, nome, this);
    edit->setObjectName(u"ed"_s + nome);
    const QFontMetrics medida(font());
    edit->setMinimumWidth(std::min(medida.averageCharWidth() * largura + 16, 460));
    m_campos.insert(nome, edit);
    return edit;
}

void TfContribuintes::HabilitaBotoes(bool editing)
{
    m_estados->apply(editing);
}

void TfContribuintes::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] {
        for (Table *t : {&m_dm.tbEmpresa, &tbAtividade, &tbMunicip, &tbTestaEmpresa})
            ui::abreTabela(*t);
    });
    HabilitaBotoes(m_dm.tbEmpresa.editing());
    FocaCampo(campo(u"CGCEmpresa"_s));
}

void TfContribuintes::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] {
        for (Table *t : {&tbTestaEmpresa, &tbMunicip, &tbAtividade, &m_dm.tbEmpresa})
            t->close();
    });
}

bool TfContribuintes::vazio(const Table &tabela, const QString &campo)
{
    return !tabela.active() || tabela.recNo() == 0 || tabela.fieldByName(campo)->asString().trimmed().isEmpty();
}

// The look-ups open only while a row is being keyed, and not on the way to "&Cancelar".
bool TfContribuintes::continuaEditando(QWidget *proximo) const
{
    return m_dm.tbEmpresa.editing() && proximo != m_btCancelar && isVisible();
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
            Mensagem(m_dialogs, recusa->mensagem);
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

void TfContribuintes::btCancelarClick()
{
    for (DBEdit *e : std::as_const(m_campos))
        e->reload();
    runForUser([this] { m_dm.tbEmpresa.cancel(); });
}

void TfContribuintes::btExcluirClick()
{
    if (!Confirma(m_dialogs, u"Confirma Exclusão?"_s))
        return;
    runForUser([this] {
        m_dm.tbEmpresa.remove();
        if (tbTestaEmpresa.active())
            tbTestaEmpresa.refresh();
    });
}

void TfContribuintes::btRetornarClick()
{
    close();
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
            if (m_btCancelar->isEnabled()) {
                empresa.cancel();
                empresa.findKey({digitado});
            }
            return;
        }
        if (empresa.editing())
            empresa.cancel();
        empresa.insert();
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
        Mensagem(m_dialogs, u"UF não informada ou inválida!"_s);
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
