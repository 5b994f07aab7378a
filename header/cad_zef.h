#pragma once

#include "data/declaration_key.h"
#include "data/window_links.h"
#include "engine/table.h"
#include "app/campo_edit.h"

#include <QDialog>
#include <QLineEdit>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QLabel;
class QPushButton;

namespace zef {

class ButtonStates;
class DBEdit;
class DBNavigator;
class DBRadioGroup;
class Dialogs;
class TfDmDados;
class TfOpcoes;

// A field of the domicile display; the municipality's fields answer a click.
class CampoDomicilio : public QLineEdit
{
    Q_OBJECT

public:
    explicit CampoDomicilio(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// The declaration header ("Cadastro do ZEF"): base year, taxpayer and the header questions of the
// form, stored in the data module's tbZEF; from here the user deletes a declaration, keeps its
// fiscal domiciles and goes on to its sections.
class TfCadZEF : public QDialog, public HeaderWindow
{
    Q_OBJECT

public:
    TfCadZEF(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);
    ~TfCadZEF() override;

    // Called with the section chooser before it is shown, to plug the section editors in.
    std::function<void(TfOpcoes &)> preparaOpcoes;

    // HeaderWindow
    void HabilitaBotoes(bool editing) override;
    DomicileAnswer domicileAnswer() const override;
    bool simplesSelected() const override;
    QString domicileStart(QChar letter) const override;
    QString domicileEnd(QChar letter) const override;
    FieldEdit &periodStartEdit() override { return m_periodoInicio; }
    FieldEdit &periodEndEdit() override { return m_periodoFinal; }
    void refillDomicileDisplay() override;

    // The controls, for whoever drives the window.
    DBEdit *edAnoBase() const { return m_edAnoBase; }
    DBEdit *edInscricao() const { return m_edInscricao; }
    DBEdit *edCodigoMunicipio() const { return m_edCodigoMunicipio; }
    DBEdit *edUF() const { return m_edUF; }
    DBEdit *edCodigoAtividade() const { return m_edCodigoAtividade; }
    DBEdit *edCaixaInicial() const { return m_edCaixaInicial; }
    DBEdit *edCaixaFinal() const { return m_edCaixaFinal; }
    DBEdit *edPatrimonio() const { return m_edPatrimonio; }
    DBEdit *edPeriodoInicio() const { return m_edPeriodoInicio; }
    DBEdit *edPeriodoFinal() const { return m_edPeriodoFinal; }
    QLabel *razaoSocial() const { return m_razaoSocial; }
    QLabel *nomeMunicipio() const { return m_nomeMunicipio; }
    DBRadioGroup *rgdomicilio() const { return m_rgDomicilio; }
    DBRadioGroup *rgnormal() const { return m_rgNormal; }
    DBRadioGroup *rgEscrituracao() const { return m_rgEscrituracao; }
    DBRadioGroup *rgEstabelecimento() const { return m_rgEstabelecimento; }
    DBRadioGroup *rgFinalidade() const { return m_rgFinalidade; }
    DBRadioGroup *rgRetificacao() const { return m_rgRetificacao; }
    DBNavigator *navegador() const { return m_navegador; }
    QPushButton *btNovo() const { return m_btNovo; }
    QPushButton *btGravar() const { return m_btGravar; }
    QPushButton *btCancelar() const { return m_btCancelar; }
    QPushButton *btExcluir() const { return m_btExcluir; }
    QPushButton *btContinua() const { return m_btContinua; }
    QPushButton *btRetorna() const { return m_btRetorna; }

    // The display of the domiciles "A" to "E" (0 to 4): letter, municipality, start, end, and the
    // mark between the dates.
    struct LinhaDomicilio {
        QLineEdit *letra;
        CampoDomicilio *municipio;
        QLineEdit *inicio;
        QLineEdit *fim;
        QLabel *marca;
    };
    const LinhaDomicilio &linhaDomicilio(int indice) const { return m_domicilios.at(indice); }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void btNovoClick();
    void btGravarClick();
    void btCancelarClick();
    void btExcluirClick();
    void btContinuaClick();
    void btRetornaClick();
    void edInscricaoExit(QWidget *proximo);
    void edAnoBaseExit(QWidget *proximo);
    void edCodigoMunicipioExit(QWidget *proximo);
    void respostaDomicilio();

private:
    QWidget *montaIdentificacao();
    QWidget *montaInformacoes();
    QWidget *montaTitulo();
    DBEdit *campo(Dataset *tabela, const QString &nome, const QString &objeto, bool editavel, int largura);
    DBRadioGroup *grupo(const QString &titulo, const QString &objeto, const QString &campo,
                        const QStringList &rotulos, const QStringList &valores, int colunas);
    void limpaDomicilios();
    void itensDoAnoBase(const QString &ano);
    void ordemTeclado();
    void abreTabelas();
    void fechaTabelas();
    bool vaiParaCancelar(QWidget *proximo) const;

    TfDmDados &m_dm;
    Dialogs &m_dialogs;
    Table tbMunicip;     // the header's municipality, for its name
    Table tbAtividade;   // the header's activity
    Table tbTestaZef;    // every declaration, to test whether a key exists

    DBEdit *m_edAnoBase;
    DBEdit *m_edInscricao;
    DBEdit *m_edCodigoMunicipio;
    DBEdit *m_edUF;
    DBEdit *m_edCodigoAtividade;
    DBEdit *m_edCaixaInicial;
    DBEdit *m_edCaixaFinal;
    DBEdit *m_edPatrimonio;
    DBEdit *m_edPeriodoInicio;
    DBEdit *m_edPeriodoFinal;
    QLabel *m_razaoSocial;
    QLabel *m_nomeMunicipio;
    DBRadioGroup *m_rgDomicilio;
    DBRadioGroup *m_rgNormal;
    DBRadioGroup *m_rgEscrituracao;
    DBRadioGroup *m_rgEstabelecimento;
    DBRadioGroup *m_rgFinalidade;
    DBRadioGroup *m_rgRetificacao;
    std::array<LinhaDomicilio, 5> m_domicilios;
    DBNavigator *m_navegador;
    QPushButton *m_btNovo;
    QPushButton *m_btGravar;
    QPushButton *m_btCancelar;
    QPushButton *m_btExcluir;
    QPushButton *m_btContinua;
    QPushButton *m_btRetorna;
    ButtonStates *m_estados;
    // The key of the declaration as it was when its edit began.
    std::optional<DeclarationKey> m_chaveEmEdicao;
    bool m_devolvendoFoco = false;
    CampoEdit m_periodoInicio;
    CampoEdit m_periodoFinal;
};

// The global reference of the header window: it exists only while the window is open.
extern std::unique_ptr<TfCadZEF> fCadZEF;

// The main window's "Cadastrar &ZEF": opens the header window and frees it when it closes.
// `preparaOpcoes` plugs the section editors into the chooser it opens.
void abreCadastroZef(QWidget *parent, TfDmDados &dm, Dialogs &dialogs,
                     std::function<void(TfOpcoes &)> preparaOpcoes = {});

} // namespace zef
