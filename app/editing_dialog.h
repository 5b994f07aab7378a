#pragma once

#include "data/window_links.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

class QFrame;
class QGridLayout;
class QPushButton;
class QVBoxLayout;

namespace zef {

class ButtonStates;
class DBEdit;
class Dialogs;
class DBNavigator;
class Table;

// What every window that edits one table shares: the tool bar's buttons ("&Novo", "&Gravar",
// "&Cancelar", "&Excluir", "Retornar") and the record navigator, which follow the table's
// editing state; Enter moving to the next control; the tables read afresh when the window is
// shown and closed when it goes; and the plain actions of those buttons. A window adds its own
// controls and overrides only the actions its part of the form does differently. The data
// module's reference to the window is a WindowLink member of the window itself.
class EditingDialog : public QDialog, public virtual EditingWindow
{
    Q_OBJECT

public:
    enum Botao {
        Novo = 0x01,
        Gravar = 0x02,
        Cancelar = 0x04,
        Excluir = 0x08,
        Retornar = 0x10,
        Navegador = 0x20,
    };
    Q_DECLARE_FLAGS(Botoes, Botao)

    ~EditingDialog() override;

    void HabilitaBotoes(bool editing) override;

    // Null for a button the window does not have.
    QPushButton *btNovo() const { return m_btNovo; }
    QPushButton *btGravar() const { return m_btGravar; }
    QPushButton *btCancelar() const { return m_btCancelar; }
    QPushButton *btExcluir() const { return m_btExcluir; }
    QPushButton *btRetornar() const { return m_btRetornar; }
    DBNavigator *navegador() const { return m_navegador; }

protected:
    // `nome` is the window's object name (its global reference, "fContador"), `titulo` its
    // caption.
    EditingDialog(Table &tabela, Dialogs &dialogs, Botoes botoes, const QString &nome, const QString &titulo,
                  QWidget *parent = nullptr);

    Table &tabela() const { return m_tabela; }
    Dialogs &dialogs() const { return m_dialogs; }
    ButtonStates &estados() const { return *m_estados; }

    // A tool bar button of the window's own, in the look of the standard ones.
    QPushButton *botao(const QString &texto, const QString &nome);
    // The tool bar with the given buttons in order and "Retornar" at the right end.
    QFrame *barraFerramentas(const QList<QWidget *> &itens);
    // Lays the window out: that tool bar along the top, then the returned body, with the
    // window's margins and `espacamento` between what is added to it.
    QVBoxLayout *montaJanela(const QList<QWidget *> &barra, int espacamento);

    // A form of labelled fields, one a row, each field after the one above in tab order;
    // `aoLado` (a description, say) shares the field's row. Rows go to the form made last.
    QGridLayout *novoFormulario();
    void linhaDoFormulario(QGridLayout &formulario, const QString &rotulo, QWidget *campo,
                           QWidget *aoLado = nullptr);

    // An edit of a column of the table, named "ed" + column, at least `largura` characters
    // wide; "&Cancelar" gives it back the stored value.
    DBEdit *novoCampo(const QString &coluna, int largura);
    DBEdit *novoCampo(const QString &coluna, const QString &nome, int largura);
    // Registers an edit made elsewhere for "&Cancelar".
    void registraCampo(DBEdit *campo);
    const QList<DBEdit *> &campos() const { return m_campos; }
    DBEdit *campo(const QString &coluna) const;

    // Where the focus goes when the window is shown and after "&Novo" (the first edit unless
    // set).
    void definePrimeiroCampo(QWidget *campo) { m_primeiro = campo; }
    QWidget *primeiroCampo() const;

    // The tables read when the window is shown, in this order, and closed in the reverse
    // order when it goes (the edited table alone unless set).
    void defineTabelas(const QList<Table *> &tabelas) { m_tabelas = tabelas; }

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

protected slots:
    // Append a row and go to the first field.
    virtual void btNovoClick();
    // Write what was keyed, then post the row being edited.
    virtual void btGravarClick();
    // Give every edit back its stored value and cancel the row.
    virtual void btCancelarClick();
    // Ask textoExclusao() with Yes and No (No the default), then delete the current row.
    virtual void btExcluirClick();
    virtual void btRetornarClick();

protected:
    QString textoExclusao() const { return m_textoExclusao; }
    void defineTextoExclusao(const QString &texto) { m_textoExclusao = texto; }

private:
    QPushButton *botaoPadrao(Botoes botoes, Botao qual, const QString &texto, const QString &nome,
                             void (EditingDialog::*acao)());

    Table &m_tabela;
    Dialogs &m_dialogs;
    ButtonStates *m_estados;
    QPushButton *m_btNovo = nullptr;
    QPushButton *m_btGravar = nullptr;
    QPushButton *m_btCancelar = nullptr;
    QPushButton *m_btExcluir = nullptr;
    QPushButton *m_btRetornar = nullptr;
    DBNavigator *m_navegador = nullptr;
    QList<DBEdit *> m_campos;
    QPointer<QWidget> m_primeiro;
    QPointer<QWidget> m_ultimoDoFormulario;   // of the form being built
    int m_proximaLinha = 0;
    QList<Table *> m_tabelas;
    QString m_textoExclusao = QStringLiteral("Confirma exclusão?");
};

Q_DECLARE_OPERATORS_FOR_FLAGS(EditingDialog::Botoes)

} // namespace zef
