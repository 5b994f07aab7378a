#include "header/pesquisa_contador.h"

#include "data/data_module.h"

namespace zef {

using namespace Qt::StringLiterals;

TfPesquisaContador::TfPesquisaContador(TfDmDados &dm, QWidget *parent)
    : TfPesquisaBase(dm.dtbBaseDados, u"Contador.DB"_s, u"idxNome"_s, u"CPFContador"_s, u"&Nome:"_s,
                     {{u"CPFContador"_s, u"CPF"_s, 110}, {u"CRCContador"_s, u"CRC"_s, 110}, {u"NomeContador"_s, u"Nome"_s, 340}},
                     parent)
{
    setObjectName(u"fPesquisaContador"_s);
    setWindowTitle(u"Pesquisa Contador"_s);
}

bool TfPesquisaContador::enterConfirma(QWidget *) const
{
    return true;
}

} // namespace zef
