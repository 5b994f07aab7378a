#include "import/window/importar_dados.h"

#include "data/data_module.h"
#include "data/dialogs.h"
#include "engine/engine_error.h"
#include "import/previous_import.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zef {
namespace {

QToolButton *botao(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

// The hourglass lasts while the import runs, however it ends.
class Ampulheta
{
public:
    Ampulheta() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Ampulheta() { QApplication::restoreOverrideCursor(); }
    Ampulheta(const Ampulheta &) = delete;
    Ampulheta &operator=(const Ampulheta &) = delete;
};

} // namespace

TFrmImportarDados::TFrmImportarDados(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FrmImportarDados"));
    setWindowTitle(QStringLiteral("Importação de Dados"));
    resize(520, 150);

    auto *barra = new QWidget(this);
    barra->setObjectName(QStringLiteral("ToolBar1"));
    btnVoltar = botao(barra, "btnVoltar", QStringLiteral("&Voltar"));
    SpeedButton2 = botao(barra, "SpeedButton2", QStringLiteral("&Importar"));
    auto *botoes = new QHBoxLayout(barra);
    botoes->setContentsMargins(2, 2, 2, 2);
    botoes->addWidget(btnVoltar);
    botoes->addWidget(SpeedButton2);
    botoes->addStretch();

    auto *corpo = new QWidget(this);
    Label1 = new QLabel(QStringLiteral("Caminho do banco de dados:"), corpo);
    Label1->setObjectName(QStringLiteral("Label1"));
    EdtPath = new QLineEdit(QString::fromLatin1(kPastaPadrao), corpo);
    EdtPath->setObjectName(QStringLiteral("EdtPath"));
    Label1->setBuddy(EdtPath);
    btnPasta = new QToolButton(corpo);
    btnPasta->setObjectName(QStringLiteral("btnPasta"));
    btnPasta->setText(QStringLiteral("..."));
    btnPasta->setToolTip(QStringLiteral("Procurar a pasta"));
    auto *caminho = new QHBoxLayout;
    caminho->addWidget(EdtPath, 1);
    caminho->addWidget(btnPasta);
    auto *campos = new QVBoxLayout(corpo);
    campos->addWidget(Label1);
    campos->addLayout(caminho);
    campos->addStretch();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barra);
    layout->addWidget(corpo, 1);
    layout->addWidget(StatusBar1);

    setTabOrder(EdtPath, btnPasta);
    EdtPath->setFocus();

    escolhePasta = [this] {
        return QFileDialog::getExistingDirectory(this, Label1->text(), EdtPath->text().trimmed());
    };

    connect(SpeedButton2, &QToolButton::clicked, this, &TFrmImportarDados::SpeedButton2Click);
    connect(btnVoltar, &QToolButton::clicked, this, &TFrmImportarDados::btnVoltarClick);
    connect(btnPasta, &QToolButton::clicked, this, &TFrmImportarDados::btnPastaClick);
}

void TFrmImportarDados::btnVoltarClick()
{
    close();
}

void TFrmImportarDados::btnPastaClick()
{
    const QString pasta = escolhePasta ? escolhePasta() : QString();
    if (!pasta.isEmpty())
        EdtPath->setText(QDir::toNativeSeparators(pasta));
    EdtPath->setFocus();
}

void TFrmImportarDados::SpeedButton2Click()
{
    const QString pasta = EdtPath->text().trimmed();
    if (pasta.isEmpty()) {
        Mensagem(m_dialogs, textoCaminhoNaoInformado());
        EdtPath->setFocus();
        return;
    }

    StatusBar1->clearMessage();
    PreviousImport importacao(m_dm.dtbBaseDados);
    QString erro;
    {
        const Ampulheta ampulheta;
        try {
            importacao.importFolder(pasta);
        } catch (const EngineError &e) {
            erro = e.message();
        }
        // The registers the data module shows were read before the import.
        try {
            for (Table *registro : {&m_dm.tbEmpresa, &m_dm.tbContador})
                if (registro->active() && !registro->editing())
                    registro->refresh();
        } catch (const EngineError &e) {
            if (erro.isEmpty())
                erro = e.message();
        }
    }
    const PreviousImportCount &incluidos = importacao.added();
    StatusBar1->showMessage(QStringLiteral("Contribuintes incluídos: %1. Contabilistas incluídos: %2.")
                                .arg(incluidos.empresas)
                                .arg(incluidos.contadores));

    if (erro.isEmpty()) {
        // The start-up run, with the window never shown, reports nothing.
        if (isVisible())
            CaixaMensagem(m_dialogs, textoDadosImportados(), kCaixaInformacao);
        return;
    }
    CaixaMensagem(m_dialogs, textoErroImportacao(), kCaixaErro);
    if (trataErro)
        trataErro(erro);
    else
        CaixaMensagem(m_dialogs, erro, kCaixaErro);
}

void abreImportarDados(QWidget *parent, TfDmDados &dm, Dialogs &dialogs,
                       std::function<void(const QString &mensagem)> trataErro)
{
    TFrmImportarDados janela(dm, dialogs, parent);
    janela.trataErro = std::move(trataErro);
    janela.exec();
}

void importaInstalacaoAnterior(TfDmDados &dm, Dialogs &dialogs, const QString &folder)
{
    TFrmImportarDados janela(dm, dialogs);
    janela.EdtPath->setText(folder);
    janela.trataErro = [](const QString &mensagem) { throw EngineError(mensagem); };
    janela.SpeedButton2Click();
}

} // namespace zef
