#include "header/atividades.h"

#include "app/abre_janela.h"
#include "data/data_module.h"
#include "header/pesquisa_atividade.h"
#include "header/register_windows.h"

namespace zef {

using namespace Qt::StringLiterals;

TfAtividades::TfAtividades(TfDmDados &dm, Dialogs &, QWidget *parent)
    : TfTabelaReferencia(dm, dm.tbAtividades, dm.fAtividades,
                         {{u"Atividade"_s, u"CDATIVIDADE"_s, 10}, {u"Descrição"_s, u"DCATIVIDADE"_s, 60}},
                         u"CDATIVIDADE"_s,
                         [&dm] {
                             detail::registraLiberacao();
                             AbreJanela(fPesquisaAtividade, dm);
                             return fPesquisaAtividade->resultado();
                         },
                         parent)
{
    setObjectName(u"fAtividades"_s);
    setWindowTitle(u"Atividades"_s);
}

} // namespace zef
