#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>

namespace zef {

// Makes Escape press a window's cancel button (when it is enabled and shown), whichever
// control has the focus. An open grid cell is closed unwritten first. The window never
// closes on Escape.
class EscapeCancels : public QObject
{
    Q_OBJECT

public:
    EscapeCancels(QWidget *window, QAbstractButton *cancel);
    static EscapeCancels *install(QWidget *window, QAbstractButton *cancel)
    {
        return new EscapeCancels(window, cancel);
    }

    void setButton(QAbstractButton *cancel) { m_button = cancel; }
    QAbstractButton *button() const { return m_button; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QAbstractButton> m_button;
};

} // namespace zef
