#pragma once

#include <QString>

#include <utility>

namespace zef {

// What a rule needs from an edit on a window: its text, and the focus when the rule refuses.
// Windows wrap their widgets in it; headless callers (import, command line, tests) pass a PlainFieldEdit.
class FieldEdit {
public:
    virtual ~FieldEdit() = default;
    virtual QString text() const = 0;
    // Gives the edit the focus when it can take it (enabled, visible, parent visible); false otherwise.
    virtual bool focus() = 0;
};

// An edit without a window: holds its text and remembers whether a rule asked for the focus.
class PlainFieldEdit final : public FieldEdit {
public:
    PlainFieldEdit() = default;
    explicit PlainFieldEdit(QString text) : m_text(std::move(text)) {}

    QString text() const override { return m_text; }
    bool focus() override
    {
        m_focused = true;
        return true;
    }

    void setText(const QString &text) { m_text = text; }
    bool focused() const { return m_focused; }
    void clearFocus() { m_focused = false; }

private:
    QString m_text;
    bool m_focused = false;
};

} // namespace zef
