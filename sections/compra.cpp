#include "sections/compra.h"

#include "app/abre_janela.h"
#include "app/widgets/widget_errors.h"
#include "app/window_ui.h"
#include "data/data_module.h"
#include "sections/cfop.h"

namespace zef {

using namespace Qt::StringLiterals;

TfCompra::TfCompra(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : JanelaSecao(dm, dialogs, descricaoCompras(), dm.tbCompras, u"fCompra"_s,
                  u"Entradas de mercadorias, bens e/ou serviços no estabelecimento do contribuinte"_s,
                  u"tblInsCompras"_s, parent),
      m_ligacao(dm.fCompra, static_cast<SectionEditor *>(this))
{
    constroiJanela(u"cbTipoEntrada"_s,
                   u"3 - Entrada de Mercadorias, Bens e/ou Aquisições de Serviços no Estabelecimento do Contribuinte"_s,
                   u"3.2 - Domicílio Fiscal"_s, u"qryCompras"_s);
}

QStringList TfCompra::itensChave()
{
    return tiposEntrada();
}

bool TfCompra::chaveSomenteLeitura(const QString &tipo) const
{
    return tipo == QString::fromUtf8(kTipoOutrasEntradas);
}

void TfCompra::depoisDeGerar(const QString &tipo)
{
    if (!chaveSomenteLeitura(tipo))
        return;
    // Other entries are broken down by CFOP; their lines here take that editor's totals.
    Table &operacoes = dm().tbCFOPOperacoes;
    if (!runForUser([&] {
            operacoes.setFilter(u"TipoEntSai='E'"_s);
            operacoes.setFiltered(true);
            ui::abreTabela(operacoes);
        }))
        return;
    {
        TfCFOP cfop(dm(), dialogs(), this);
        cfop.setSentidoCFOP(u"E"_s);
        ui::centraSobre(cfop, this);
        MostraModal(cfop);
    }
    runForUser([this] {
        aplicaTotaisCFOP(tabela(), totaisPorDomicilio(dm().dtbBaseDados, descricaoCFOP(), chave(), u"E"_s));
    });
}

} // namespace zef
