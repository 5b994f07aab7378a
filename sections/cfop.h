#pragma once

#include "app/window_link.h"
#include "sections/janela_secao.h"

namespace zef {

// The other operations by CFOP ("TfCFOP"), detail of the "other" entry type of item 03 (direction
// "E") and exit type of item 05 ("S"): one line per code and domicile. Its opener sets the
// direction and the data module's tbCFOPOperacoes filter before showing it, and reads its totals
// per domicile after it has closed.
class TfCFOP : public JanelaSecao
{
    Q_OBJECT

public:
    TfCFOP(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);

    void setSentidoCFOP(const QString &sentido) { linhas().setDirection(sentido); }
    QString SentidoCFOP() const { return const_cast<TfCFOP *>(this)->linhas().direction(); }

    QComboBox *cbCFOP() const { return comboChave(); }
    Query &QryCFOP() { return listQuery(); }
    Table &tblInsOpCFOP() { return linhas().insertBuffer(); }

protected:
    QStringList itensChave() override;
    QString chaveDoItem(const QString &item) const override { return item.left(4); }
    void depoisDePreencher() override;
    bool comboSegueEdicao() const override { return false; }
    void depoisDeGravar() override;
    QString filtroInicial() const override { return QString(); }

private:
    WindowLink m_ligacao;
};

} // namespace zef
