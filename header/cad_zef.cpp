#include "header/cad_zef.h"

#include "app/abre_janela.h"
#include "app/opcoes.h"
#include "app/titulos.h"
#include "app/widgets/button_states.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/db_radio_group.h"
#include "app/widgets/db_text.h"
#include "app/widgets/enter_moves_focus.h"
#include "app/widgets/escape_cancels.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "data/data_module.h"
#include "data/declaration_header.h"
#include "data/dialogs.h"
#include "engine/query.h"
#include "header/domicilio.h"
#include "header/pesquisa_contribuinte.h"
#include "header/pesquisa_municipio.h"
#include "app/window_ui.h"
#include "header/register_windows.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

std::unique_ptr<TfCadZEF> fCadZEF;

namespace {

const QString kLetras = u"ABCDE"_s;

QLabel *caixaTexto(QLabel *texto, int minimo)
{
    texto->setFrameShape(QFrame::StyledPanel);
    texto->setFrameShadow(QFrame::Sunken);
    texto->setMinimumWidth(minimo);
    texto->setTextInteractionFlags(Qt::NoTextInteraction);
    return texto;
}

QStringList rotulos(const QList<ItemEscolha> &itens)
{
    QStringList r;
    for (const ItemEscolha &i : itens)
        r.append(i.rotulo);
    return r;
}

QStringList valores(const QList<ItemEscolha> &itens)
{
    QStringList v;
    for (const ItemEscolha &i : itens)
        v.append(i.valor);
    return v;
}

} // namespace

CampoDomicilio::CampoDomicilio(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
}

void CampoDomicilio::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

TfCadZEF::TfCadZEF(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent),
      m_dm(dm),
      m_dialogs(dialogs),
      tbMunicip(dm.dtbBaseDados, u"Municip.DB"_s),
      tbAtividade(dm.dtbBaseDados, u"atividades20.DB"_s),
      tbTestaZef(dm.dtbBaseDados, u"Zef.DB"_s),
      m_navegador(new DBNavigator(this)),
      m_btNovo(ui::botao(u"&Novo"_s, u"btNovo"_s, this)),
      m_btGravar(ui::botao(u"&Gravar"_s, u"btGravar"_s, this)),
      m_btCancelar(ui::botao(u"&Cancelar"_s, u"btCancelar"_s, this)),
      m_btExcluir(ui::botao(u"&Excluir"_s, u"btExcluir"_s, this)),
      m_btContinua(ui::botao(u"C&ontinua"_s, u"btContinua"_s, this)),
      m_btRetorna(ui::botao(u"&Retorna"_s, u"btRetorna"_s, this)),
      m_estados(new ButtonStates(this))
{
    ui::preparaJanela(this, u"fCadZEF"_s, u"Cadastro do ZEF"_s);

    tbMunicip.setObjectName(u"tbMunicip"_s);
    tbMunicip.setIndexFieldNames(u"Codigo"_s);
    tbMunicip.setMasterSource(&m_dm.tbZEF, u"CodigoMunicipio"_s);
    tbAtividade.setObjectName(u"tbAtividade"_s);
    tbAtividade.setIndexFieldNames(u"CDATIVIDADE"_s);
    tbAtividade.setMasterSource(&m_dm.tbZEF, u"CodigoAtividade"_s);
    tbTestaZef.setObjectName(u"tbTestaZef"_s);
    tbTestaZef.setIndexFieldNames(u"AnoBase;CGCEmpresa"_s);

    m_navegador->setObjectName(u"DBNavigator1"_s);
    m_navegador->setDataset(&m_dm.tbZEF);

    auto *corpo = new QVBoxLayout;
    corpo->setContentsMargins(8, 6, 8, 8);
    corpo->setSpacing(6);
    corpo->addWidget(montaTitulo());
    corpo->addWidget(montaIdentificacao());
    corpo->addWidget(montaInformacoes(), 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ui::barraFerramentas(
        this, {m_btNovo, m_btGravar, m_btCancelar, m_btExcluir, m_btContinua, m_navegador}, {m_btRetorna}));
    layout->addLayout(corpo, 1);
    // Tight frames round the groups, so that the whole form fits a 1366x768 screen with a task bar.
    for (QGroupBox *g : findChildren<QGroupBox *>())
        if (g->layout())
            g->layout()->setContentsMargins(6, 2, 6, 3);

    connect(m_btNovo, &QPushButton::clicked, this, &TfCadZEF::btNovoClick);
    connect(m_btGravar, &QPushButton::clicked, this, &TfCadZEF::btGravarClick);
    connect(m_btCancelar, &QPushButton::clicked, this, &TfCadZEF::btCancelarClick);
    connect(m_btExcluir, &QPushButton::clicked, this, &TfCadZEF::btExcluirClick);
    connect(m_btContinua, &QPushButton::clicked, this, &TfCadZEF::btContinuaClick);
    connect(m_btRetorna, &QPushButton::clicked, this, &TfCadZEF::btRetornaClick);
    connect(m_edInscricao, &MaskEdit::exited, this, &TfCadZEF::edInscricaoExit);
    connect(m_edAnoBase, &MaskEdit::exited, this, &TfCadZEF::edAnoBaseExit);
    connect(m_edCodigoMunicipio, &MaskEdit::exited, this, &TfCadZEF::edCodigoMunicipioExit);
    connect(m_rgDomicilio, &DBRadioGroup::changed, this, &TfCadZEF::respostaDomicilio);
    for (const LinhaDomicilio &linha : m_domicilios)
        connect(linha.municipio, &CampoDomicilio::clicked, this, &TfCadZEF::respostaDomicilio);
    connect(&m_dm.tbZEF, &Dataset::stateChanged, this, [this] {
        if (m_dm.tbZEF.state() != Dataset::State::Edit)
            m_chaveEmEdicao.reset();
        else if (!m_chaveEmEdicao)
            m_chaveEmEdicao = m_dm.chaveAtual();
    });
    // Another declaration brings the purposes and regimes of its own year.
    connect(&m_dm.tbZEF, &Dataset::recordChanged, this, [this] {
        if (m_dm.tbZEF.active() && !m_dm.tbZEF.editing())
            itensDoAnoBase(m_dm.anoBase());
    });

    m_estados->setStandardButtons(m_btNovo, m_btGravar, m_btCancelar, m_btExcluir, m_btContinua, nullptr,
                                  m_navegador);
    EnterMovesFocus::install(this);
    EscapeCancels::install(this, m_btCancelar);

    m_periodoInicio.setEdit(m_edPeriodoInicio);
    m_periodoFinal.setEdit(m_edPeriodoFinal);
    m_dm.fCadZEF = this;
    abreTabelas();
    itensDoAnoBase(m_dm.anoBase());
    HabilitaBotoes(m_dm.tbZEF.editing());
}

