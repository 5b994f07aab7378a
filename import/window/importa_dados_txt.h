#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QPlainTextEdit;
class QStatusBar;
class QToolButton;

namespace zef {

class Dialogs;
class TfDmDados;

// The text import window: the user picks a file of declarations exported by an accounting system
// and follows the result of each declaration in the log while the status bar counts the lines.
class TfImportaDadosTxt : public QDialog
{
    Q_OBJECT

public:
    static constexpr auto kFiltro = "Arquivos Texto (*.txt);;Todos os Arquivos (*.*)";

    TfImportaDadosTxt(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);

    // Asks for the file to import; an empty text when the user cancels. The open dialog by
    // default.
    std::function<QString()> escolheArquivo;
    // Told when the import ends on an error (a line it cannot read, a row the database refuses,
    // a file it cannot open), after the log shows it: the application's error handler, which
    // also writes Erros.log. Without one the message is shown in an error box.
    std::function<void(const QString &mensagem)> trataErro;

    QToolButton *BtnImportar;
    QToolButton *bRetornar;
    QPlainTextEdit *Response;
    QStatusBar *Rodape;

public slots:
    void BtnImportarClick();
    void bRetornarClick();

private:
    void importa(const QString &path);
    void adicionaAoLog(const QString &entry);

    TfDmDados &m_dm;
    Dialogs &m_dialogs;
};

// Opens the window modally over parent; the main window's "&Ferramentas" menu calls it.
void abreImportaDadosTxt(QWidget *parent, TfDmDados &dm, Dialogs &dialogs,
                         std::function<void(const QString &mensagem)> trataErro = {});

} // namespace zef
