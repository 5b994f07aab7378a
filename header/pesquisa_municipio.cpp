#include "header/pesquisa_municipio.h"

#include "data/data_module.h"

namespace zef {

using namespace Qt::StringLiterals;

TfPesquisaMunicipio::TfPesquisaMunicipio(TfDmDados &dm, QWidget *parent)
    : TfPesquisaBase(dm.dtbBaseDados, u"Municip.DB"_s, u"IDXDESCRICAO"_s, u"Codigo"_s, u"&Município:"_s,
                     {{u"Codigo"_s, u"Município"_s, 90}, {u"Descricao"_s, u"Descrição"_s, 380}, {u"UF"_s, u"UF"_s, 40}},
                     parent)
{
    setObjectName(u"fPesquisaMunicipio"_s);
    setWindowTitle(u"Municípios"_s);
}

void TfPesquisaMunicipio::defineFiltro(const QString &expressao)
{
    tabela().setFilter(expressao);
    tabela().setFiltered(true);
}

bool TfPesquisaMunicipio::enterConfirma(QWidget *) const
{
    return true;
}

void TfPesquisaMunicipio::confirmaLinha()
{
    TfPesquisaBase::confirmaLinha();
    m_resultadoUF = valorAtual(u"UF"_s);
}

} // namespace zef
