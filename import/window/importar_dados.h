#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;

namespace zef {

class Dialogs;
class TfDmDados;

// The import of the taxpayers and accountants of an earlier installation: the user names the
// folder of its tables and presses "&Importar".
class TFrmImportarDados : public QDialog
{
    Q_OBJECT

public:
    static constexpr auto kPastaPadrao = "c:\\ZEF2025\\db";

    TFrmImportarDados(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);

    // Asks for the folder beside the path box; an empty text when the user cancels. The folder
    // dialog by default.
    std::function<QString()> escolhePasta;
    // Told of an error after the window has said "Erro ao tentar importar dados ": the
    // application's error handler. Without one the reason is shown in an error box.
    std::function<void(const QString &mensagem)> trataErro;

    QLabel *Label1;
    QLineEdit *EdtPath;
    QToolButton *btnPasta;
    QToolButton *btnVoltar;
    QToolButton *SpeedButton2;
    QStatusBar *StatusBar1;

public slots:
    void SpeedButton2Click();
    void btnVoltarClick();
    void btnPastaClick();

private:
    TfDmDados &m_dm;
    Dialogs &m_dialogs;
};

// Opens the window modally over parent; the main window's "&Cadastros" menu calls it.
void abreImportarDados(QWidget *parent, TfDmDados &dm, Dialogs &dialogs,
                       std::function<void(const QString &mensagem)> trataErro = {});

// The start-up run: the window, never shown, imports from folder and reports nothing when it
// succeeds. An error is said in its box and then thrown again as an EngineError, so that it ends
// the data module's creation and reaches the error handler.
void importaInstalacaoAnterior(TfDmDados &dm, Dialogs &dialogs, const QString &folder);

} // namespace zef
