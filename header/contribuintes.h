#pragma once

#include "data/window_links.h"
#include "engine/table.h"

#include <QDialog>
#include <QHash>
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
class TfContribuintes : public QDialog, public EditingWindow
{
    Q_OBJECT

public:
    TfContribuintes(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);
    ~TfContribuintes() override;

    void HabilitaBotoes(bool editing) override;

    // The edit of a field of Empresa.DB ("CGCEmpresa", "InscricaoEmpresa", ...).
    DBEdit *campo(const QString &nome) const { return m_campos.value(nome); }
    DBText *descricaoAtividade() const { return m_descAtividade; }
    DBText *nomeMunicipio() const { return m_nomeMunicipio; }
    QPushButton *btNovo() const { return m_btNovo; }
    QPushButton *btGravar() const { return m_btGravar; }
    QPushButton *btPesquisar() const { return m_btPesquisar; }
    QPushButton *btCancelar() const { return m_btCancelar; }
    QPushButton *btExcluir() const { return m_btExcluir; }
    QPushButton *btRetornar() const { return m_btRetornar; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void btNovoClick();
    void btGravarClick();
    void btPesquisarClick();
    void btCancelarClick();
    void btExcluirClick();
    void btRetornarClick();
    void edInscricaoExit(QWidget *proximo);
    void edAtividadeExit(QWidget *proximo);
    void edMunicipioExit(QWidget *proximo);

private:
    DBEdit *novoCampo(const QString &nome, int largura);
    bool continuaEditando(QWidget *proximo) const;
    static bool vazio(const Table &tabela, const QString &campo);

    TfDmDados &m_dm;
    Dialogs &m_dialogs;
    Table tbAtividade;       // the row's activity, for its description
    Table tbMunicip;         // the row's municipality, for its name
    Table tbTestaEmpresa;    // every taxpayer, to test whether a registration number exists
    QHash<QString, DBEdit *> m_campos;
    DBText *m_descAtividade;
    DBText *m_nomeMunicipio;
    QPushButton *m_btNovo;
    QPushButton *m_btGravar;
    QPushButton *m_btPesquisar;
    QPushButton *m_btCancelar;
    QPushButton *m_btExcluir;
    QPushButton *m_btRetornar;
    ButtonStates *m_estados;
};

} // namespace zef
