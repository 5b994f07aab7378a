#include "header/tabela_referencia.h"

#include "app/abre_janela.h"
#include "app/widgets/button_states.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_grid.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/enter_moves_focus.h"
#include "app/widgets/escape_cancels.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "data/data_module.h"
#include "header/register_ui.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

TfTabelaReferencia::TfTabelaReferencia(TfDmDados &dm, Table &tabela, EditingWindow *&referencia,
                                       const QList<Campo> &campos, const QString &campoChave,
                                       std::function<QString()> localiza, QWidget *parent)
    : QDialog(parent),
      m_dm(dm),
      m_tabela(tabela),
      m_referencia(referencia),
      m_campoChave(campoChave),
      m_localiza(std::move(localiza)),
      m_grid(new DBGrid(this)),
      m_navegador(new DBNavigator(this)),
      m_btNovo(ui::botao(u"&Novo"_s, u"btNovo"_s, this)),
      m_btGravar(ui::botao(u"&Gravar"_s, u"btGravar"_s, this)),
      m_btCancelar(ui::botao(u"&Cancelar"_s, u"btCancelar"_s, this)),
      m_btLocalizar(ui::botao(u"&Localizar"_s, u"btLocalizar"_s, this)),
      m_btRetornar(ui::botao(u"Retornar"_s, u"btRetornar"_s, this)),
      m_estados(new ButtonStates(this))
{
    m_navegador->setObjectName(u"DBNavigator1"_s);
    m_navegador->setDataset(&m_tabela);

    auto *campos_ = new QGridLayout;
    campos_->setHorizontalSpacing(8);
    campos_->setVerticalSpacing(6);
    const QFontMetrics medida(font());
    QWidget *anterior = nullptr;
    int linha = 0;
    for (const Campo &c : campos) {
        auto *edit = new DBEdit(&m_tabela, c.nome, this);
        edit->setObjectName(u"ed"_s + c.nome);
        edit->setMinimumWidth(medida.horizontalAdvance(QString(c.largura, u'W')) / 2 + 16);
        campos_->addWidget(ui::rotulo(c.rotulo, edit, this), linha, 0);
        campos_->addWidget(edit, linha, 1, Qt::AlignLeft);
        m_campos.append(edit);
        if (anterior)
            setTabOrder(anterior, edit);
        anterior = edit;
        ++linha;
    }
    campos_->setColumnStretch(1, 1);

    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->setDataset(&m_tabela);
    m_grid->setReadOnly(true);
    for (const Campo &c : campos)
        m_grid->addColumn(c.nome, c.rotulo, -1, true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setFocusPolicy(Qt::StrongFocus);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ui::barraFerramentas(
        this, {m_btNovo, m_btGravar, m_btCancelar, m_btLocalizar, m_navegador}, {m_btRetornar}));
    auto *corpo = new QVBoxLayout;
    corpo->setContentsMargins(10, 10, 10, 10);
    corpo->setSpacing(8);
    corpo->addLayout(campos_);
    corpo->addWidget(m_grid, 1);
    layout->addLayout(corpo, 1);

    connect(m_btNovo, &QPushButton::clicked, this, &TfTabelaReferencia::btNovoClick);
    connect(m_btGravar, &QPushButton::clicked, this, &TfTabelaReferencia::btGravarClick);
    connect(m_btCancelar, &QPushButton::clicked, this, &TfTabelaReferencia::btCancelarClick);
    connect(m_btLocalizar, &QPushButton::clicked, this, &TfTabelaReferencia::btLocalizarClick);
    connect(m_btRetornar, &QPushButton::clicked, this, &TfTabelaReferencia::btRetornarClick);

    m_estados->setStandardButtons(m_btNovo, m_btGravar, m_btCancelar, nullptr, nullptr, m_btLocalizar,
                                  m_navegador);
    EnterMovesFocus::install(this);
    EscapeCancels::install(this, m_btCancelar);

    m_referencia = this;
    resize(620, 480);
}

TfTabelaReferencia::~TfTabelaReferencia()
{
    if (m_referencia == this)
        m_referencia = nullptr;
}

DBEdit *TfTabelaReferencia::campo(const QString &nome) const
{
    for (DBEdit *e : m_campos)
        if (e->fieldName() == nome)
            return e;
    return nullptr;
}

void TfTabelaReferencia::HabilitaBotoes(bool editing)
{
    m_estados->apply(editing);
}

void TfTabelaReferencia::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] {
        ui::abreTabela(m_tabela);
    });
    HabilitaBotoes(m_tabela.editing());
    if (!m_campos.isEmpty())
        FocaCampo(m_campos.first());
}

void TfTabelaReferencia::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        runForUser([this] { m_tabela.close(); });
}

void TfTabelaReferencia::btNovoClick()
{
    if (runForUser([this] { m_tabela.append(); }) && !m_campos.isEmpty())
        FocaCampo(m_campos.first());
}

void TfTabelaReferencia::btGravarClick()
{
    if (!commitPendingEdits(this, &m_tabela))
        return;
    runForUser([this] {
        if (m_tabela.editing())
            m_tabela.post();
    });
}

void TfTabelaReferencia::btCancelarClick()
{
    for (DBEdit *e : m_campos)
        e->reload();
    runForUser([this] { m_tabela.cancel(); });
}

void TfTabelaReferencia::btLocalizarClick()
{
    if (QApplication::focusWidget() == m_btCancelar || !m_localiza)
        return;
    const QString escolhido = m_localiza();
    runForUser([&] { m_tabela.findKey({escolhido}); });
}

void TfTabelaReferencia::btRetornarClick()
{
    close();
}

} // namespace zef