TfCadZEF::~TfCadZEF()
{
    if (m_dm.fCadZEF == this)
        m_dm.fCadZEF = nullptr;
}

QWidget *TfCadZEF::montaTitulo()
{
    auto *titulo = new QFrame(this);
    titulo->setObjectName(u"pnTitulo"_s);
    titulo->setFrameShape(QFrame::StyledPanel);
    auto *l = new QGridLayout(titulo);
    l->setContentsMargins(8, 4, 8, 4);
    l->setVerticalSpacing(0);
    const auto linha = [titulo](const QString &texto, bool destaque) {
        auto *r = new QLabel(texto, titulo);
        QFont f = r->font();
        f.setBold(destaque);
        if (destaque)
            f.setPointSizeF(f.pointSizeF() * 1.3);
        r->setFont(f);
        return r;
    };
    l->addWidget(linha(nomeGovernoEstado(), false), 0, 0);
    l->addWidget(linha(nomeAutoridadeFiscal(), false), 1, 0);
    l->addWidget(linha(nomeDepartamentoTributario(), false), 2, 0);
    auto *zef = linha(u"ZEF 2026"_s, true);
    zef->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->addWidget(zef, 0, 1, 2, 1);
    auto *nome = linha(nomeDeclaracao(), false);
    nome->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->addWidget(nome, 2, 1);

    // The base year sits beside the title, where the declaration is named.
    auto *ano = new QGroupBox(u"ANO BASE"_s, titulo);
    ano->setObjectName(u"gbAnoBase"_s);
    auto *al = new QHBoxLayout(ano);
    al->setContentsMargins(6, 2, 6, 4);
    m_edAnoBase = campo(&m_dm.tbZEF, u"AnoBase"_s, u"edAnoBase"_s, true, 6);
    al->addWidget(m_edAnoBase);
    l->addWidget(ano, 0, 2, 3, 1);
    l->setColumnStretch(0, 1);
    return titulo;
}

