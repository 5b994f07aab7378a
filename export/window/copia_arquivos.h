#pragma once

#include "export/declaration_list.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace zef {

class Dialogs;
class TfDmDados;

// What a window does with an error it cannot handle itself (of the tables, of the compression, of
// the file system): the program passes its application-wide handler, which logs and shows it.
using ErrorHandler = std::function<void(const QString &message)>;

// "Cópia de Arquivos": the user lists the declarations of a base year, ticks some and writes the
// declaration file for them.
class TfCopiaArquivos : public QDialog
{
    Q_OBJECT

public:
    TfCopiaArquivos(TfDmDados &dados, Dialogs &dialogs, QWidget *parent = nullptr);

    // Errors go here; without a handler they are shown in an error box.
    ErrorHandler onError;
    // The save dialog: gets the proposed name, returns the chosen path or nothing. By default the
    // standard save dialog, without filter, default extension or overwrite question.
    std::function<std::optional<QString>(QWidget *parent, const QString &proposedName)> SaveDialog1;

    QLineEdit *EdtAnoBase;
    QPushButton *btnConsultaQORM;
    QPushButton *btnMarcaTodas;
    QPushButton *btnDesmarcaTodas;
    QPushButton *btnCopiar;
    QPushButton *btnRetornar;
    QListWidget *CheckListBoxContrituintes;
    QStatusBar *StatusBar;

public slots:
    void btnConsultaQORMClick();
    void btnMarcaTodasClick();
    void btnDesmarcaTodasClick();
    void btnCopiarClick();
    void btnRetornarClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void ePeriodoEnter();
    void GeraArquivo();
    void setTodas(bool checked);
    QStringList marcadas() const;   // the registration digits of the ticked entries
    void reportError(const QString &message);

    TfDmDados &m_dados;
    Dialogs &m_dialogs;
};

// Opens the export window modally and frees it when it closes ("&Gravar arquivo" of the main window).
void abreCopiaArquivos(QWidget *parent, TfDmDados &dados, Dialogs &dialogs, ErrorHandler onError = {});

} // namespace zef
