#include "sections/janela_secao.h"

#include "app/abre_janela.h"
#include "app/widgets/button_states.h"
#include "app/widgets/db_grid.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/escape_cancels.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "app/window_ui.h"
#include "data/data_module.h"
#include "data/dialogs.h"
#include "data/display_format.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

// Locked amount columns: light grey, and so are their titles.
const QColor kCinza(0xE4, 0xE4, 0xE4);
const QString kFormatoValor = u"#,###,###,##0.00"_s;
const QString kLetras = u"ABCDE"_s;

// Amounts are typed and shown the Brazilian way whatever the workstation's settings.
QLocale localeValores()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

QLineEdit *caixaSomenteLeitura(QWidget *parent, const QString &nome)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(nome);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

} // namespace

JanelaSecao::JanelaSecao(TfDmDados &dm, Dialogs &dialogs, const SectionDescription &descricao, Table &edicao,
                         const QString &nome, const QString &titulo, const QString &nomeBuffer, QWidget *parent)
    : EditingDialog(edicao, dialogs, Novo | Gravar | Cancelar | Excluir | Retornar | Navegador, nome, titulo, parent),
      m_dm(dm),
      m_descricao(descricao),
      m_linhas(dm.dtbBaseDados, descricao, nomeBuffer),
      m_lista(dm.dtbBaseDados, descricao.listSql)
{
    btCancelar()->setText(u"Cancelar"_s);
    btRetornar()->setText(u"&Retorna"_s);
    btRetornar()->setObjectName(u"btRetorna"_s);
    navegador()->setObjectName(u"navegador"_s);
    EscapeCancels::install(this, btCancelar());

    if (descricao.listMunicipalityLookedUp) {
        FieldDef nomeMun;
        nomeMun.name = descricao.listMunicipalityField;
        nomeMun.type = FieldType::String;
        nomeMun.size = 50;
        m_lista.addLookupField(nomeMun, u"CodMunicipio"_s, &dm.qrDomMunicipio, u"Codigo"_s, u"Descricao"_s);
    }
    for (const QChar letra : kLetras) {
        FieldDef def;
        def.type = FieldType::String;
        def.name = descricao.letterFieldStem + letra;
        def.size = letra == u'A' ? 1 : 50;
        m_lista.addCalculatedField(def);
        def.name = descricao.municipalityFieldStem + letra;
        def.size = 50;
        m_lista.addCalculatedField(def);
        for (const QString &stem : descricao.totalFieldStems) {
            FieldDef total;
            total.name = stem + letra;
            total.type = FieldType::Float;
            total.displayFormat = kFormatoValor;
            m_lista.addCalculatedField(total);
        }
    }
    // The totals are read once per reading of the list; every record carries the same figures.
    m_lista.beforeOpen = [this](Dataset &) {
        m_totais = totaisPorDomicilio(m_dm.dtbBaseDados, m_descricao, chave(), m_linhas.direction());
    };
    m_lista.afterOpen = [this](Dataset &ds) {
        for (const QString &f : m_descricao.amountFields())
            if (Field *campo = ds.findField(f))
                campo->setDisplayFormat(kFormatoValor);
        preencheTotais();
    };
    m_lista.onCalcFields = [this](Dataset &ds) { calculaCampos(ds); };
}

JanelaSecao::~JanelaSecao() = default;