QWidget *TfCadZEF::montaIdentificacao()
{
    auto *gb = new QGroupBox(u"1- IDENTIFICAÇÃO DO CONTRIBUINTE"_s, this);
    gb->setObjectName(u"gbIdentificacao"_s);
    auto *g = new QGridLayout(gb);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(2);

    m_razaoSocial = caixaTexto(new DBText(&m_dm.tbEmpresa, u"RazaoSocial"_s, gb), 320);
    m_razaoSocial->setObjectName(u"txRazaoSocial"_s);
    m_edInscricao = campo(&m_dm.tbZEF, u"CGCEmpresa"_s, u"edInscricao"_s, true, 12);
    auto *endereco = caixaTexto(new DBText(&m_dm.tbEmpresa, u"Endereco"_s, gb), 320);
    endereco->setObjectName(u"txEndereco"_s);
    auto *cnpj = caixaTexto(new DBText(&m_dm.tbEmpresa, u"CGCEmpresa"_s, gb), 140);
    cnpj->setObjectName(u"txCNPJ"_s);
    m_nomeMunicipio = caixaTexto(new DBText(&tbMunicip, u"Descricao"_s, gb), 220);
    m_nomeMunicipio->setObjectName(u"txMunicipio"_s);
    m_edCodigoMunicipio = campo(&m_dm.tbZEF, u"CodigoMunicipio"_s, u"edCodigoMunicipio"_s, false, 9);
    m_edUF = campo(&m_dm.tbEmpresa, u"UF"_s, u"edUF"_s, false, 3);
    auto *cep = caixaTexto(new DBText(&m_dm.tbEmpresa, u"CEP"_s, gb), 90);
    cep->setObjectName(u"txCEP"_s);
    // Shown only: the keyboard passes them by, a rule or the mouse may still focus them.
    for (QWidget *w : {static_cast<QWidget *>(m_edCodigoMunicipio), static_cast<QWidget *>(m_edUF)})
        w->setFocusPolicy(Qt::ClickFocus);

    const auto rotulado = [gb](const QString &texto, QWidget *campo) {
        auto *caixa = new QVBoxLayout;
        caixa->setSpacing(1);
        caixa->addWidget(ui::rotulo(texto, campo, gb));
        caixa->addWidget(campo);
        return caixa;
    };
    g->addLayout(rotulado(u"1.1 - NOME OU RAZÃO SOCIAL"_s, m_razaoSocial), 0, 0, 1, 3);
    g->addLayout(rotulado(u"1.2 INSCRIÇÃO ESTADUAL"_s, m_edInscricao), 0, 3);
    g->addLayout(rotulado(u"1.3 - ENDEREÇO"_s, endereco), 1, 0, 1, 3);
    g->addLayout(rotulado(u"1.4 - CNPJ/CPF"_s, cnpj), 1, 3);
    g->addLayout(rotulado(u"1.5 - MUNICÍPIO"_s, m_nomeMunicipio), 2, 0);
    g->addLayout(rotulado(u"1.6 - CÓDIGO"_s, m_edCodigoMunicipio), 2, 1);
    g->addLayout(rotulado(u"1.7 - UF"_s, m_edUF), 2, 2);
    g->addLayout(rotulado(u"1.8 - CEP"_s, cep), 2, 3);
    g->setColumnStretch(0, 1);
    return gb;
}

