#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>
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

// Where a window of that size (without its frame) goes: centred over the opener's frame, made no
// larger than the room on the screen and kept on it. `moldura` is the frame the window manager
// adds; the answer is the window's own area, without it.
QRect posicaoCentrada(const QSize &janela, const QRect &abridor, const QRect &disponivel, const QMargins &moldura);

// Places the window centred over `parent` (over the screen without one), whole on the screen:
// on a small screen it is made smaller, down to its minimum size.
void centraSobre(QWidget &janela, const QWidget *parent);

// Margins and font shared by the windows.
void preparaJanela(QDialog *janela, const QString &nome, const QString &titulo);

} // namespace zef::ui
