#pragma once

class QWidget;

namespace zef {

class Dialogs;
class TfDmDados;

// The main window's entries for the registers: each opens its window with AbreJanela into the
// window's global reference (header/register_windows.h), which keeps it for the next opening.
// `parent` only places the window over the caller.
void abreContribuintes(QWidget *parent, TfDmDados &dm, Dialogs &dialogs);   // "&Contribuintes"
void abreContador(QWidget *parent, TfDmDados &dm, Dialogs &dialogs);        // "C&ontabilista Responsável pela Declaração"
void abreMunicipios(QWidget *parent, TfDmDados &dm, Dialogs &dialogs);      // "M&unicípios"
void abreAtividades(QWidget *parent, TfDmDados &dm, Dialogs &dialogs);      // "&Atividades "

} // namespace zef