QWidget *TfCadZEF::montaInformacoes()
{
    auto *gb = new QGroupBox(u"2 - INFORMAÇÕES ECONÔMICO-FISCAIS"_s, this);
    gb->setObjectName(u"gbInformacoes"_s);
    auto *g = new QGridLayout(gb);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(4);

    // 2.1 and 2.2: the change of domicile and the domiciles of the year.
    auto *mudanca = new QLabel(u"2.1 - HOUVE MUDANÇA DE DOMICÍLIO PARA\nOUTRO MUNICÍPIO VARDELENSE NO \n"
                               "PERÍODO DE REFERÊNCIA FISCAL"_s,
                               gb);
    m_rgDomicilio = grupo(QString(), u"rgdomicilio"_s, u"StatusDRF"_s, {u"SIM"_s, u"NÃO"_s}, {u"S"_s, u"N"_s}, 2);
    auto *col21 = new QVBoxLayout;
    col21->addWidget(mudanca);
    col21->addWidget(m_rgDomicilio);
    col21->addStretch();
    g->addLayout(col21, 0, 0);

    auto *gbDom = new QGroupBox(u"2.2 - DOMICÍLIOS POR PERÍODO DE REFERÊNCIA FISCAL"_s, gb);
    gbDom->setObjectName(u"gbDomicilios"_s);
    auto *gd = new QGridLayout(gbDom);
    gd->setHorizontalSpacing(4);
    gd->setVerticalSpacing(2);
    const QFontMetrics medida(font());
    for (int i = 0; i < 5; ++i) {
        LinhaDomicilio &linha = m_domicilios[size_t(i)];
        const QString letra = kLetras.at(i);
        gd->addWidget(new QLabel(i == 0 ? u"ATUAL"_s : u"ANTERIOR"_s, gbDom), i, 0);
        const auto mostra = [&](const QString &nome, const QString &modelo) {
            auto *e = new QLineEdit(gbDom);
            e->setObjectName(nome + letra);
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::NoFocus);
            e->setFixedWidth(medida.horizontalAdvance(modelo) + 16);
            return e;
        };
        linha.letra = mostra(u"edTipo"_s, u"WW"_s);
        linha.municipio = new CampoDomicilio(gbDom);
        linha.municipio->setObjectName(u"edMunicipio"_s + letra);
        linha.municipio->setToolTip(u"Clique aqui para editar os domicílios"_s);
        linha.municipio->setMinimumWidth(medida.averageCharWidth() * 28);
        linha.municipio->setCursor(Qt::PointingHandCursor);
        linha.inicio = mostra(u"edInicio"_s, u"00/00/00000"_s);
        linha.marca = new QLabel(u"A"_s, gbDom);
        linha.marca->setObjectName(u"lbMarca"_s + letra);
        linha.marca->setVisible(false);
        linha.fim = mostra(u"edFim"_s, u"00/00/00000"_s);
        gd->addWidget(linha.letra, i, 1);
        gd->addWidget(linha.municipio, i, 2);
        gd->addWidget(linha.inicio, i, 3);
        gd->addWidget(linha.marca, i, 4);
        gd->addWidget(linha.fim, i, 5);
    }
    gd->setColumnStretch(2, 1);
    g->addWidget(gbDom, 0, 1, 1, 2);

    // 2.3: the period follows from the domiciles; only the regime is chosen here.
    auto *gbPeriodo = new QGroupBox(u"2.3 - PERÍODO FISCAL DE REFERÊNCIA E REGIME DE TRIBUTAÇÃO"_s, gb);
    gbPeriodo->setObjectName(u"gbPeriodo"_s);
    auto *gp = new QHBoxLayout(gbPeriodo);
    m_edPeriodoInicio = campo(&m_dm.tbZEF, u"PeriodoRefInicio"_s, u"edPeriodoInicio"_s, false, 10);
    m_edPeriodoFinal = campo(&m_dm.tbZEF, u"PeriodoRefFinal"_s, u"edPeriodoFinal"_s, false, 10);
    m_edPeriodoInicio->setEnabled(false);
    m_edPeriodoFinal->setEnabled(false);
    m_rgNormal = grupo(QString(), u"rgnormal"_s, u"RegimeApuracao"_s, {}, {}, 2);
    gp->addWidget(m_edPeriodoInicio);
    gp->addWidget(new QLabel(u"À"_s, gbPeriodo));
    gp->addWidget(m_edPeriodoFinal);
    gp->addWidget(m_rgNormal, 1);
    g->addWidget(gbPeriodo, 1, 0, 1, 2);

    m_rgEscrituracao = grupo(u"2.4 - ESCRITURAÇÃO"_s, u"rgEscrituracao"_s, u"TipoEscrita"_s,
                             {u"FISCAL"_s, u"CONTÁBIL"_s}, {u"1"_s, u"2"_s}, 2);
    g->addWidget(m_rgEscrituracao, 1, 2);

    m_rgEstabelecimento = grupo(u"2.5 - TIPO DE ESTABELECIMENTO"_s, u"rgEstabelecimento"_s,
                                u"TipoEstabelecimento"_s, {u"ÚNICO"_s, u"MATRIZ"_s, u"FILIAL"_s},
                                {u"1"_s, u"2"_s, u"3"_s}, 3);
    g->addWidget(m_rgEstabelecimento, 2, 0);
    m_rgFinalidade = grupo(u"2.6 - FINALIDADE"_s, u"rgFinalidade"_s, u"Finalidade"_s, {}, {}, 1);
    g->addWidget(m_rgFinalidade, 2, 1);
    m_rgRetificacao = grupo(u"2.7 - ZEF RETIFICADOR"_s, u"rgRetificacao"_s, u"Retificacao"_s,
                            {u"SIM"_s, u"NÃO"_s}, {u"S"_s, u"N"_s}, 2);
    g->addWidget(m_rgRetificacao, 2, 2);

    auto *gbCnae = new QGroupBox(u"2.8 - CÓDIGO DA CNAE"_s, gb);
    gbCnae->setObjectName(u"gbCnae"_s);
    auto *gc = new QHBoxLayout(gbCnae);
    m_edCodigoAtividade = campo(&m_dm.tbZEF, u"CodigoAtividade"_s, u"edCodigoAtividade"_s, false, 10);
    m_edCodigoAtividade->setFocusPolicy(Qt::NoFocus);
    auto *descricao = caixaTexto(new DBText(&tbAtividade, u"DCATIVIDADE"_s, gbCnae), 200);
    descricao->setObjectName(u"txAtividade"_s);
    descricao->setWordWrap(true);
    gc->addWidget(m_edCodigoAtividade);
    gc->addWidget(descricao, 1);
    g->addWidget(gbCnae, 3, 0);

    auto *gbCaixa = new QGroupBox(u"2.10 - SALDO DE CAIXA"_s, gb);
    gbCaixa->setObjectName(u"gbCaixa"_s);
    auto *gx = new QGridLayout(gbCaixa);
    m_edCaixaInicial = campo(&m_dm.tbZEF, u"VlrCaixaI"_s, u"edCaixaInicial"_s, true, 16);
    m_edCaixaFinal = campo(&m_dm.tbZEF, u"VlrCCaixaI"_s, u"edCaixaFinal"_s, true, 16);
    gx->addWidget(ui::rotulo(u"CAIXA INICIAL"_s, m_edCaixaInicial, gbCaixa), 0, 0);
    gx->addWidget(m_edCaixaInicial, 1, 0);
    gx->addWidget(ui::rotulo(u"CAIXA FINAL"_s, m_edCaixaFinal, gbCaixa), 0, 1);
    gx->addWidget(m_edCaixaFinal, 1, 1);
    g->addWidget(gbCaixa, 3, 1);

    auto *gbPatrimonio = new QGroupBox(u"2.11 - PATRIMÔNIO LÍQUIDO"_s, gb);
    gbPatrimonio->setObjectName(u"gbPatrimonio"_s);
    auto *gpl = new QVBoxLayout(gbPatrimonio);
    m_edPatrimonio = campo(&m_dm.tbZEF, u"VlrPatrimLiq"_s, u"edPatrimonio"_s, true, 16);
    gpl->addWidget(ui::rotulo(u"VALOR DO PATRIMÔNIO LÍQUIDO EM R$"_s, m_edPatrimonio, gbPatrimonio));
    gpl->addWidget(m_edPatrimonio);
    g->addWidget(gbPatrimonio, 3, 2);

    for (DBEdit *valor : {m_edCaixaInicial, m_edCaixaFinal, m_edPatrimonio})
        valor->setAlignment(Qt::AlignRight);
    g->setColumnStretch(1, 1);
    return gb;
}

