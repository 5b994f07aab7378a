#pragma once

#include <QString>

#include <optional>

namespace zef {

class FieldEdit;

// The one way the data module and the windows talk to the user. The program shows real message
// boxes (QtDialogs); tests and the command line answer from a script (ScriptedDialogs).
// There is no global instance: whoever may ask the user something is handed a Dialogs&.
class Dialogs {
public:
    enum class Icon { Exclamation, Question, Error, Information };
    enum class Buttons { Ok, YesNo, OkCancel };
    enum class Button { Ok, Cancel, Yes, No };

    // The kind of a box: its icon, its buttons and the one Enter chooses (the first when none
    // is named).
    struct Box {
        Icon icon;
        Buttons buttons;
        std::optional<Button> byDefault{};
        friend bool operator==(const Box &, const Box &) = default;
    };

    virtual ~Dialogs() = default;

    // Shows one modal box and returns the button the user chose; the result is always one of the
    // buttons the box offers. An empty title stands for the program's own title; byDefault, one of
    // the box's buttons, is the one Enter chooses (the first, Yes or OK, when none is named).
    virtual Button show(const QString &text, Icon icon, Buttons buttons, const QString &title = QString(),
                        std::optional<Button> byDefault = std::nullopt) = 0;
};

// Usual kinds of box.
inline constexpr Dialogs::Box kCaixaAviso{Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok};
inline constexpr Dialogs::Box kCaixaPergunta{Dialogs::Icon::Question, Dialogs::Buttons::YesNo};
// A deletion asks with Cancel as the default, so that a hurried Enter deletes nothing.
inline constexpr Dialogs::Box kCaixaExclusao{Dialogs::Icon::Question, Dialogs::Buttons::OkCancel,
                                             Dialogs::Button::Cancel};
inline constexpr Dialogs::Box kCaixaErro{Dialogs::Icon::Error, Dialogs::Buttons::Ok};
inline constexpr Dialogs::Box kCaixaInformacao{Dialogs::Icon::Information, Dialogs::Buttons::Ok};

// Text of the box that every deletion asks first.
QString textoConfirmaExclusao();

// Warning with the exclamation icon and OK.
void Mensagem(Dialogs &dialogs, const QString &text);

// Question with Yes and No; true when the user chose Yes.
bool Confirma(Dialogs &dialogs, const QString &text);

// Question with Yes and No whose default is No, for a Yes that destroys something: an Enter
// pressed in haste keeps it. True when the user chose Yes.
bool ConfirmaDestrutiva(Dialogs &dialogs, const QString &text);

// A box of any kind, titled with title (the program's title when empty); returns the button
// chosen.
Dialogs::Button CaixaMensagem(Dialogs &dialogs, const QString &text, Dialogs::Box type,
                              const QString &title = QString());

// "Confirma exclusão?" with OK and Cancel (Cancel the default), titled with title (the program's title when empty);
// true when the user chose OK.
bool ConfirmaExclusao(Dialogs &dialogs, const QString &title = QString());

// True when both edits hold dates and the end is not before the start. Otherwise tells the user
// why, puts the focus on the start edit and returns false.
bool ValidaPeriodo(Dialogs &dialogs, FieldEdit &start, FieldEdit &end);

} // namespace zef
