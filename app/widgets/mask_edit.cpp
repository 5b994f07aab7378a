#include "app/widgets/mask_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

namespace zef {
namespace {

// Focus that goes to another program or to a pop-up comes back; the edit is not left.
bool leavesForGood(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

MaskEdit::MaskEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &MaskEdit::userEdited);
}

MaskEdit::MaskEdit(const QString &mask, QWidget *parent) : MaskEdit(parent)
{
    setEditMask(mask);
}

void MaskEdit::setEditMask(const QString &mask)
{
    if (mask == m_mask.source())
        return;
    const QString current = value();
    m_mask = EditMask(mask);
    setInputMask(m_mask.inputMask());
    showText(current);
}

QString MaskEdit::value() const
{
    return m_mask.isEmpty() ? text() : m_mask.strip(displayText());
}

void MaskEdit::setValue(const QString &value)
{
    showText(value);
}

bool MaskEdit::isMaskEmpty() const
{
    return m_mask.isEmpty() ? text().isEmpty() : m_mask.isBlank(displayText());
}

void MaskEdit::showText(const QString &text)
{
    m_pending = false;
    setText(text);
    m_startText = this->text();
    if (hasFocus())
        placeCursor();
}

// Keying starts at the first blank: a masked edit ignores keys typed past it, and setting the
// text leaves the cursor at the end.
void MaskEdit::placeCursor()
{
    if (m_mask.isEmpty() || hasSelectedText())
        return;
    const int blank = m_mask.firstBlank(displayText());
    if (blank >= 0 && cursorPosition() > blank)
        setCursorPosition(blank);
}

void MaskEdit::userEdited()
{
    if (m_pending)
        return;
    if (!beginUserEdit()) {
        revertValue();
        return;
    }
    m_pending = true;
}

void MaskEdit::revertValue()
{
    showText(m_startText);
}

bool MaskEdit::commit()
{
    if (!m_pending)
        return true;
    if (!writeValue())
        return false;
    m_pending = false;
    m_startText = text();
    emit edited();
    return true;
}

void MaskEdit::focusInEvent(QFocusEvent *event)
{
    if (!m_pending)
        showForEditing();
    QLineEdit::focusInEvent(event);
    placeCursor();
    if (leavesForGood(event->reason()))
        emit entered();
}

void MaskEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!leavesForGood(event->reason()))
        return;
    QWidget *next = QApplication::focusWidget();
    if (!commit()) {
        // The focus change is under way and cannot be refused here; take it back after it.
        QMetaObject::invokeMethod(this, [this] { setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
        return;
    }
    showAtRest();
    emit exited(next);
}

void MaskEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    placeCursor();
}

void MaskEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        break;
    case Qt::Key_Escape:
        if (m_pending) {
            revertValue();
            selectAll();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace zef
