#pragma once

#include "app/window_link.h"
#include "sections/janela_secao.h"

namespace zef {

// The entries by type of item 03 ("TfCompra"): eleven fixed types, each with one line per domicile.
// The amounts of "11 - OUTRAS ENTRADAS" are not keyed here but come from the entries by CFOP.
class TfCompra : public JanelaSecao
{
    Q_OBJECT

public:
    TfCompra(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);

    QComboBox *cbTipoEntrada() const { return comboChave(); }
    Query &qryCompras() { return listQuery(); }
    Table &tblInsCompras() { return linhas().insertBuffer(); }

protected:
    QStringList itensChave() override;
    bool chaveSomenteLeitura(const QString &tipo) const override;
    void depoisDeGerar(const QString &tipo) override;

private:
    WindowLink m_ligacao;
};

} // namespace zef
