#pragma once

#include "data/edit_mask.h"

#include <QLineEdit>

namespace zef {

// A line edit under an edit mask in the catalogue's notation ("99.999.999-9", "9999;0;_").
// What the user keys is one edit: it starts with the first change and ends when the focus
// leaves or Enter is pressed, and then edited() is emitted once. Text set from code emits
// nothing. Escape during an edit restores the text it started from.
class MaskEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit MaskEdit(QWidget *parent = nullptr);
    explicit MaskEdit(const QString &mask, QWidget *parent = nullptr);

    void setEditMask(const QString &mask);
    const EditMask &editMask() const { return m_mask; }

    // The text without the mask's literals and blanks ("290000017" for "29.000.001-7").
    QString value() const;
    void setValue(const QString &value);
    // True when no input position holds a character (an empty date shows "  /  /    ").
    bool isMaskEmpty() const;

    // Whether the user changed the text since the edit started.
    bool isPending() const { return m_pending; }
    // Ends a pending edit (the bound edit writes its field); false when it was refused and
    // the text stays for correction.
    bool commit();

signals:
    void edited();
    void entered();
    // The focus left for `next` (null when it left the window); after commit.
    void exited(QWidget *next);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

    // Hooks for the data-aware edit.
    virtual bool beginUserEdit() { return true; }
    virtual bool writeValue() { return true; }
    virtual void revertValue();
    virtual void showForEditing() {}
    virtual void showAtRest() {}

    // Replaces the text from code: no signal, no pending edit.
    void showText(const QString &text);
    void dropPending() { m_pending = false; }

private:
    void userEdited();
    void placeCursor();

    EditMask m_mask;
    QString m_startText;
    bool m_pending = false;
};

} // namespace zef
