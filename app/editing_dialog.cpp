#include "app/editing_dialog.h"

#include "app/abre_janela.h"
#include "app/widgets/button_states.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/enter_moves_focus.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "app/window_ui.h"
#include "data/dialogs.h"
#include "engine/table.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace zef {

using namespace Qt::StringLiterals;

EditingDialog::EditingDialog(Table &tabela, Dialogs &dialogs, Botoes botoes, const QString &nome,
                             const QString &titulo, QWidget *parent)
    : QDialog(parent), m_tabela(tabela), m_dialogs(dialogs), m_estados(new ButtonStates(this))
{
    ui::preparaJanela(this, nome, titulo);
    m_btNovo = botaoPadrao(botoes, Novo, u"&Novo"_s, u"btNovo"_s, &EditingDialog::btNovoClick);
    m_btGravar = botaoPadrao(botoes, Gravar, u"&Gravar"_s, u"btGravar"_s, &EditingDialog::btGravarClick);
    m_btCancelar = botaoPadrao(botoes, Cancelar, u"&Cancelar"_s, u"btCancelar"_s, &EditingDialog::btCancelarClick);
    m_btExcluir = botaoPadrao(botoes, Excluir, u"&Excluir"_s, u"btExcluir"_s, &EditingDialog::btExcluirClick);
    m_btRetornar = botaoPadrao(botoes, Retornar, u"Retornar"_s, u"btRetornar"_s, &EditingDialog::btRetornarClick);
    if (botoes & Navegador) {
        m_navegador = new DBNavigator(this);
        m_navegador->setObjectName(u"DBNavigator1"_s);
        m_navegador->setDataset(&m_tabela);
    }
    m_estados->setStandardButtons(m_btNovo, m_btGravar, m_btCancelar, m_btExcluir, nullptr, nullptr, m_navegador);
    EnterMovesFocus::install(this);
}

EditingDialog::~EditingDialog() = default;

QPushButton *EditingDialog::botaoPadrao(Botoes botoes, Botao qual, const QString &texto, const QString &nome,
                                        void (EditingDialog::*acao)())
{
    if (!(botoes & qual))
        return nullptr;
    QPushButton *b = botao(texto, nome);
    connect(b, &QPushButton::clicked, this, acao);
    return b;
}

QPushButton *EditingDialog::botao(const QString &texto, const QString &nome)
{
    return ui::botao(texto, nome, this);
}

QFrame *EditingDialog::barraFerramentas(const QList<QWidget *> &itens)
{
    QList<QWidget *> fim;
    if (m_btRetornar)
        fim.append(m_btRetornar);
    return ui::barraFerramentas(this, itens, fim);
}

QVBoxLayout *EditingDialog::montaJanela(const QList<QWidget *> &barra, int espacamento)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barraFerramentas(barra));
    auto *corpo = new QVBoxLayout;
    corpo->setContentsMargins(10, 10, 10, 10);
    corpo->setSpacing(espacamento);
    layout->addLayout(corpo, 1);
    return corpo;
}

QGridLayout *EditingDialog::novoFormulario()
{
    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(6);
    grade->setColumnStretch(1, 1);
    m_ultimoDoFormulario = nullptr;
    m_proximaLinha = 0;
    return grade;
}

void EditingDialog::linhaDoFormulario(QGridLayout &formulario, const QString &rotulo, QWidget *campo, QWidget *aoLado)
{
    const int linha = m_proximaLinha++;
    formulario.addWidget(ui::rotulo(rotulo, campo, this), linha, 0);
    if (aoLado) {
        auto *par = new QHBoxLayout;
        par->addWidget(campo);
        par->addWidget(aoLado, 1);
        formulario.addLayout(par, linha, 1);
    } else {
        formulario.addWidget(campo, linha, 1, Qt::AlignLeft);
    }
    if (m_ultimoDoFormulario)
        setTabOrder(m_ultimoDoFormulario, campo);
    m_ultimoDoFormulario = campo;
}

DBEdit *EditingDialog::novoCampo(const QString &coluna, int largura)
{
    return novoCampo(coluna, u"ed"_s + coluna, largura);
}

DBEdit *EditingDialog::novoCampo(const QString &coluna, const QString &nome, int largura)
{
    auto *edit = new DBEdit(&m_tabela, coluna, this);
    edit->setObjectName(nome);
    const QFontMetrics medida(font());
    edit->setMinimumWidth(std::min(medida.averageCharWidth() * largura + 16, 460));
    registraCampo(edit);
    return edit;
}

void EditingDialog::registraCampo(DBEdit *campo)
{
    m_campos.append(campo);
}

DBEdit *EditingDialog::campo(const QString &coluna) const
{
    for (DBEdit *e : m_campos)
        if (e->fieldName() == coluna)
            return e;
    return nullptr;
}

QWidget *EditingDialog::primeiroCampo() const
{
    if (m_primeiro)
        return m_primeiro;
    return m_campos.isEmpty() ? nullptr : m_campos.first();
}

void EditingDialog::HabilitaBotoes(bool editing)
{
    m_estados->apply(editing);
}

void EditingDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Other windows and statements may have changed the rows since the window was last shown.
    runForUser([this] {
        for (Table *t : m_tabelas.isEmpty() ? QList<Table *>{&m_tabela} : m_tabelas)
            ui::abreTabela(*t);
    });
    HabilitaBotoes(m_tabela.editing());
    if (QWidget *primeiro = primeiroCampo())
        FocaCampo(primeiro);
}

void EditingDialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] {
        const QList<Table *> tabelas = m_tabelas.isEmpty() ? QList<Table *>{&m_tabela} : m_tabelas;
        for (auto t = tabelas.crbegin(); t != tabelas.crend(); ++t)
            (*t)->close();
    });
}

void EditingDialog::btNovoClick()
{
    if (runForUser([this] { m_tabela.append(); }))
        if (QWidget *primeiro = primeiroCampo())
            FocaCampo(primeiro);
}

void EditingDialog::btGravarClick()
{
    if (!commitPendingEdits(this, &m_tabela))
        return;
    runForUser([this] {
        if (m_tabela.editing())
            m_tabela.post();
    });
}

void EditingDialog::btCancelarClick()
{
    for (DBEdit *e : std::as_const(m_campos))
        e->reload();
    runForUser([this] { m_tabela.cancel(); });
}

void EditingDialog::btExcluirClick()
{
    if (!ConfirmaDestrutiva(m_dialogs, m_textoExclusao))
        return;
    runForUser([this] { m_tabela.remove(); });
}

void EditingDialog::btRetornarClick()
{
    close();
}

} // namespace zef