void JanelaSecao::constroiJanela(const QString &nomeCombo, const QString &tituloGrupo, const QString &rotuloDomicilio,
                                 const QString &nomeLista)
{
    m_lista.setObjectName(nomeLista);

    auto *cabecalho = new QGridLayout;
    m_razaoSocial = caixaSomenteLeitura(this, u"edRazaoSocial"_s);
    m_inscricao = caixaSomenteLeitura(this, u"edInscricao"_s);
    m_ano = caixaSomenteLeitura(this, u"edAno"_s);
    m_ano->setMaximumWidth(70);
    m_inscricao->setMaximumWidth(160);
    cabecalho->addWidget(new QLabel(u"RAZÃO SOCIAL"_s, this), 0, 0);
    cabecalho->addWidget(new QLabel(u"INSCRIÇÃO ESTADUAL"_s, this), 0, 1);
    cabecalho->addWidget(new QLabel(u"ANO"_s, this), 0, 2);
    cabecalho->addWidget(m_razaoSocial, 1, 0);
    cabecalho->addWidget(m_inscricao, 1, 1);
    cabecalho->addWidget(m_ano, 1, 2);
    cabecalho->setColumnStretch(0, 1);

    m_grupo = new QGroupBox(tituloGrupo, this);
    m_grupo->setObjectName(u"GroupBox1"_s);
    m_combo = new QComboBox(m_grupo);
    m_combo->setObjectName(nomeCombo);
    m_combo->setEditable(false);
    m_combo->setMinimumWidth(420);
    connect(m_combo, &QComboBox::activated, this, &JanelaSecao::escolheChave);
    if (!rotuloDomicilio.isEmpty()) {
        m_rotuloDomicilio = new QLabel(rotuloDomicilio, m_grupo);
        m_rotuloDomicilio->setObjectName(u"lbDomicilio"_s);
    }

    m_grade = new DBGrid(m_grupo);
    m_grade->setObjectName(u"DBGrid2"_s);
    m_grade->setLocale(localeValores());
    m_grade->setShowIndicator(false);
    m_grade->setDataset(&tabela());
    m_grade->addColumn(m_descricao.keyColumn, m_descricao.editKeyTitle, 240, true);
    m_grade->addColumn(u"TipoDomicilio"_s, u"Domicílio"_s, 62, true);
    m_grade->addColumn(u"NomMunicipio"_s, m_descricao.editMunicipalityTitle, 140, true);
    for (const SectionAmount &a : m_descricao.amounts)
        m_grade->addColumn(a.field, a.fullTitle, 185);

    auto *grupoLayout = new QVBoxLayout(m_grupo);
    grupoLayout->addWidget(m_combo, 0, Qt::AlignLeft);
    if (m_rotuloDomicilio)
        grupoLayout->addWidget(m_rotuloDomicilio);
    grupoLayout->addWidget(m_grade);

    auto *painel = new QFrame(this);
    painel->setObjectName(u"Panel2"_s);
    painel->setFrameShape(QFrame::StyledPanel);
    m_painel = new QGridLayout(painel);
    m_painel->setContentsMargins(8, 4, 8, 4);
    m_painel->setVerticalSpacing(2);
    m_rotuloTotal = new QLabel(painel);
    m_rotuloTotal->setObjectName(u"Label1"_s);
    m_painel->addWidget(m_rotuloTotal, 0, 0, 1, 2);
    for (int i = 0; i < 5; ++i) {
        QList<QLabel *> linha;
        for (int c = 0; c < 6; ++c) {
            auto *l = new QLabel(painel);
            l->setObjectName(u"lbTotal%1%2"_s.arg(kLetras.at(i)).arg(c));
            if (c >= 2) {
                l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                l->setMinimumWidth(140);
            }
            m_painel->addWidget(l, i + 1, c);
            linha.append(l);
        }
        m_linhasTotal.append(linha);
    }
    m_painel->setColumnStretch(1, 1);

    m_gradeLista = new DBGrid(this);
    m_gradeLista->setObjectName(u"DBGrid1"_s);
    m_gradeLista->setLocale(localeValores());
    m_gradeLista->setReadOnly(true);
    m_gradeLista->setShowIndicator(true);
    m_gradeLista->setDataset(&m_lista);
    m_gradeLista->addColumn(m_descricao.keyColumn, m_descricao.listKeyTitle, 240);
    m_gradeLista->addColumn(u"TipoDomicilio"_s, u"Domicílio"_s, 62);
    m_gradeLista->addColumn(m_descricao.listMunicipalityField, u"Município"_s, 140);
    for (const SectionAmount &a : m_descricao.amounts)
        m_gradeLista->addColumn(a.field, a.listTitle, 185);
    m_gradeLista->setFocusPolicy(Qt::ClickFocus);

    for (DBNavigator::Button b : {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last})
        navegador()->button(b)->setFocusPolicy(Qt::NoFocus);

    QVBoxLayout *corpo = EditingDialog::montaJanela({btNovo(), btGravar(), btCancelar(), btExcluir(), navegador()}, 8);
    corpo->addLayout(cabecalho);
    corpo->addWidget(m_grupo);
    corpo->addWidget(painel);
    corpo->addWidget(m_gradeLista, 1);

    if (comboSegueEdicao())
        estados().addBrowsingControl(m_combo);
    definePrimeiroCampo(m_combo);
    setTabOrder(m_combo, m_grade);
}

