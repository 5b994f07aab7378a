#include "header/pesquisa_atividade.h"

#include "app/widgets/db_grid.h"
#include "data/data_module.h"

#include <QLineEdit>

namespace zef {

using namespace Qt::StringLiterals;

TfPesquisaAtividade::TfPesquisaAtividade(TfDmDados &dm, QWidget *parent)
    : TfPesquisaBase(dm.dtbBaseDados, u"atividades20.DB"_s, u"IDXDESCRICAO"_s, u"CDATIVIDADE"_s, u"&Descrição:"_s,
                     {{u"CDATIVIDADE"_s, u"Atividade"_s, 90}, {u"DCATIVIDADE"_s, u"Descrição"_s, 420}}, parent)
{
    setObjectName(u"fPesquisaAtividade"_s);
    setWindowTitle(u"Pesquisar Atividades"_s);
    tabela().afterOpen = [](Dataset &ds) { ds.fieldByName(u"CDATIVIDADE"_s)->setEditMask(u"9999-9/99"_s); };
}

bool TfPesquisaAtividade::enterConfirma(QWidget *controle) const
{
    return controle == edPesquisa() || controle == grid();
}

} // namespace zef
