#pragma once

#include "app/campo_edit.h"
#include "app/editing_dialog.h"
#include "app/window_link.h"
#include "data/window_links.h"
#include "engine/table.h"

#include <QPointer>

class QLabel;
class QPushButton;

namespace zef {

class ButtonStates;
class DBEdit;
class DBGrid;
class DBNavigator;
class DBText;
class Dialogs;
class TfDmDados;

// The fiscal domiciles of the current declaration ("Domicílios por Período de Referência
// Fiscal"): the current domicile "A" and, when the taxpayer moved within the reference period, up
// to four earlier ones, kept in the data module's tbDomicilio. Its opener has opened tbDomicilio
// on the declaration; the window closes it when it closes. While it is shown the header window
// (`cabecalho`, when given) is hidden.
class TfDomicilio : public EditingDialog, public DomicileWindow
{
    Q_OBJECT

public:
    TfDomicilio(TfDmDados &dm, Dialogs &dialogs, QWidget *cabecalho = nullptr);

    // DomicileWindow
    void HabilitaBotoes(bool editing) override;
    FieldEdit &startDateEdit() override { return m_inicio; }
    FieldEdit &endDateEdit() override { return m_fim; }

    DBEdit *edMunicipio() const { return m_edMunicipio; }
    DBText *nomeMunicipio() const { return m_nomeMunicipio; }
    DBEdit *edTipoDomicilio() const { return m_edTipo; }
    DBEdit *edDataInicial() const { return m_edDataInicial; }
    DBEdit *edDataFinal() const { return m_edDataFinal; }
    QLabel *nota() const { return m_nota; }
    DBGrid *grid() const { return m_grid; }
    using EditingDialog::navegador;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

protected slots:
    void btNovoClick() override;
    void btGravarClick() override;
    void btExcluirClick() override;
    void btRetornarClick() override;

private slots:
    void edMunicipioExit(QWidget *proximo);

private:
    DBEdit *campoFixo(const QString &campo, const QString &nome, int largura);
    bool nomeEmBranco() const;
    // The letter of the domicile being keyed, from the domiciles already stored.
    void defineLetra();

    TfDmDados &m_dm;
    QPointer<QWidget> m_cabecalho;
    Table tbMunicip;   // the row's municipality, for its name
    DBEdit *m_edMunicipio;
    DBText *m_nomeMunicipio;
    DBEdit *m_edTipo;
    DBEdit *m_edDataInicial;
    DBEdit *m_edDataFinal;
    QLabel *m_nota;
    DBGrid *m_grid;
    CampoEdit m_inicio;
    CampoEdit m_fim;
    WindowLink m_ligacao;
};

// Shows the domicile window modally for the current declaration (tbDomicilio already open on
// it), frees it and returns its modal result.
int abreDomicilio(TfDmDados &dm, Dialogs &dialogs, QWidget *cabecalho);

} // namespace zef