DeclarationKey JanelaSecao::chave() const
{
    return m_dm.chaveAtual();
}

QString JanelaSecao::campoZef(const QString &campo) const
{
    const Table &zef = m_dm.tbZEF;
    return zef.active() && zef.recNo() > 0 ? zef.fieldByName(campo)->asString() : QString();
}

QString JanelaSecao::chaveAtual() const
{
    return m_combo->currentIndex() < 0 ? QString() : chaveDoItem(m_combo->currentText());
}

QString JanelaSecao::filtroInicial() const
{
    return m_descricao.keyColumn + u"='0'"_s;
}

void JanelaSecao::defineJanelasOcultas(const QList<QWidget *> &janelas)
{
    m_ocultas.clear();
    for (QWidget *w : janelas)
        m_ocultas.append(w);
}

QStringList JanelaSecao::linhaTotal(int indice) const
{
    QStringList textos;
    for (const QLabel *l : m_linhasTotal.at(indice))
        textos.append(l->isVisible() || !isVisible() ? l->text() : QString());
    return textos;
}

int JanelaSecao::colunaValor(int indice) const
{
    return 3 + indice;
}

void JanelaSecao::selectGridColumn(int index)
{
    m_grade->setFocusColumn(index);
}

void JanelaSecao::HabilitaBotoes(bool editing)
{
    EditingDialog::HabilitaBotoes(editing);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void JanelaSecao::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_compacto = campoZef(u"StatusDRF"_s) == QLatin1String("N");
        m_razaoSocial->clear();
        runForUser([this] {
            Query razao(m_dm.dtbBaseDados, u"select RazaoSocial from Empresa where InscricaoEmpresa = :ie"_s);
            razao.setParam(u"ie"_s, chave().cgcEmpresa);
            m_razaoSocial->setText(razao.scalar().toString());
            m_combo->clear();
            Query &dom = m_dm.qrDomMunicipio;
            dom.close();
            bindKey(dom, chave());
            dom.open();
            const QString filtro = filtroInicial();
            if (!filtro.isEmpty()) {
                tabela().setFilter(filtro);
                tabela().setFiltered(true);
            }
        });
        m_inscricao->setText(chave().cgcEmpresa);
        m_ano->setText(chave().anoBase);
        m_combo->addItems(itensChave());
        m_combo->setCurrentIndex(-1);
        depoisDePreencher();
    }
    EditingDialog::showEvent(event);
    if (event->spontaneous())
        return;
    reabreLista();
    aplicaLayout();
    m_ocultadas.clear();
    for (const QPointer<QWidget> &w : std::as_const(m_ocultas))
        if (w && w->isVisible()) {
            // A plain hide would end the header's and the chooser's modal loops.
            OcultaJanela(w);
            m_ocultadas.append(w);
        }
    AjustaColunasSimples();
}

void JanelaSecao::hideEvent(QHideEvent *event)
{
    EditingDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    m_lista.close();
    for (const QPointer<QWidget> &w : std::as_const(m_ocultadas))
        if (w)
            ReexibeJanela(w);
    m_ocultadas.clear();
}

void JanelaSecao::closeEvent(QCloseEvent *event)
{
    if (!podeFechar()) {
        event->ignore();
        return;
    }
    EditingDialog::closeEvent(event);
}

