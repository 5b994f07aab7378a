#include "app/opcoes.h"

#include "app/titulos.h"
#include "data/data_module.h"
#include "data/dialogs.h"
#include "data/lookups.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

QStringList itensSemItem07()
{
    return {
        u"03 - Entradas de mercadorias, bens e/ou prestações de serviços no estabelecimento do contribuinte"_s,
        u"04 - Entradas de mercadorias, bens e/ou aquisição deserviços,  detalhadas (por Unidadeda Federação)"_s,
        u"05 - Saídas de mercadorias, bens e/ou prestações de serviços do estabelecimento do contribuinte"_s,
        u"06 - Saídas de mercadorias, bens e/ou prestações de serviços, detalhadas (por Unidade da Federação)"_s,
        u"08 - Relação de mercadorias e/ou produtos adquiridos de outros municípios com isenção do ICMS"_s,
        u"09 - Demonstrativo do estoque"_s,
        u"10 - Responsáveis pela declaração"_s,
    };
}

QString textoItem07()
{
    return u"07 - Saídas e Entradas de Mercadorias e/ou Prestações de Serviços do Estabelecimento do Contribuinte "
           u"(por Município de Origem)"_s;
}

} // namespace

QStringList itensOpcoes(bool comItem07)
{
    QStringList itens = itensSemItem07();
    if (comItem07) {
        // Added at the end and sorted, which puts it between 06 and 08.
        itens.append(textoItem07());
        itens.sort();
    }
    return itens;
}

std::optional<ItemSecao> itemDaPosicao(int posicao, bool comItem07)
{
    static constexpr std::array<ItemSecao, 8> comSete{{
        {3, EditorSecao::Compra},
        {4, EditorSecao::Entradas},
        {5, EditorSecao::Vendas},
        {6, EditorSecao::Saidas},
        {7, EditorSecao::SaidaMunic},
        {8, EditorSecao::ProdDiferido},
        {9, EditorSecao::Estoque},
        {10, EditorSecao::Responsavel},
    }};
    static constexpr std::array<ItemSecao, 7> semSete{{
        {3, EditorSecao::Compra},
        {4, EditorSecao::Entradas},
        {5, EditorSecao::Vendas},
        {6, EditorSecao::Saidas},
        {8, EditorSecao::ProdDiferido},
        {9, EditorSecao::Estoque},
        {10, EditorSecao::Responsavel},
    }};
    if (posicao < 0)
        return std::nullopt;
    const auto indice = static_cast<size_t>(posicao);
    if (comItem07)
        return indice < comSete.size() ? std::optional(comSete[indice]) : std::nullopt;
    return indice < semSete.size() ? std::optional(semSete[indice]) : std::nullopt;
}

QString classeEditor(EditorSecao editor)
{
    switch (editor) {
    case EditorSecao::Compra:
        return u"TfCompra"_s;
    case EditorSecao::Entradas:
        return u"TfEntradas"_s;
    case EditorSecao::Vendas:
        return u"TfVendas"_s;
    case EditorSecao::Saidas:
        return u"TfSaidas"_s;
    case EditorSecao::SaidaMunic:
        return u"TfSaidaMunic"_s;
    case EditorSecao::ProdDiferido:
        return u"TfProdDiferido"_s;
    case EditorSecao::Estoque:
        return u"TfEstoque"_s;
    case EditorSecao::Responsavel:
        return u"TfResponsavel"_s;
    }
    return QString();
}

TfOpcoes::TfOpcoes(TfDmDados &dm, QWidget *parent)
    : QDialog(parent),
      m_dm(dm),
      m_opcoes(new QGroupBox(u"Opções"_s, this)),
      m_grupo(new QButtonGroup(this)),
      m_continua(new QPushButton(u"&Continua"_s, this)),
      m_retorna(new QPushButton(u"&Retorna"_s, this))
{
    setObjectName(u"fOpcoes"_s);
    setWindowTitle(tituloLongo());

    m_opcoes->setObjectName(u"rgOpcoes"_s);
    auto *itensLayout = new QVBoxLayout(m_opcoes);
    const QStringList textos = itensOpcoes(exigeItem07());
    for (int i = 0; i < textos.size(); ++i) {
        auto *opcao = new QRadioButton(textos.at(i), m_opcoes);
        m_grupo->addButton(opcao, i);
        itensLayout->addWidget(opcao);
    }
    selecionaPosicao(0);

    m_continua->setObjectName(u"btnContinua"_s);
    m_continua->setDefault(true);
    m_retorna->setObjectName(u"btnRetorna"_s);
    connect(m_continua, &QPushButton::clicked, this, &TfOpcoes::btnContinuaClick);
    connect(m_retorna, &QPushButton::clicked, this, &TfOpcoes::btnRetornaClick);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(m_continua);
    botoes->addWidget(m_retorna);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_opcoes);
    layout->addLayout(botoes);
}

bool TfOpcoes::exigeItem07() const
{
    const Table &zef = m_dm.tbZEF;
    const bool temDeclaracao = zef.active() && zef.recNo() > 0;
    const QString atividade =
        temDeclaracao ? zef.fieldByName(u"CodigoAtividade"_s)->asString() : QString();
    return ExigeItem07(m_dm.dtbBaseDados, m_dm.anoBase(), atividade);
}

int TfOpcoes::posicaoSelecionada() const
{
    return m_grupo->checkedId();
}

void TfOpcoes::selecionaPosicao(int posicao)
{
    if (QAbstractButton *opcao = m_grupo->button(posicao))
        opcao->setChecked(true);
}

QStringList TfOpcoes::itens() const
{
    QStringList textos;
    for (const QAbstractButton *opcao : m_grupo->buttons())
        textos.append(opcao->text());
    return textos;
}

void TfOpcoes::btnContinuaClick()
{
    // The declaration may have changed its activity since the list was built: the test is made again.
    const std::optional<ItemSecao> escolhido = itemDaPosicao(posicaoSelecionada(), exigeItem07());
    if (!escolhido)
        return;
    if (!abreEditor || !abreEditor(escolhido->editor)) {
        Mensagem(m_dm.dialogs(), u"O item %1 ainda não pode ser editado nesta versão."_s.arg(escolhido->item, 2, 10, QChar(u'0')));
        return;
    }
    if (limpaReferencias)
        limpaReferencias();
}

void TfOpcoes::btnRetornaClick()
{
    close();
}

} // namespace zef
