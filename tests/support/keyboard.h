#pragma once

// Working windows as a person does: showing them, moving with Tab and Enter, keying text.
// The helpers act on the control that has the focus, as the keyboard does.

#include <QString>

class QLineEdit;
class QWidget;

namespace zef::testsupport {

// The control with the focus.
QWidget *foco();

// Shows a window as the user gets it and waits until it can take keys.
bool mostra(QWidget &janela);

// A modal window that has just closed may leave no window active on the offscreen platform;
// the desktop gives the activation back to the window below.
void reativa(QWidget &janela);

// Puts the focus into the edit and keys the text over what it showed.
void digita(QLineEdit *edit, const QString &texto);

// One key on the control with the focus; with Alt, waits for the button it presses.
void tecla(int key, Qt::KeyboardModifiers mod = Qt::NoModifier);
// Keys the text into the control with the focus.
void escreve(const QString &texto);
// Leaves the control with the focus as Tab does.
void tab();
void enter();
// Tab until the focus is inside `alvo` (at most a window's worth of controls).
bool tabAte(QWidget *alvo);

} // namespace zef::testsupport