DBEdit *TfCadZEF::campo(Dataset *tabela, const QString &nome, const QString &objeto, bool editavel, int largura)
{
    auto *edit = new DBEdit(tabela, nome, this);
    edit->setObjectName(objeto);
    edit->setEditable(editavel);
    const QFontMetrics medida(font());
    edit->setFixedWidth(medida.averageCharWidth() * largura + 18);
    return edit;
}

DBRadioGroup *TfCadZEF::grupo(const QString &titulo, const QString &objeto, const QString &campo,
                              const QStringList &rotulos, const QStringList &valores, int colunas)
{
    auto *g = new DBRadioGroup(titulo, this);
    g->setObjectName(objeto);
    g->setColumns(colunas);
    g->setItems(rotulos, valores);
    g->setDataField(&m_dm.tbZEF, campo);
    return g;
}

void TfCadZEF::abreTabelas()
{
    runForUser([this] {
        for (Table *t : {&m_dm.tbZEF, &m_dm.tbEmpresa, &tbMunicip, &tbAtividade, &tbTestaZef})
            ui::abreTabela(*t);
    });
}

void TfCadZEF::fechaTabelas()
{
    runForUser([this] {
        for (Table *t : {&tbTestaZef, &tbAtividade, &tbMunicip, &m_dm.tbMunicipio, &m_dm.tbEmpresa, &m_dm.tbZEF})
            t->close();
    });
}

