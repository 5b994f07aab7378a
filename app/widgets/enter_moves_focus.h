#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace zef {

// Makes Enter act as Tab on one window: the focus goes to the next control in tab order
// (enabled, shown, taking Tab; wrapping round). A push or tool button with the focus is
// pressed instead, an open grid cell and multi-line text keep their Enter, and so does any
// control excluded. The window sees the key before its controls do.
class EnterMovesFocus : public QObject
{
    Q_OBJECT

public:
    explicit EnterMovesFocus(QWidget *window);
    static EnterMovesFocus *install(QWidget *window) { return new EnterMovesFocus(window); }

    // Controls (and everything inside them) that keep their own Enter.
    void exclude(QWidget *control);

    // The control the focus would move to from `from`; null when there is none.
    static QWidget *nextControl(QWidget *from);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool excluded(QWidget *w) const;

    QPointer<QWidget> m_window;
    QList<QPointer<QWidget>> m_excluded;
};

} // namespace zef
