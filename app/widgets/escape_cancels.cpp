#include "app/widgets/escape_cancels.h"

#include "app/widgets/db_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace zef {

EscapeCancels::EscapeCancels(QWidget *window, QAbstractButton *cancel)
    : QObject(window), m_window(window), m_button(cancel)
{
    qApp->installEventFilter(this);
}

bool EscapeCancels::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !m_window)
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (w->window() != m_window || w != QApplication::focusWidget())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Escape || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    for (QWidget *p = w; p && p != m_window; p = p->parentWidget())
        if (auto *grid = qobject_cast<DBGrid *>(p)) {
            grid->discardEditor();
            break;
        }
    if (m_button && m_button->isEnabled() && m_button->isVisibleTo(m_window))
        m_button->click();
    return true;
}

} // namespace zef