bool JanelaSecao::podeFechar()
{
    if (!m_descricao.closeCheck || campoZef(u"StatusN"_s) != QLatin1String("S")
        || campoZef(u"StatusME"_s) != QLatin1String("S"))
        return true;
    int sim = 0;
    runForUser([this, &sim] {
        Table &t = tabela();
        if (!t.active())
            return;
        QList<LinhaFechamento> linhas;
        for (int r = 0; r < t.recordCount(); ++r)
            linhas.append({{t.valueAt(r, t.fieldByName(u"AnoBase"_s)->slot()).toString(),
                            t.valueAt(r, t.fieldByName(u"CGCEmpresa"_s)->slot()).toString()},
                           t.valueAt(r, t.fieldByName(m_descricao.keyColumn)->slot()).toString()});
        sim = perguntasFechamento(m_dm.dtbBaseDados, dialogs(), linhas);
    });
    return sim == 0;
}

void JanelaSecao::aplicaLayout()
{
    for (DBGrid *g : {m_grade, m_gradeLista}) {
        g->setColumnVisible(1, !m_compacto);
        g->setColumnVisible(2, !m_compacto);
        g->setColumnWidth(0, m_compacto ? 442 : 240);
    }
    if (m_rotuloDomicilio)
        m_rotuloDomicilio->setVisible(!m_compacto);
    for (int i = 0; i < m_descricao.amounts.size(); ++i) {
        const SectionAmount &a = m_descricao.amounts.at(i);
        m_grade->setColumnTitle(colunaValor(i), m_compacto ? a.compactTitle : a.fullTitle);
    }
    m_rotuloTotal->setText(m_compacto ? m_descricao.compactTotalCaption : m_descricao.fullTotalCaption);
    const int linhaGrade = m_grade->verticalHeader()->defaultSectionSize();
    m_grade->setFixedHeight(m_grade->horizontalHeader()->sizeHint().height() + linhaGrade * (m_compacto ? 1 : 5) + 6);
    preencheTotais();
}

// ---------------------------------------------------------------------------------------------
// Totals

void JanelaSecao::calculaCampos(Dataset &ds)
{
    for (int i = 0; i < 5; ++i) {
        const QChar letra = kLetras.at(i);
        const TotaisDomicilio &t = m_totais[size_t(i)];
        const bool soma = m_descricao.totals == SectionDescription::Totals::Add;
        if (t.letra.isEmpty() && !soma)
            continue;
        if (!t.letra.isEmpty()) {
            ds.fieldByName(m_descricao.letterFieldStem + letra)->setAsString(t.letra);
            ds.fieldByName(m_descricao.municipalityFieldStem + letra)->setAsString(t.municipio);
        }
        for (int v = 0; v < m_descricao.totalFieldStems.size(); ++v)
            ds.fieldByName(m_descricao.totalFieldStems.at(v) + letra)->setAsFloat(t.valores[size_t(v)]);
    }
}

void JanelaSecao::preencheTotais()
{
    if (!m_painel)
        return;
    const QLocale br = localeValores();
    int linhas = 0;
    for (int i = 0; i < 5; ++i) {
        const TotaisDomicilio &t = m_totais[size_t(i)];
        // The compact layout shows line A alone, without letter and municipality.
        const bool mostra = m_compacto ? i == 0 : !t.letra.isEmpty();
        const QList<QLabel *> &l = m_linhasTotal.at(i);
        l[0]->setText(m_compacto ? QString() : t.letra);
        l[1]->setText(m_compacto ? QString() : t.municipio);
        for (int v = 0; v < 4; ++v)
            l[2 + v]->setText(t.letra.isEmpty() && !m_compacto
                                  ? QString()
                                  : DisplayFormat::format(t.valores[size_t(v)], kFormatoValor, br));
        for (QLabel *label : l)
            label->setVisible(mostra);
        l[0]->setVisible(mostra && !m_compacto);
        l[1]->setVisible(mostra && !m_compacto);
        if (mostra)
            ++linhas;
    }
    // The window grows with the total lines so that every one is seen.
    const int altura = 560 + (m_compacto ? 0 : 90) + 22 * std::max(linhas, 1);
    resize(std::max(width(), 1240), altura);
}

