#include "app/main_window.h"

#include "app/abre_janela.h"
#include "app/ajuda.h"
#include "app/frm_help.h"
#include "app/logo.h"
#include "app/programa.h"
#include "app/sobre.h"
#include "app/titulos.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <functional>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

// The empty area beside the buttons: the emblem faded into the background under the system's name.
class Fundo : public QWidget
{
public:
    explicit Fundo(QWidget *parent) : QWidget(parent) { setObjectName(u"imgFundo"_s); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient degrade(0, 0, 0, height());
        degrade.setColorAt(0.0, QColor(0xf4, 0xf7, 0xfb));
        degrade.setColorAt(1.0, QColor(0xd6, 0xe2, 0xf0));
        p.fillRect(rect(), degrade);

        const int lado = qMin(width(), height()) / 3;
        if (lado > 16) {
            p.setOpacity(0.18);
            p.drawPixmap((width() - lado) / 2, (height() - lado) / 2 - lado / 4, logoZef(lado));
            p.setOpacity(1.0);
        }

        QFont fonte = font();
        fonte.setPointSize(20);
        fonte.setBold(true);
        p.setFont(fonte);
        p.setPen(QColor(0x0b, 0x2e, 0x5c));
        const QRect faixa(0, height() * 2 / 3, width(), height() / 8);
        p.drawText(faixa, Qt::AlignCenter, u"ZEF 2026"_s);
        fonte.setPointSize(13);
        fonte.setBold(false);
        p.setFont(fonte);
        p.drawText(faixa.translated(0, faixa.height()), Qt::AlignHCenter | Qt::AlignTop, tituloLongo());
    }
};

void executa(const std::function<void()> &entrada)
{
    if (entrada)
        entrada();
}

} // namespace

TfPrincipal::TfPrincipal(Programa &programa, QWidget *parent) : QMainWindow(parent), m_programa(programa)
{
    setObjectName(u"fPrincipal"_s);
    setWindowTitle(tituloJanelaPrincipal());
    setWindowIcon(QIcon(logoZef(64)));

    auto *centro = new QWidget(this);
    auto *layout = new QHBoxLayout(centro);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(criaPainelEsquerdo());
    layout->addWidget(new Fundo(centro), 1);
    setCentralWidget(centro);

    criaMenus();

    // Two panels, empty: the windows of the program write nothing here.
    for (int i = 0; i < 2; ++i) {
        auto *painel = new QLabel(statusBar());
        painel->setObjectName(u"StatusBar1Panel%1"_s.arg(i));
        painel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        painel->setMinimumWidth(i == 0 ? 240 : 0);
        statusBar()->addWidget(painel, i == 0 ? 0 : 1);
    }
    statusBar()->setSizeGripEnabled(false);

    resize(1024, 700);
    setWindowState(Qt::WindowMaximized);
}

QWidget *TfPrincipal::criaPainelEsquerdo()
{
    auto *painel = new QFrame(this);
    painel->setObjectName(u"Panel1"_s);
    painel->setFrameShape(QFrame::StyledPanel);
    painel->setFixedWidth(210);

    auto *logo = new QLabel(painel);
    logo->setObjectName(u"Image1"_s);
    logo->setPixmap(logoZef(150));
    logo->setAlignment(Qt::AlignCenter);

    struct Botao {
        const char *nome;
        QString texto;
        void (TfPrincipal::*acao)();
    };
    const Botao botoes[] = {
        {"btCadastrar", u"Cadastrar &ZEF"_s, &TfPrincipal::btCadastrarClick},
        {"btGravar", u"&Gravar arquivo"_s, &TfPrincipal::btGravarClick},
        {"btImprimir", u"Im&primir ZEF"_s, &TfPrincipal::btImprimirClick},
        {"btSair", u"&Sair"_s, &TfPrincipal::btSairClick},
    };

    auto *layout = new QVBoxLayout(painel);
    layout->setContentsMargins(12, 16, 12, 16);
    layout->setSpacing(10);
    layout->addWidget(logo);
    layout->addSpacing(16);
    for (const Botao &b : botoes) {
        auto *botao = new QPushButton(b.texto, painel);
        botao->setObjectName(QString::fromLatin1(b.nome));
        botao->setMinimumHeight(40);
        connect(botao, &QPushButton::clicked, this, b.acao);
        layout->addWidget(botao);
        if (b.acao == &TfPrincipal::btGravarClick)
            botao->setToolTip(u"Gravar arquivo para ser transmitido via intenet"_s);
    }
    layout->addStretch();
    return painel;
}

