#include "app/widgets/enter_moves_focus.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

namespace zef {
namespace {

// An editor opened inside an item view's cell.
bool inCellEditor(QWidget *w)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(p))
            return w != view && view->viewport()->isAncestorOf(w);
        if (p->isWindow())
            break;
    }
    return false;
}

bool isEnterKey(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

} // namespace

EnterMovesFocus::EnterMovesFocus(QWidget *window) : QObject(window), m_window(window)
{
    // Installed on the application so that the window sees the key before the control with
    // the focus (and before a dialog's default button).
    qApp->installEventFilter(this);
}

void EnterMovesFocus::exclude(QWidget *control)
{
    m_excluded.append(control);
}

bool EnterMovesFocus::excluded(QWidget *w) const
{
    for (const QPointer<QWidget> &e : m_excluded)
        if (e && (e == w || e->isAncestorOf(w)))
            return true;
    return false;
}

QWidget *EnterMovesFocus::nextControl(QWidget *from)
{
    if (!from)
        return nullptr;
    QWidget *window = from->window();
    QWidget *candidate = from;
    for (;;) {
        candidate = candidate->nextInFocusChain();
        if (!candidate || candidate == from)
            return nullptr;
        if (candidate->window() == window && candidate->isEnabled() && candidate->isVisibleTo(window)
            && (candidate->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !candidate->focusProxy()
            && !inCellEditor(candidate))
            return candidate;
    }
}

bool EnterMovesFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !m_window)
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (w->window() != m_window || w != QApplication::focusWidget())
        return false;
    if (!isEnterKey(static_cast<QKeyEvent *>(event)))
        return false;
    if (excluded(w) || inCellEditor(w) || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w))
        return false;
    if (auto *button = qobject_cast<QAbstractButton *>(w);
        button && !qobject_cast<QCheckBox *>(w) && !qobject_cast<QRadioButton *>(w)) {
        button->click();
        return true;
    }
    if (QWidget *next = nextControl(w)) {
        next->setFocus(Qt::TabFocusReason);
        // The style marks the focused button, radio button or cell only after a focus change by
        // keyboard, which Qt sees in Tab and not in Enter; without the mark the user loses it.
        m_window->setAttribute(Qt::WA_KeyboardFocusChange);
        m_window->update();
    }
    return true;
}

} // namespace zef
