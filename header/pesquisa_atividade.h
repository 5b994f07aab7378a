#pragma once

#include "header/pesquisa_base.h"

namespace zef {

class TfDmDados;

// The activity look-up ("Pesquisar Atividades"): atividades20.DB in the order of the
// descriptions. The window is reused, so "&Retorna" hands back the previous choice.
class TfPesquisaAtividade : public TfPesquisaBase
{
    Q_OBJECT

public:
    explicit TfPesquisaAtividade(TfDmDados &dm, QWidget *parent = nullptr);

protected:
    bool enterConfirma(QWidget *controle) const override;
};

} // namespace zef
