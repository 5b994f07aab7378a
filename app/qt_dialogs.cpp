#include "app/qt_dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QWidget>

#include <utility>

namespace zef {

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The buttons of the box; the first is the default one, the last answers Escape.
struct ButtonSet {
    QMessageBox::StandardButtons all;
    QMessageBox::StandardButton byDefault;
    QMessageBox::StandardButton onEscape;
};

ButtonSet boxButtons(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    case Dialogs::Buttons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case Dialogs::Buttons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

QMessageBox::StandardButton standardButton(Dialogs::Button button)
{
    switch (button) {
    case Dialogs::Button::Ok:
        return QMessageBox::Ok;
    case Dialogs::Button::Cancel:
        return QMessageBox::Cancel;
    case Dialogs::Button::Yes:
        return QMessageBox::Yes;
    case Dialogs::Button::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

Dialogs::Button chosenButton(QMessageBox::StandardButton button, Dialogs::Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return Dialogs::Button::Ok;
    case QMessageBox::Cancel:
        return Dialogs::Button::Cancel;
    case QMessageBox::Yes:
        return Dialogs::Button::Yes;
    case QMessageBox::No:
        return Dialogs::Button::No;
    default:
        break;
    }
    // Closed some other way: as if Escape had been pressed.
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return Dialogs::Button::Ok;
    case Dialogs::Buttons::YesNo:
        return Dialogs::Button::No;
    case Dialogs::Buttons::OkCancel:
        return Dialogs::Button::Cancel;
    }
    return Dialogs::Button::Ok;
}

// Shows the arrow for as long as it lives and gives back the cursor the caller had.
class ArrowCursor {
public:
    ArrowCursor() { QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor)); }
    ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor &) = delete;
    ArrowCursor &operator=(const ArrowCursor &) = delete;
};

} // namespace

QtDialogs::QtDialogs(QString title)
    : m_title(std::move(title))
{
}

Dialogs::Button QtDialogs::show(const QString &text, Icon icon, Buttons buttons, const QString &title,
                                std::optional<Button> byDefault)
{
    QWidget *owner = QApplication::activeWindow();
    const ButtonSet set = boxButtons(buttons);

    const QString caption = !title.isEmpty() ? title : owner ? m_title : QString();
    QMessageBox box(boxIcon(icon), caption, text, set.all, owner);
    box.setDefaultButton(byDefault ? standardButton(*byDefault) : set.byDefault);
    box.setEscapeButton(set.onEscape);

    const ArrowCursor arrow;
    box.exec();
    return chosenButton(box.standardButton(box.clickedButton()), buttons);
}

} // namespace zef
