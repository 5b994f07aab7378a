#include "sections/abre_secoes.h"

#include "app/abre_janela.h"
#include "app/opcoes.h"
#include "app/window_ui.h"
#include "sections/compra.h"

namespace zef {

void ligaEditoresSecao(TfOpcoes &opcoes, TfDmDados &dm, Dialogs &dialogs)
{
    opcoes.abreEditor = [&opcoes, &dm, &dialogs](EditorSecao editor) {
        if (editor != EditorSecao::Compra)
            return false;
        TfCompra janela(dm, dialogs);
        janela.defineJanelasOcultas({&opcoes, opcoes.parentWidget()});
        ui::centraSobre(janela, opcoes.parentWidget() ? opcoes.parentWidget() : &opcoes);
        MostraModal(janela);
        return true;
    };
}

} // namespace zef
