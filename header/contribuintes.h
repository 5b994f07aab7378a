#pragma once

#include "app/editing_dialog.h"
#include "app/window_link.h"
#include "engine/table.h"

#include <QString>

class QLabel;
class QPushButton;

namespace zef {

class ButtonStates;
class DBEdit;
class DBText;
class Dialogs;
class TfDmDados;

// The taxpayer register ("Contribuintes"): edits the data module's tbEmpresa. Leaving the
// registration number moves to that taxpayer or starts a new one; leaving the activity or the
// municipality without a known code opens the look-up for it; storing runs the register's checks
// and gives the taxpayer's declarations its activity code.
class TfContribuintes : public EditingDialog
{
    Q_OBJECT

public:
    TfContribuintes(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);

    // The edit of a field of Empresa.DB ("CGCEmpresa", "InscricaoEmpresa", ...).
    using EditingDialog::campo;
    DBText *descricaoAtividade() const { return m_descAtividade; }
    DBText *nomeMunicipio() const { return m_nomeMunicipio; }
    QPushButton *btPesquisar() const { return m_btPesquisar; }

protected slots:
    void btNovoClick() override;
    void btGravarClick() override;
    void btExcluirClick() override;

private slots:
    void btPesquisarClick();
    void edInscricaoExit(QWidget *proximo);
    void edAtividadeExit(QWidget *proximo);
    void edMunicipioExit(QWidget *proximo);

private:
    DBEdit *campoDaEmpresa(const QString &nome, int largura);
    bool continuaEditando(QWidget *proximo) const;
    static bool vazio(const Table &tabela, const QString &campo);

    TfDmDados &m_dm;
    Table tbAtividade;       // the row's activity, for its description
    Table tbMunicip;         // the row's municipality, for its name
    Table tbTestaEmpresa;    // every taxpayer, to test whether a registration number exists
    DBText *m_descAtividade;
    DBText *m_nomeMunicipio;
    QPushButton *m_btPesquisar;
    WindowLink m_ligacao;
};

} // namespace zef
