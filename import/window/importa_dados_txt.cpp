#include "import/window/importa_dados_txt.h"

#include "data/data_module.h"
#include "data/dialogs.h"
#include "engine/engine_error.h"
#include "import/text_import.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zef {
namespace {

QToolButton *botao(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

// Lets the window repaint the log and the status bar while the import keeps the only thread;
// the user's clicks wait until it has finished.
void atualizaTela()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The hourglass and the locked buttons last while the import runs, however it ends.
class Ocupado
{
public:
    explicit Ocupado(std::initializer_list<QWidget *> widgets) : m_widgets(widgets)
    {
        for (QWidget *w : m_widgets)
            w->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Ocupado()
    {
        QApplication::restoreOverrideCursor();
        for (QWidget *w : m_widgets)
            w->setEnabled(true);
    }
    Ocupado(const Ocupado &) = delete;
    Ocupado &operator=(const Ocupado &) = delete;

private:
    QList<QWidget *> m_widgets;
};

} // namespace

TfImportaDadosTxt::TfImportaDadosTxt(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("fImportaDadosTxt"));
    setWindowTitle(QStringLiteral("Importa Dados .txt"));
    resize(680, 460);

    auto *barra = new QWidget(this);
    barra->setObjectName(QStringLiteral("ToolBar1"));
    BtnImportar = botao(barra, "BtnImportar", QStringLiteral("&Importar ZEF"),
                        QStringLiteral("Cliqui aqui para localizar contribuinte pelo nome"));
    bRetornar = botao(barra, "bRetornar", QStringLiteral("&Retornar"),
                      QStringLiteral("Cliqui aqui para retornar a tela inicial"));
    auto *botoes = new QHBoxLayout(barra);
    botoes->setContentsMargins(2, 2, 2, 2);
    botoes->addWidget(BtnImportar);
    botoes->addWidget(bRetornar);
    botoes->addStretch();

    Response = new QPlainTextEdit(this);
    Response->setObjectName(QStringLiteral("Response"));
    Response->setReadOnly(true);
    Response->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Response->setLineWrapMode(QPlainTextEdit::NoWrap);

    Rodape = new QStatusBar(this);
    Rodape->setObjectName(QStringLiteral("Rodape"));
    Rodape->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barra);
    layout->addWidget(Response, 1);
    layout->addWidget(Rodape);

    escolheArquivo = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), QString::fromLatin1(kFiltro));
    };

    connect(BtnImportar, &QToolButton::clicked, this, &TfImportaDadosTxt::BtnImportarClick);
    connect(bRetornar, &QToolButton::clicked, this, &TfImportaDadosTxt::bRetornarClick);
}

void TfImportaDadosTxt::BtnImportarClick()
{
    const QString path = escolheArquivo ? escolheArquivo() : QString();
    if (path.isEmpty())
        return;
    importa(path);
}

void TfImportaDadosTxt::bRetornarClick()
{
    close();
}

void TfImportaDadosTxt::adicionaAoLog(const QString &entry)
{
    // An entry may hold several lines, written with CR LF.
    QString text = entry;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Response->appendPlainText(text);
    atualizaTela();
}

void TfImportaDadosTxt::importa(const QString &path)
{
    Response->clear();
    Rodape->clearMessage();

    TextImport importacao(m_dm.dtbBaseDados, m_dialogs);
    QString ultimaEntrada;
    importacao.onLog = [&](const QString &entry) {
        ultimaEntrada = entry;
        adicionaAoLog(entry);
    };
    importacao.onProgress = [this](qint64 line, qint64 lines) {
        Rodape->showMessage(QStringLiteral("Linha %1 de %2").arg(line).arg(lines));
        atualizaTela();
    };

    ImportSummary resumo;
    bool lido = false;   // the import ran to its own end, with a summary to show
    QString erro;
    {
        const Ocupado ocupado{BtnImportar, bRetornar};
        try {
            resumo = importacao.importFile(path);
            lido = resumo.end != ImportEnd::CannotOpen;
        } catch (const EngineError &e) {
            resumo.end = ImportEnd::Error;
            erro = e.message();
        }
        // The data module's tables were read before the import; they show the new declarations
        // only once read again.
        try {
            if (m_dm.tbZEF.active())
                m_dm.tbZEF.refresh();
        } catch (const EngineError &e) {
            if (erro.isEmpty())
                erro = e.message();
        }
    }
    Rodape->showMessage(resumo.endedEarly() ? QStringLiteral("Importação interrompida.")
                                            : QStringLiteral("Importação concluída."));
    if (lido)
        adicionaAoLog(textoResumo(resumo));

    if (resumo.end == ImportEnd::CannotOpen)
        erro = QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(QDir::toNativeSeparators(path), resumo.error);
    else if (resumo.end == ImportEnd::Error && erro.isEmpty())
        erro = resumo.error.isEmpty() ? ultimaEntrada : resumo.error;
    if (erro.isEmpty())
        return;
    if (trataErro)
        trataErro(erro);
    else
        CaixaMensagem(m_dialogs, erro, kCaixaErro);
}

void abreImportaDadosTxt(QWidget *parent, TfDmDados &dm, Dialogs &dialogs,
                         std::function<void(const QString &mensagem)> trataErro)
{
    TfImportaDadosTxt janela(dm, dialogs, parent);
    janela.trataErro = std::move(trataErro);
    janela.exec();
}

} // namespace zef