void TfCadZEF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] { refillDomicileDisplay(); });
}

void TfCadZEF::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (!event->isAccepted())
        return;
    fechaTabelas();
    m_dm.fCadZEF = nullptr;
}

// ---------------------------------------------------------------------------------------------
// What the record rules ask of the window

void TfCadZEF::HabilitaBotoes(bool editing)
{
    m_estados->apply(editing);
}

HeaderWindow::DomicileAnswer TfCadZEF::domicileAnswer() const
{
    const QString resposta = m_rgDomicilio->value();
    if (resposta == u"S"_s)
        return DomicileAnswer::Sim;
    if (resposta == u"N"_s)
        return DomicileAnswer::Nao;
    return DomicileAnswer::None;
}

bool TfCadZEF::simplesSelected() const
{
    return m_rgNormal->itemIndex() == 1;
}

QString TfCadZEF::domicileStart(QChar letter) const
{
    const qsizetype i = kLetras.indexOf(letter);
    return i < 0 ? QString() : m_domicilios.at(size_t(i)).inicio->text();
}

QString TfCadZEF::domicileEnd(QChar letter) const
{
    const qsizetype i = kLetras.indexOf(letter);
    return i < 0 ? QString() : m_domicilios.at(size_t(i)).fim->text();
}

void TfCadZEF::limpaDomicilios()
{
    for (const LinhaDomicilio &linha : m_domicilios) {
        for (QLineEdit *e : {linha.letra, static_cast<QLineEdit *>(linha.municipio), linha.inicio, linha.fim})
            e->clear();
        linha.marca->setVisible(false);
    }
}

void TfCadZEF::refillDomicileDisplay()
{
    limpaDomicilios();
    if (!m_dm.tbZEF.active() || m_dm.tbZEF.recNo() == 0)
        return;
    for (const DomicilioExibido &d : domiciliosExibidos(m_dm.dtbBaseDados, m_dm.anoBase(), m_dm.cgcEmpresa())) {
        const LinhaDomicilio &linha = m_domicilios.at(size_t(kLetras.indexOf(d.letra)));
        linha.letra->setText(d.letra);
        linha.municipio->setText(d.municipio);
        linha.inicio->setText(d.inicio);
        linha.fim->setText(d.fim);
        linha.marca->setVisible(true);
    }
}

// ---------------------------------------------------------------------------------------------
// Tool bar

void TfCadZEF::btNovoClick()
{
    limpaDomicilios();
    if (runForUser([this] { m_dm.tbZEF.append(); }))
        FocaCampo(m_edAnoBase);
}

