#pragma once

#include "header/pesquisa_base.h"

namespace zef {

class TfDmDados;

// The taxpayer look-up ("Contribuinte"): Empresa.DB in the order of the company names. Its
// result is emptied whenever it becomes active, so "&Retorna" always hands back nothing.
class TfPesquisaContribuinte : public TfPesquisaBase
{
    Q_OBJECT

public:
    explicit TfPesquisaContribuinte(TfDmDados &dm, QWidget *parent = nullptr);

protected:
    bool enterConfirma(QWidget *controle) const override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
};

} // namespace zef
