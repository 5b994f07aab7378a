#pragma once

#include "data/dialogs.h"

#include <QString>

namespace zef {

// The message boxes of the running program. A box is owned by the active window and titled with
// the title it is given, or else the application's title; with no active window it has no owner
// and, unless given a title, an empty caption. While the
// box is up the mouse shows the arrow, whatever the caller had set (the hourglass of a long task).
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QString title = QStringLiteral("ZEF2026"));

    Button show(const QString &text, Icon icon, Buttons buttons, const QString &title = QString(),
                std::optional<Button> byDefault = std::nullopt) override;

    QString title() const { return m_title; }

private:
    QString m_title;
};

} // namespace zef
