#pragma once

#include <QList>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace zef {
class Table;
}

namespace zef::ui {

// The pieces every editing, register and look-up window is built from, so that they look like one
// program: the same tool bar, buttons, spacing and labels.

// A tool bar button. Buttons take the focus when clicked (the windows ask where the focus went)
// and never act as the dialog's default: Enter is each window's own business.
QPushButton *botao(const QString &texto, const QString &nome, QWidget *parent);

// The tool bar along the top: the buttons in order, `fim` pushed to the right end.
QFrame *barraFerramentas(QWidget *parent, const QList<QWidget *> &itens, const QList<QWidget *> &fim);

// A field label whose mnemonic, when it has one, leads to `campo`.
QLabel *rotulo(const QString &texto, QWidget *campo, QWidget *parent);

// Opens the table, or reads its rows again when it is already open: other windows and
// statements may have changed them since.
void abreTabela(Table &tabela);

// Places the window over the middle of `parent` (nothing without one).
void centraSobre(QWidget &janela, const QWidget *parent);

// Margins and font shared by the windows.
void preparaJanela(QDialog *janela, const QString &nome, const QString &titulo);

} // namespace zef::ui