void TfPrincipal::criaMenus()
{
    auto item = [this](QMenu *menu, const char *nome, const QString &texto, void (TfPrincipal::*acao)(),
                       const QKeySequence &atalho = {}) {
        QAction *a = menu->addAction(texto);
        a->setObjectName(QString::fromLatin1(nome));
        a->setShortcut(atalho);
        connect(a, &QAction::triggered, this, acao);
        return a;
    };

    QMenu *cadastros = menuBar()->addMenu(u"&Cadastros"_s);
    cadastros->setObjectName(u"mnCadastros"_s);
    item(cadastros, "miContribuintes", u"&Contribuintes"_s, &TfPrincipal::miContribuintesClick,
         QKeySequence(Qt::CTRL | Qt::Key_C));
    item(cadastros, "miContabilista", u"C&ontabilista Responsável pela Declaração"_s,
         &TfPrincipal::miContabilistaClick);
    item(cadastros, "miImportarDados", u"&Importar Dados Contribuintes ZEF 2025"_s,
         &TfPrincipal::miImportarDadosClick);
    cadastros->addSeparator();
    item(cadastros, "miSair", u"&Sair"_s, &TfPrincipal::btSairClick);

    // Present but never shown: its entries answer only to their shortcuts, which is why they also
    // belong to the window itself.
    QMenu *tabelas = menuBar()->addMenu(u"&Tabelas"_s);
    tabelas->setObjectName(u"mnTabelas"_s);
    tabelas->menuAction()->setVisible(false);
    addAction(item(tabelas, "miMunicipios", u"M&unicípios"_s, &TfPrincipal::miMunicipiosClick,
                   QKeySequence(Qt::CTRL | Qt::Key_M)));
    addAction(item(tabelas, "miAtividades", u"&Atividades "_s, &TfPrincipal::miAtividadesClick,
                   QKeySequence(Qt::CTRL | Qt::Key_T)));

    QMenu *ferramentas = menuBar()->addMenu(u"&Ferramentas"_s);
    ferramentas->setObjectName(u"mnFerramentas"_s);
    item(ferramentas, "miReindexar", u"&Reindexar Arquivos"_s, &TfPrincipal::miReindexarClick);
    item(ferramentas, "miImportarTxt", u"&Importar dados do sistema de contablidade p/ ZEF Eletrônico"_s,
         &TfPrincipal::miImportarTxtClick);

    QMenu *ajuda = menuBar()->addMenu(u"&Ajuda"_s);
    ajuda->setObjectName(u"mnAjuda"_s);
    item(ajuda, "miManual", u"&Manual de Preenchimento"_s, &TfPrincipal::miManualClick);
    item(ajuda, "miMudancas", u"Exibir informativo de mudanças da versão"_s, &TfPrincipal::miMudancasClick);
    item(ajuda, "miLeiaute", u"&LEIAUTE 2026"_s, &TfPrincipal::miLeiauteClick);
    ajuda->addSeparator();
    item(ajuda, "miSobre", u"&Sobre o Sistema"_s, &TfPrincipal::miSobreClick);
}

QString TfPrincipal::pagina(const char *arquivo) const
{
    return QDir(m_programa.pagesDir()).filePath(QString::fromLatin1(arquivo));
}

void TfPrincipal::btCadastrarClick()
{
    executa(m_programa.entradas.cadastrarZef);
}

void TfPrincipal::btGravarClick()
{
    executa(m_programa.entradas.gravarArquivo);
}

void TfPrincipal::btImprimirClick()
{
    executa(m_programa.entradas.imprimirZef);
}

void TfPrincipal::btSairClick()
{
    close();
}

void TfPrincipal::miContribuintesClick()
{
    executa(m_programa.entradas.contribuintes);
}

void TfPrincipal::miContabilistaClick()
{
    executa(m_programa.entradas.contabilista);
}

void TfPrincipal::miImportarDadosClick()
{
    executa(m_programa.entradas.importarDadosContribuintes);
}

void TfPrincipal::miMunicipiosClick()
{
    executa(m_programa.entradas.municipios);
}

void TfPrincipal::miAtividadesClick()
{
    executa(m_programa.entradas.atividades);
}

void TfPrincipal::miReindexarClick()
{
    m_programa.reindexa(true);
}

void TfPrincipal::miImportarTxtClick()
{
    executa(m_programa.entradas.importarDadosTxt);
}

void TfPrincipal::miManualClick()
{
    TfAjuda janela(this);
    janela.navega(pagina(kPaginaManual));
    MostraModal(janela);
}

void TfPrincipal::miMudancasClick()
{
    TFrmHelp janela(this);
    janela.mostraNaoExibir(false);
    janela.navega(pagina(kPaginaMudancas));
    MostraModal(janela);
}

void TfPrincipal::miLeiauteClick()
{
    TFrmHelp janela(this);
    janela.mostraNaoExibir(false);
    janela.navega(pagina(kPaginaLeiaute));
    MostraModal(janela);
}

void TfPrincipal::miSobreClick()
{
    TfSobre janela(this);
    MostraModal(janela);
}

} // namespace zef