void TfCadZEF::btGravarClick()
{
    Table &zef = m_dm.tbZEF;
    if (!commitPendingEdits(this, &zef) || !zef.active() || zef.recNo() == 0)
        return;
    runForUser([&] {
        const QString uf = m_dm.tbEmpresa.active() && m_dm.tbEmpresa.recNo() > 0
                               ? m_dm.tbEmpresa.fieldByName(u"UF"_s)->asString()
                               : QString();
        if (const auto recusa = verificaCabecalho(m_dm.dtbBaseDados, zef, uf, m_rgNormal->itemIndex() >= 0)) {
            Mensagem(m_dialogs, recusa->mensagem);
            QWidget *foco = nullptr;
            switch (recusa->campo) {
            case CampoCabecalho::UF: foco = m_edUF; break;
            case CampoCabecalho::Escrituracao: foco = m_rgEscrituracao; break;
            case CampoCabecalho::TipoEstabelecimento: foco = m_rgEstabelecimento; break;
            case CampoCabecalho::Finalidade: foco = m_rgFinalidade; break;
            case CampoCabecalho::CaixaInicial: foco = m_edCaixaInicial; break;
            case CampoCabecalho::CaixaFinal: foco = m_edCaixaFinal; break;
            case CampoCabecalho::PatrimonioLiquido: foco = m_edPatrimonio; break;
            case CampoCabecalho::Regime: foco = m_rgNormal; break;
            case CampoCabecalho::Nenhum: break;
            }
            if (auto *g = qobject_cast<DBRadioGroup *>(foco); g && g->count() > 0)
                foco = g->button(std::max(g->itemIndex(), 0));
            if (foco)
                FocaCampo(foco);
            return;
        }
        if (gravaCabecalho(m_dm) && tbTestaZef.active())
            tbTestaZef.refresh();
    });
}

void TfCadZEF::btCancelarClick()
{
    for (DBEdit *e : findChildren<DBEdit *>())
        e->reload();
    runForUser([this] { m_dm.tbZEF.cancel(); });
}

void TfCadZEF::btExcluirClick()
{
    if (!m_dm.tbZEF.active() || m_dm.tbZEF.recNo() == 0 || !ConfirmaExclusao(m_dialogs, u"ZEF"_s))
        return;
    runForUser([this] {
        excluiDeclaracao(m_dm);
        if (tbTestaZef.active())
            tbTestaZef.refresh();
    });
}

void TfCadZEF::btContinuaClick()
{
    bool segue = false;
    runForUser([&] {
        ui::abreTabela(m_dm.tbDomicilio);
        if (domicileAnswer() == DomicileAnswer::Sim && m_dm.tbDomicilio.recordCount() <= 1) {
            Mensagem(m_dialogs, u"É necessário informar o(s) município(s) de Domicílio Fiscal."_s);
            return;
        }
        Query total(m_dm.dtbBaseDados, u"select count(*) from Zef"_s);
        if (total.scalar().toInt() == 0) {
            Mensagem(m_dialogs, u"É obrigatório o preenchimento desta tela!"_s);
            return;
        }
        segue = true;
    });
    if (!segue)
        return;
    TfOpcoes opcoes(m_dm, this);
    if (preparaOpcoes)
        preparaOpcoes(opcoes);
    MostraModal(opcoes);
}

void TfCadZEF::btRetornaClick()
{
    close();
}

// ---------------------------------------------------------------------------------------------
// Leaving the key and the answers

bool TfCadZEF::vaiParaCancelar(QWidget *proximo) const
{
    return proximo == m_btCancelar || !isVisible();
}

void TfCadZEF::edInscricaoExit(QWidget *proximo)
{
    // Leaving only because a refused year took the focus back: the user has not been here yet.
    if (vaiParaCancelar(proximo) || m_devolvendoFoco)
        return;
    Table &zef = m_dm.tbZEF;
    if (!zef.active() || (zef.recNo() == 0 && !zef.editing()))
        return;

    // An unknown registration: the user picks the taxpayer from the register.
    if (m_razaoSocial->text().trimmed().isEmpty()) {
        detail::registraLiberacao();
        AbreJanela(fPesquisaContribuinte, m_dm);
        const QString escolhido = fPesquisaContribuinte->resultado();
        if (!runForUser([&] {
                if (!zef.editing())
                    zef.edit();
                zef.fieldByName(u"CGCEmpresa"_s)->setAsString(escolhido);
            }))
            return;
        FocaCampo(m_edInscricao);
    }

    runForUser([&] {
        const QString ano = zef.fieldByName(u"AnoBase"_s)->asString();
        const QString inscricao = zef.fieldByName(u"CGCEmpresa"_s)->asString();
        // The declaration being edited has its own key: going "to" it would only throw the edit away.
        const bool propria = zef.state() == Dataset::State::Edit && m_chaveEmEdicao == DeclarationKey{ano, inscricao};
        if (!ano.trimmed().isEmpty() && !inscricao.trimmed().isEmpty() && m_btCancelar->isEnabled() && !propria) {
            tbTestaZef.refresh();
            if (tbTestaZef.findKey({ano, inscricao})) {
                // The declaration exists: the user goes to it instead of keying it twice.
                zef.cancel();
                zef.findKey({ano, inscricao});
                return;
            }
        }
        if (!zef.editing())
            return;
        const Table &empresa = m_dm.tbEmpresa;
        const bool conhecido = empresa.active() && empresa.recNo() > 0;
        zef.fieldByName(u"CodigoMunicipio"_s)
            ->setAsString(conhecido ? empresa.fieldByName(u"CodigoMunicipio"_s)->asString() : QString());
        zef.fieldByName(u"CodigoAtividade"_s)
            ->setAsString(atividadeDoAnoBase(ano, conhecido ? empresa.fieldByName(u"CodigoAtividade"_s)->asString()
                                                            : QString()));
    });
}