// ---------------------------------------------------------------------------------------------
// Choosing a key

void JanelaSecao::reabreLista()
{
    runForUser([this] {
        m_lista.close();
        bindKey(m_lista, chave());
        if (!m_descricao.directionColumn.isEmpty())
            m_lista.setParam(m_descricao.directionColumn, m_linhas.direction());
        m_lista.open();
    });
}

void JanelaSecao::travaValores(bool travados)
{
    for (int i = 0; i < m_descricao.amounts.size(); ++i) {
        m_grade->setColumnReadOnly(colunaValor(i), travados);
        m_grade->setColumnColor(colunaValor(i), travados ? kCinza : QColor(Qt::white));
    }
}

void JanelaSecao::escolheChave(int indice)
{
    if (indice < 0)
        return;
    const QString escolhida = chaveAtual();
    const bool ok = runForUser([&] {
        m_linhas.GeraLinhas(chave(), escolhida, campoZef(u"StatusDRF"_s) == QLatin1String("N"));
        tabela().setFilter(m_descricao.keyColumn + u"='"_s + escolhida + u"'"_s);
        tabela().setFiltered(true);
        ui::abreTabela(tabela());
    });
    reabreLista();
    travaValores(chaveSomenteLeitura(escolhida));
    if (ok)
        depoisDeGerar(escolhida);
    reabreLista();
    AjustaColunasSimples();
}

void JanelaSecao::AjustaColunasSimples()
{
    if (campoZef(u"RegimeApuracao"_s) != QLatin1String("4"))
        return;
    const QString escolhida = chaveAtual();
    const QStringList travadas = m_descricao.simplifiedLockedColumns(escolhida);
    const bool tudoTravado = chaveSomenteLeitura(escolhida);
    const QColor titulo = palette().color(QPalette::Disabled, QPalette::WindowText);
    for (int i = 0; i < m_descricao.amounts.size(); ++i) {
        const bool travada = travadas.contains(m_descricao.amounts.at(i).field);
        const int c = colunaValor(i);
        m_grade->setColumnReadOnly(c, travada || tudoTravado);
        m_grade->setColumnColor(c, travada || tudoTravado ? kCinza : QColor(Qt::white));
        m_grade->setColumnTextColor(c, travada ? kCinza : QColor(Qt::black));
        m_grade->setColumnTitleColor(c, travada ? titulo : QColor(Qt::black));
        m_gradeLista->setColumnColor(c, travada ? kCinza : QColor(Qt::white));
        m_gradeLista->setColumnTitleColor(c, travada ? titulo : QColor(Qt::black));
    }
    runForUser([this] {
        tabela().close();
        tabela().open();
    });
}

// ---------------------------------------------------------------------------------------------
// The tool bar

void JanelaSecao::btNovoClick()
{
    FocaCampo(m_combo);
}

void JanelaSecao::btGravarClick()
{
    if (!commitPendingEdits(this, &tabela()))
        return;
    if (runForUser([this] { gravaLinha(tabela(), m_descricao, chave(), m_linhas.direction()); }))
        depoisDeGravar();
}

void JanelaSecao::btCancelarClick()
{
    m_grade->discardEditor();
    EditingDialog::btCancelarClick();
}

void JanelaSecao::btExcluirClick()
{
    if (CaixaMensagem(dialogs(), m_descricao.deleteText, kCaixaExclusao, m_descricao.deleteTitle)
        != Dialogs::Button::Ok)
        return;
    const QString escolhida = chaveAtual();
    runForUser([&] { m_linhas.exclui(chave(), escolhida); });
    runForUser([this] { ui::abreTabela(tabela()); });
    reabreLista();
}

void JanelaSecao::btRetornarClick()
{
    if (btCancelar()->isEnabled())
        btCancelarClick();
    close();
}

} // namespace zef
