#include "data/scripted_dialogs.h"

#include <stdexcept>
#include <utility>

namespace zef {

namespace {

bool offers(Dialogs::Buttons buttons, Dialogs::Button button)
{
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return button == Dialogs::Button::Ok;
    case Dialogs::Buttons::YesNo:
        return button == Dialogs::Button::Yes || button == Dialogs::Button::No;
    case Dialogs::Buttons::OkCancel:
        return button == Dialogs::Button::Ok || button == Dialogs::Button::Cancel;
    }
    return false;
}

bool affirmative(Dialogs::Button button)
{
    return button == Dialogs::Button::Yes || button == Dialogs::Button::Ok;
}

// The button of the box that means the same as the given one.
Dialogs::Button counterpart(Dialogs::Buttons buttons, Dialogs::Button button)
{
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return Dialogs::Button::Ok;
    case Dialogs::Buttons::YesNo:
        return affirmative(button) ? Dialogs::Button::Yes : Dialogs::Button::No;
    case Dialogs::Buttons::OkCancel:
        return affirmative(button) ? Dialogs::Button::Ok : Dialogs::Button::Cancel;
    }
    return button;
}

[[noreturn]] void refuse(const QString &why, const QString &text)
{
    throw std::logic_error((why + QStringLiteral(": \"") + text + QStringLiteral("\"")).toStdString());
}

} // namespace

QString buttonName(Dialogs::Button button)
{
    switch (button) {
    case Dialogs::Button::Ok:
        return QStringLiteral("Ok");
    case Dialogs::Button::Cancel:
        return QStringLiteral("Cancel");
    case Dialogs::Button::Yes:
        return QStringLiteral("Yes");
    case Dialogs::Button::No:
        return QStringLiteral("No");
    }
    return QString();
}

ScriptedDialogs::ScriptedDialogs(Button fixedAnswer)
    : m_fixed(fixedAnswer)
{
}

Dialogs::Button ScriptedDialogs::show(const QString &text, Icon icon, Buttons buttons, const QString &title,
                                      std::optional<Button> byDefault)
{
    if (byDefault && !offers(buttons, *byDefault))
        refuse(QStringLiteral("default %1 is not a button of the box").arg(buttonName(*byDefault)), text);
    Button chosen = Button::Ok;
    if (buttons != Buttons::Ok) {
        if (!m_queue.empty()) {
            chosen = m_queue.front();
            if (!offers(buttons, chosen))
                refuse(QStringLiteral("scripted answer %1 is not a button of the box").arg(buttonName(chosen)),
                       text);
            m_queue.pop_front();
        } else if (m_fixed) {
            chosen = counterpart(buttons, *m_fixed);
        } else {
            refuse(QStringLiteral("unscripted question"), text);
        }
    }

    m_boxes.push_back(Shown{text, icon, buttons, chosen, title, byDefault});
    if (m_observer)
        m_observer(m_boxes.back());
    return chosen;
}

ScriptedDialogs &ScriptedDialogs::answer(Button button)
{
    m_queue.push_back(button);
    return *this;
}

void ScriptedDialogs::setFixedAnswer(std::optional<Button> button)
{
    m_fixed = button;
}

void ScriptedDialogs::setObserver(std::function<void(const Shown &)> observer)
{
    m_observer = std::move(observer);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(m_boxes.size()));
    for (const Shown &box : m_boxes)
        result.append(box.text);
    return result;
}

void ScriptedDialogs::clear()
{
    m_boxes.clear();
    m_queue.clear();
}

} // namespace zef
