#pragma once

#include "header/tabela_referencia.h"

namespace zef {

class Dialogs;
class TfDmDados;

// The activity register ("Atividades"): the data module's tbAtividades, with the activity
// look-up behind "&Localizar".
class TfAtividades : public TfTabelaReferencia
{
    Q_OBJECT

public:
    TfAtividades(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);
};

} // namespace zef
