#pragma once

#include "data/dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace zef {

// Dialogs without a screen, for the tests and the command-line front end. Records every box in the
// order shown and answers from a script:
// - a box with only OK is answered OK and needs no script entry;
// - a question (Yes/No) or an OK/Cancel box takes the next queued answer, which must be one of its
//   buttons; with the queue empty it takes the fixed answer when one is set;
// - otherwise it throws std::logic_error naming the box's text, so that nobody answers a question
//   by accident.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString text;
        Icon icon;
        Buttons buttons;
        Button answer;
        QString title{};   // empty: the program's own title
        std::optional<Button> byDefault{};   // none: the first button
        friend bool operator==(const Shown &, const Shown &) = default;
    };

    ScriptedDialogs() = default;
    // Answers every question with fixedAnswer (see setFixedAnswer).
    explicit ScriptedDialogs(Button fixedAnswer);

    Button show(const QString &text, Icon icon, Buttons buttons, const QString &title = QString(),
                std::optional<Button> byDefault = std::nullopt) override;

    // Queues the answer for the next question or OK/Cancel box.
    ScriptedDialogs &answer(Button button);

    // Answer for the questions the queue does not cover, or none to refuse them. Yes and OK agree,
    // and so do No and Cancel: Yes answers an OK/Cancel box with OK, No with Cancel.
    void setFixedAnswer(std::optional<Button> button);
    std::optional<Button> fixedAnswer() const { return m_fixed; }

    // Called after every box with what was shown and answered (the command line echoes them).
    void setObserver(std::function<void(const Shown &)> observer);

    const std::vector<Shown> &boxes() const { return m_boxes; }
    QStringList texts() const;
    // Queued answers not used yet.
    qsizetype pendingAnswers() const { return static_cast<qsizetype>(m_queue.size()); }

    // Forgets the boxes shown and the queued answers; the fixed answer and the observer stay.
    void clear();

private:
    std::vector<Shown> m_boxes;
    std::deque<Button> m_queue;
    std::optional<Button> m_fixed;
    std::function<void(const Shown &)> m_observer;
};

// The name of a button, for messages ("Ok", "Cancel", "Yes", "No").
QString buttonName(Dialogs::Button button);

} // namespace zef
