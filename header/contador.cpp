#include "header/contador.h"

#include "app/abre_janela.h"
#include "app/widgets/button_states.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/enter_moves_focus.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "data/accountant_register.h"
#include "data/data_module.h"
#include "data/dialogs.h"
#include "header/register_ui.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

TfContador::TfContador(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent),
      m_dm(dm),
      m_dialogs(dialogs),
      m_navegador(new DBNavigator(this)),
      m_btNovo(ui::botao(u"&Novo"_s, u"btNovo"_s, this)),
      m_btGravar(ui::botao(u"&Gravar"_s, u"btGravar"_s, this)),
      m_btCancelar(ui::botao(u"&Cancelar"_s, u"btCancelar"_s, this)),
      m_btExcluir(ui::botao(u"&Excluir"_s, u"btExcluir"_s, this)),
      m_btRetornar(ui::botao(u"Retornar"_s, u"btRetornar"_s, this)),
      m_estados(new ButtonStates(this))
{
    ui::preparaJanela(this, u"fContador"_s, u"Contador"_s);
    m_navegador->setObjectName(u"DBNavigator1"_s);
    m_navegador->setDataset(&m_dm.tbContador);

    struct Linha {
        QString rotulo;
        QString campo;
        int largura;
    };
    const QList<Linha> linhas{
        {u"CPF"_s, u"CPFContador"_s, 16},
        {u"CRC"_s, u"CRCContador"_s, 20},
        {u"Nome"_s, u"NomeContador"_s, 60},
        {u"Endereço"_s, u"EnderecoContador"_s, 40},
        {u"Fone"_s, u"FoneContador"_s, 15},
    };
    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(6);
    const QFontMetrics medida(font());
    QWidget *anterior = nullptr;
    int linha = 0;
    for (const Linha &l : linhas) {
        auto *edit = new DBEdit(&m_dm.tbContador, l.campo, this);
        edit->setObjectName(u"ed"_s + l.campo);
        edit->setMinimumWidth(std::min(medida.averageCharWidth() * l.largura + 16, 460));
        m_campos.insert(l.campo, edit);
        grade->addWidget(ui::rotulo(l.rotulo, edit, this), linha, 0);
        grade->addWidget(edit, linha, 1, Qt::AlignLeft);
        if (anterior)
            setTabOrder(anterior, edit);
        anterior = edit;
        ++linha;
    }
    grade->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ui::barraFerramentas(this, {m_btNovo, m_btGravar, m_btCancelar, m_btExcluir, m_navegador},
                                           {m_btRetornar}));
    auto *corpo = new QVBoxLayout;
    corpo->setContentsMargins(10, 10, 10, 10);
    corpo->addLayout(grade);
    corpo->addStretch();
    layout->addLayout(corpo, 1);

    connect(m_btNovo, &QPushButton::clicked, this, &TfContador::btNovoClick);
    connect(m_btGravar, &QPushButton::clicked, this, &TfContador::btGravarClick);
    connect(m_btCancelar, &QPushButton::clicked, this, &TfContador::btCancelarClick);
    connect(m_btExcluir, &QPushButton::clicked, this, &TfContador::btExcluirClick);
    connect(m_btRetornar, &QPushButton::clicked, this, &TfContador::btRetornarClick);

    m_estados->setStandardButtons(m_btNovo, m_btGravar, m_btCancelar, m_btExcluir, nullptr, nullptr, m_navegador);
    EnterMovesFocus::install(this);

    m_dm.fContador = this;
    resize(620, 300);
}

TfContador::~TfContador()
{
    if (m_dm.fContador == this)
        m_dm.fContador = nullptr;
}

void TfContador::HabilitaBotoes(bool editing)
{
    m_estados->apply(editing);
}

void TfContador::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] {
        ui::abreTabela(m_dm.tbContador);
    });
    HabilitaBotoes(m_dm.tbContador.editing());
    FocaCampo(campo(u"CPFContador"_s));
}

void TfContador::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        runForUser([this] { m_dm.tbContador.close(); });
}

void TfContador::btNovoClick()
{
    if (runForUser([this] { m_dm.tbContador.append(); }))
        FocaCampo(campo(u"CPFContador"_s));
}

void TfContador::btGravarClick()
{
    Table &contador = m_dm.tbContador;
    if (!commitPendingEdits(this, &contador) || !contador.editing())
        return;
    if (const auto recusa = verificaContador(contador)) {
        Mensagem(m_dialogs, recusa->mensagem);
        FocaCampo(campo(recusa->campo));
        return;
    }
    runForUser([&] { contador.post(); });
}

void TfContador::btCancelarClick()
{
    for (DBEdit *e : std::as_const(m_campos))
        e->reload();
    runForUser([this] { m_dm.tbContador.cancel(); });
}

void TfContador::btExcluirClick()
{
    if (!Confirma(m_dialogs, u"Confirma exclusão?"_s))
        return;
    runForUser([this] { m_dm.tbContador.remove(); });
}

void TfContador::btRetornarClick()
{
    close();
}

} // namespace zef
