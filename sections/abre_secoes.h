#pragma once

namespace zef {

class Dialogs;
class TfDmDados;
class TfOpcoes;

// Plugs the section editors into the section chooser: "&Continua" opens the editor of the chosen
// item, hiding the chooser and the declaration header while it is open.
void ligaEditoresSecao(TfOpcoes &opcoes, TfDmDados &dm, Dialogs &dialogs);

} // namespace zef
