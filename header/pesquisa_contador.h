#pragma once

#include "header/pesquisa_base.h"

namespace zef {

class TfDmDados;

// The accountant look-up ("Pesquisa Contador"): Contador.DB in the order of the names. Its
// result is the chosen CPF, or empty when the user returned without choosing.
class TfPesquisaContador : public TfPesquisaBase
{
    Q_OBJECT

public:
    explicit TfPesquisaContador(TfDmDados &dm, QWidget *parent = nullptr);

protected:
    bool enterConfirma(QWidget *controle) const override;
    void retornaSemEscolha() override { setResultado(QString()); }
};

} // namespace zef