void TfCadZEF::edAnoBaseExit(QWidget *proximo)
{
    if (vaiParaCancelar(proximo))
        return;
    Table &zef = m_dm.tbZEF;
    if (!zef.active())
        return;
    runForUser([&] {
        if (zef.editing())
            zef.fieldByName(u"Finalidade"_s)->clear();
    });
    const QString ano = zef.recNo() > 0 ? zef.fieldByName(u"AnoBase"_s)->asString() : QString();
    if (const auto recusa = recusaAnoBase(ano)) {
        Mensagem(m_dialogs, *recusa);
        const QScopedValueRollback devolvendo(m_devolvendoFoco, true);
        FocaCampo(m_edAnoBase);
        return;
    }
    itensDoAnoBase(ano);
}

void TfCadZEF::itensDoAnoBase(const QString &ano)
{
    const QList<ItemEscolha> finalidades = itensFinalidade(ano);
    m_rgFinalidade->setItems(rotulos(finalidades), valores(finalidades));
    const QList<ItemEscolha> regimes = itensRegime(ano);
    m_rgNormal->setItems(rotulos(regimes), valores(regimes));
    ordemTeclado();
}

void TfCadZEF::ordemTeclado()
{
    // The key first, then the questions in the order of the form. The purpose and regime
    // buttons are made anew for each year, so the order is laid again with them.
    QList<QWidget *> ordem{m_edAnoBase, m_edInscricao};
    for (DBRadioGroup *g : {m_rgDomicilio, m_rgNormal, m_rgEscrituracao, m_rgEstabelecimento, m_rgFinalidade,
                            m_rgRetificacao})
        for (int i = 0; i < g->count(); ++i)
            ordem.append(g->button(i));
    ordem.append({m_edCaixaInicial, m_edCaixaFinal, m_edPatrimonio});
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem.at(i - 1), ordem.at(i));
}

void TfCadZEF::edCodigoMunicipioExit(QWidget *proximo)
{
    if (vaiParaCancelar(proximo) || !m_nomeMunicipio->text().trimmed().isEmpty())
        return;
    detail::registraLiberacao();
    AbreJanela(fPesquisaMunicipio, m_dm);
    const QString escolhido = fPesquisaMunicipio->resultado();
    runForUser([&] {
        Table &zef = m_dm.tbZEF;
        if (!zef.active() || zef.recNo() == 0)
            return;
        if (!zef.editing())
            zef.edit();
        zef.fieldByName(u"CodigoMunicipio"_s)->setAsString(escolhido);
    });
}

void TfCadZEF::respostaDomicilio()
{
    if (!m_dm.tbZEF.active() || m_dm.tbZEF.recNo() == 0)
        return;
    if (domicileAnswer() == DomicileAnswer::Nao && !runForUser([this] { excluiDomiciliosAnteriores(m_dm); }))
        return;
    if (!runForUser([this] { ui::abreTabela(m_dm.tbDomicilio); }))
        return;
    abreDomicilio(m_dm, m_dialogs, this);
    runForUser([this] { refillDomicileDisplay(); });
}

// ---------------------------------------------------------------------------------------------

void abreCadastroZef(QWidget *parent, TfDmDados &dm, Dialogs &dialogs, std::function<void(TfOpcoes &)> preparaOpcoes)
{
    TfCadZEF &janela = CriaJanela(fCadZEF, dm, dialogs);
    janela.preparaOpcoes = std::move(preparaOpcoes);
    ui::centraSobre(janela, parent);
    AbreJanela(fCadZEF, dm, dialogs);
    fCadZEF.reset();
}

} // namespace zef
