#include "data/dialogs.h"

#include "data/field_edit.h"
#include "data/text_routines.h"

namespace zef {

QString textoConfirmaExclusao()
{
    return QStringLiteral("Confirma exclusão?");
}

void Mensagem(Dialogs &dialogs, const QString &text)
{
    dialogs.show(text, Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
}

bool Confirma(Dialogs &dialogs, const QString &text)
{
    return dialogs.show(text, Dialogs::Icon::Question, Dialogs::Buttons::YesNo) == Dialogs::Button::Yes;
}

bool ConfirmaDestrutiva(Dialogs &dialogs, const QString &text)
{
    return dialogs.show(text, Dialogs::Icon::Question, Dialogs::Buttons::YesNo, QString(), Dialogs::Button::No)
        == Dialogs::Button::Yes;
}

Dialogs::Button CaixaMensagem(Dialogs &dialogs, const QString &text, Dialogs::Box type, const QString &title)
{
    return dialogs.show(text, type.icon, type.buttons, title, type.byDefault);
}

bool ConfirmaExclusao(Dialogs &dialogs, const QString &title)
{
    return CaixaMensagem(dialogs, textoConfirmaExclusao(), kCaixaExclusao, title) == Dialogs::Button::Ok;
}

bool ValidaPeriodo(Dialogs &dialogs, FieldEdit &start, FieldEdit &end)
{
    const auto first = TextoParaData(start.text());
    const auto last = TextoParaData(end.text());
    if (!first || !last) {
        Mensagem(dialogs, QStringLiteral("Data Inicial ou Final Inv lida. Verifique!!!"));
        start.focus();
        return false;
    }
    if (*last < *first) {
        Mensagem(dialogs, QStringLiteral("Data Inicial n o pode ser maior que a data Final!!!"));
        start.focus();
        return false;
    }
    return true;
}

} // namespace zef
