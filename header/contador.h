#pragma once

#include "data/window_links.h"

#include <QDialog>
#include <QHash>
#include <QString>

class QPushButton;

namespace zef {

class ButtonStates;
class DBEdit;
class DBNavigator;
class Dialogs;
class TfDmDados;

// The accountant register ("Contador"): edits the data module's tbContador; storing runs the
// register's checks first.
class TfContador : public QDialog, public EditingWindow
{
    Q_OBJECT

public:
    TfContador(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);
    ~TfContador() override;

    void HabilitaBotoes(bool editing) override;

    // The edit of a field of Contador.DB ("CPFContador", "CRCContador", ...).
    DBEdit *campo(const QString &nome) const { return m_campos.value(nome); }
    DBNavigator *navegador() const { return m_navegador; }
    QPushButton *btNovo() const { return m_btNovo; }
    QPushButton *btGravar() const { return m_btGravar; }
    QPushButton *btCancelar() const { return m_btCancelar; }
    QPushButton *btExcluir() const { return m_btExcluir; }
    QPushButton *btRetornar() const { return m_btRetornar; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void btNovoClick();
    void btGravarClick();
    void btCancelarClick();
    void btExcluirClick();
    void btRetornarClick();

private:
    TfDmDados &m_dm;
    Dialogs &m_dialogs;
    QHash<QString, DBEdit *> m_campos;
    DBNavigator *m_navegador;
    QPushButton *m_btNovo;
    QPushButton *m_btGravar;
    QPushButton *m_btCancelar;
    QPushButton *m_btExcluir;
    QPushButton *m_btRetornar;
    ButtonStates *m_estados;
};

} // namespace zef
