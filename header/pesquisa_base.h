#pragma once

#include "engine/table.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QStatusBar;

namespace zef {

class Database;
class DBGrid;

// What the look-up windows share: their own view of one table in the order of a name index, a
// search edit that moves to the nearest name while the user types, a grid, "&Confirma" and
// "&Retorna", and the chosen code left in a text property for the caller to read once the modal
// window has closed.
class TfPesquisaBase : public QDialog
{
    Q_OBJECT

public:
    QString resultado() const { return m_resultado; }
    void setResultado(const QString &resultado) { m_resultado = resultado; }

    Table &tabela() { return m_tabela; }
    QLineEdit *edPesquisa() const { return m_edPesquisa; }
    DBGrid *grid() const { return m_grid; }
    QPushButton *btConfirma() const { return m_btConfirma; }
    QPushButton *btRetorna() const { return m_btRetorna; }
    QStatusBar *statusBar() const { return m_status; }

    // Escape and closing the window act as "&Retorna".
    void reject() override;

protected:
    struct Coluna {
        QString campo;
        QString titulo;
        int largura;
    };

    TfPesquisaBase(Database &db, const QString &tabela, const QString &indice, const QString &campoResultado,
                   const QString &rotuloPesquisa, const QList<Coluna> &colunas, QWidget *parent);

    // Where Enter sends the focus to "&Confirma"; on "&Confirma" itself Enter presses it.
    virtual bool enterConfirma(QWidget *controle) const = 0;
    // The result of "&Confirma" and a double click: the current row's code.
    virtual void confirmaLinha();
    // The result of "&Retorna": left as it was.
    virtual void retornaSemEscolha() {}

    QString valorAtual(const QString &campo) const;

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void edPesquisaChange(const QString &texto);
    void btConfirmaClick();
    void btRetornaClick();
    void DBGrid1DblClick();

private:
    void vigia(QWidget *controle);

    Table m_tabela;
    QString m_campoResultado;
    QString m_resultado;
    QLineEdit *m_edPesquisa;
    DBGrid *m_grid;
    QPushButton *m_btConfirma;
    QPushButton *m_btRetorna;
    QStatusBar *m_status;
};

} // namespace zef
