#pragma once

#include "app/editing_dialog.h"
#include "data/sections/section_description.h"
#include "data/sections/section_lines.h"
#include "data/window_links.h"
#include "engine/query.h"

#include <QList>
#include <QPointer>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace zef {

class DBGrid;
class TfDmDados;

// The editor of a declaration section, built from the section's description: the declaration's
// name boxes, the tool bar, the chooser of the key (a type, a CFOP code) whose lines are edited
// in place in the edit grid, the totals per domicile and the list of every line. Lines are never
// added by hand: choosing a key creates its lines, one per domicile. An editor of one section
// derives from it and holds only what its section does differently.
class JanelaSecao : public EditingDialog, public SectionEditor
{
    Q_OBJECT

public:
    ~JanelaSecao() override;

    Query &listQuery() override { return m_lista; }
    void selectGridColumn(int index) override;
    void HabilitaBotoes(bool editing) override;

    // The chooser of the key, the edit grid (DBGrid2), the list grid (DBGrid1).
    QComboBox *comboChave() const { return m_combo; }
    DBGrid *gradeEdicao() const { return m_grade; }
    DBGrid *gradeLista() const { return m_gradeLista; }
    QGroupBox *grupo() const { return m_grupo; }
    QLabel *rotuloTotal() const { return m_rotuloTotal; }
    // The totals panel's text of a letter (0 = "A"): letter, municipality, four amounts.
    QStringList linhaTotal(int indice) const;
    const TotaisSecao &totais() const { return m_totais; }
    bool layoutCompacto() const { return m_compacto; }

    // The windows hidden while this one is shown (the header and the chooser).
    void defineJanelasOcultas(const QList<QWidget *> &janelas);

protected:
    // `edicao` is the data module's table of the section.
    JanelaSecao(TfDmDados &dm, Dialogs &dialogs, const SectionDescription &descricao, Table &edicao,
                const QString &nome, const QString &titulo, const QString &nomeBuffer, QWidget *parent);

    // Builds the controls; called by the section's constructor once its names are known.
    // `rotuloDomicilio` is the label over the edit grid in the full layout (none when empty).
    void constroiJanela(const QString &nomeCombo, const QString &tituloGrupo, const QString &rotuloDomicilio,
                     const QString &nomeLista);

    // The items of the chooser, and the key an item stands for.
    virtual QStringList itensChave() = 0;
    virtual QString chaveDoItem(const QString &item) const { return item; }
    // The key's amounts are not keyed here (their columns stay locked).
    virtual bool chaveSomenteLeitura(const QString &) const { return false; }
    // After the key's lines exist and before the list is read again.
    virtual void depoisDeGerar(const QString &) {}
    // After the group's caption and list are set on show.
    virtual void depoisDePreencher() {}
    // The chooser is disabled while a line is edited.
    virtual bool comboSegueEdicao() const { return true; }
    // Where the focus goes after a save.
    virtual void depoisDeGravar() {}
    // The filter of the edit table before a key is chosen (none: the caller's stays).
    virtual QString filtroInicial() const;

    TfDmDados &dm() const { return m_dm; }
    SectionLines &linhas() { return m_linhas; }
    const SectionDescription &descricao() const { return m_descricao; }
    DeclarationKey chave() const;
    QString chaveAtual() const;
    QString campoZef(const QString &campo) const;
    void reabreLista();
    void AjustaColunasSimples();

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

protected slots:
    void escolheChave(int indice);
    void btNovoClick() override;
    void btGravarClick() override;
    void btCancelarClick() override;
    void btExcluirClick() override;
    void btRetornarClick() override;

private:
    void aplicaLayout();
    void travaValores(bool travados);
    void preencheTotais();
    void calculaCampos(Dataset &ds);
    bool podeFechar();
    int colunaValor(int indice) const;

    TfDmDados &m_dm;
    const SectionDescription &m_descricao;
    SectionLines m_linhas;
    Query m_lista;
    TotaisSecao m_totais;
    bool m_compacto = false;
    QLineEdit *m_razaoSocial = nullptr;
    QLineEdit *m_inscricao = nullptr;
    QLineEdit *m_ano = nullptr;
    QGroupBox *m_grupo = nullptr;
    QComboBox *m_combo = nullptr;
    QLabel *m_rotuloDomicilio = nullptr;
    DBGrid *m_grade = nullptr;
    DBGrid *m_gradeLista = nullptr;
    QLabel *m_rotuloTotal = nullptr;
    QGridLayout *m_painel = nullptr;
    QList<QList<QLabel *>> m_linhasTotal;
    QList<QPointer<QWidget>> m_ocultas;
    QList<QPointer<QWidget>> m_ocultadas;
};

} // namespace zef
