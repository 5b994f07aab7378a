#pragma once

#include "data/window_links.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QPushButton;

namespace zef {

class ButtonStates;
class DBEdit;
class DBGrid;
class DBNavigator;
class Dialogs;
class Table;
class TfDmDados;

// What the municipality and activity registers share: they edit one of the data module's
// reference tables through a few fields and a grid, with "&Novo", "&Gravar", "&Cancelar" (also
// Escape), "&Localizar", a record navigator and "Retornar". They add no checks of their own:
// duplicate or empty codes are left to the table's key.
class TfTabelaReferencia : public QDialog, public EditingWindow
{
    Q_OBJECT

public:
    ~TfTabelaReferencia() override;

    void HabilitaBotoes(bool editing) override;

    DBEdit *campo(const QString &nome) const;
    DBGrid *grid() const { return m_grid; }
    DBNavigator *navegador() const { return m_navegador; }
    QPushButton *btNovo() const { return m_btNovo; }
    QPushButton *btGravar() const { return m_btGravar; }
    QPushButton *btCancelar() const { return m_btCancelar; }
    QPushButton *btLocalizar() const { return m_btLocalizar; }
    QPushButton *btRetornar() const { return m_btRetornar; }

protected:
    struct Campo {
        QString rotulo;
        QString nome;
        int largura;   // characters shown
    };

    // `referencia` is the data module's pointer to this window (fMunicipios, fAtividades), set
    // while the window exists. `localiza` opens the matching look-up and returns its result.
    TfTabelaReferencia(TfDmDados &dm, Table &tabela, EditingWindow *&referencia, const QList<Campo> &campos,
                       const QString &campoChave, std::function<QString()> localiza, QWidget *parent);

    TfDmDados &dm() const { return m_dm; }
    Table &tabela() const { return m_tabela; }

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void btNovoClick();
    void btGravarClick();
    void btCancelarClick();
    void btLocalizarClick();
    void btRetornarClick();

private:
    TfDmDados &m_dm;
    Table &m_tabela;
    EditingWindow *&m_referencia;
    QString m_campoChave;
    std::function<QString()> m_localiza;
    QList<DBEdit *> m_campos;
    DBGrid *m_grid;
    DBNavigator *m_navegador;
    QPushButton *m_btNovo;
    QPushButton *m_btGravar;
    QPushButton *m_btCancelar;
    QPushButton *m_btLocalizar;
    QPushButton *m_btRetornar;
    ButtonStates *m_estados;
};

} // namespace zef
