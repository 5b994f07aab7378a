#include "header/atividades.h"

#include "app/abre_janela.h"
#include "data/data_module.h"
#include "header/pesquisa_atividade.h"
#include "header/register_windows.h"

namespace zef {

using namespace Qt::StringLiterals;

TfAtividades::TfAtividades(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : TfTabelaReferencia(dm, dialogs, dm.tbAtividades, dm.fAtividades, u"fAtividades"_s, u"Atividades"_s,
                         {{u"Atividade"_s, u"CDATIVIDADE"_s, 10}, {u"Descrição"_s, u"DCATIVIDADE"_s, 60}},
                         [&dm] {
                             detail::registraLiberacao();
                             AbreJanela(fPesquisaAtividade, dm);
                             return fPesquisaAtividade->resultado();
                         },
                         parent)
{
}

} // namespace zef
