#include "data/sections/section_description.h"

namespace zef {

using namespace Qt::StringLiterals;

QStringList SectionDescription::amountFields() const
{
    QStringList fields;
    for (const SectionAmount &a : amounts)
        fields.append(a.field);
    return fields;
}

QStringList SectionDescription::lineKeyColumns() const
{
    QStringList columns;
    if (!directionColumn.isEmpty())
        columns.append(directionColumn);
    columns.append(keyColumn);
    if (!regimeColumn.isEmpty())
        columns.append(regimeColumn);
    columns.append(u"TipoDomicilio"_s);
    return columns;
}

QStringList tiposEntrada()
{
    return {
        u"01 - COMPRAS"_s,
        u"02 - TRANSFERÊNCIAS"_s,
        u"03 - VENDAS CANCELADAS"_s,
        u"04 - TRANSPORTES"_s,
        u"05 - COMUNICAÇÕES"_s,
        u"06 - ENERGIA ELÉTRICA"_s,
        u"07 - DIFERENCIAL DE ALÍQUOTA"_s,
        u"08 - COMPRAS PARA ATIVO PERMANENTE"_s,
        u"09 - COMPRAS DE MATERIAL PARA USO E CONSUMO"_s,
        u"10 - AQUISIÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"_s,
        u"11 - OUTRAS ENTRADAS"_s,
    };
}

const SectionDescription &descricaoCompras()
{
    static const SectionDescription d = [] {
        SectionDescription s;
        s.table = u"Compras"_s;
        s.keyColumn = u"TipoEntradas"_s;
        s.regimeColumn = u"TipoRegime"_s;
        s.regimeValue = u"A"_s;
        s.amounts = {
            {u"VlrContabil"_s, u"3.2 - Valor Contábil"_s, u"3.3 - Valor Contábil"_s, u"Valor Contábil"_s},
            {u"BaseCalculo"_s, u"3.3 - Base de Cálculo"_s, u"3.4 - Base de Cálculo"_s, u"Base de Cálculo"_s},
            {u"Outras"_s, u"3.4 - Outras/Isentas não Tributadas"_s, u"3.5 - Outras/Isentas não Tributadas"_s,
             u"Outras/Isentas não Tributadas"_s},
            {u"SubTributaria"_s, u"3.5 - Substituição Tributária"_s, u"3.6 - Substituição Tributária"_s,
             u"Subtituição Tributária"_s},
        };
        s.compactTotalCaption = u"3.6                  TOTAL"_s;
        s.fullTotalCaption = u"3.7                  TOTAL"_s;
        s.totals = SectionDescription::Totals::Assign;
        s.totalsGroupColumn = u"TipoRegime"_s;
        s.deleteTitle = u"Compra"_s;
        s.deleteText = u"Confirma exclusão"_s;
        s.deleteInTransaction = true;
        s.clearsOtherEntriesWithType07 = true;
        s.closeCheck = true;
        s.editKeyTitle = u"3.1- Tipo de Entradas"_s;
        s.editMunicipalityTitle = u"Municipio"_s;
        s.listSql = u"select TipoEntradas, TipoDomicilio, CodMunicipio, VlrContabil, BaseCalculo, Outras, "
                    u"SubTributaria  from Compras where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"_s;
        s.listKeyTitle = u"Tipo de Entradas"_s;
        s.listMunicipalityField = u"MunNom"_s;
        s.listMunicipalityLookedUp = true;
        s.letterFieldStem = u"Domicilio"_s;
        s.municipalityFieldStem = u"Municipio"_s;
        s.totalFieldStems = {u"TotalVlrContabil"_s, u"TotalBaseCalculo"_s, u"TotalOutras"_s, u"TotalSubTributaria"_s};
        s.simplifiedLockedColumns = [](const QString &chosen) {
            if (chosen == QString::fromUtf8(kTipoDiferencialAliquota))
                return QStringList{u"BaseCalculo"_s, u"SubTributaria"_s};
            return QStringList{u"BaseCalculo"_s, u"Outras"_s};
        };
        return s;
    }();
    return d;
}

const SectionDescription &descricaoCFOP()
{
    static const SectionDescription d = [] {
        SectionDescription s;
        s.table = u"CFOPOperacoes"_s;
        s.keyColumn = u"CFOP"_s;
        s.keyIsNumber = true;
        s.directionColumn = u"TipoEntSai"_s;
        s.amounts = {
            {u"VlrContabil"_s, u"3 - Valor Contábil"_s, u"3 - Valor Contábil"_s, u"Valor Contábil"_s},
            {u"BaseCalculo"_s, u"4 - Base de Cálculo"_s, u"4 - Base de Cálculo"_s, u"Base de Calculo"_s},
            {u"Outras"_s, u"5 - Outras"_s, u"5 - Outras"_s, u"Outras"_s},
            {u"SubTributaria"_s, u"6 - Substituição Tributária"_s, u"6 - Substituição Tributária"_s,
             u"Substituição Tributária"_s},
        };
        s.compactTotalCaption = u"7   TOTAL"_s;
        s.fullTotalCaption = u"7   TOTAL"_s;
        s.totals = SectionDescription::Totals::Add;
        s.totalsGroupColumn = u"CFOP"_s;
        s.deleteTitle = u"CFOP"_s;
        s.deleteText = u"Confirma exclusão?"_s;
        // One statement: nothing to keep together.
        s.deleteInTransaction = false;
        s.editKeyTitle = u"1 - CFOP"_s;
        s.editMunicipalityTitle = u"Município"_s;
        s.listSql = u"select CFOP, TipoDomicilio, CodMunicipio, Descricao as NomMunicipio, VlrContabil, BaseCalculo, "
                    u"Outras, SubTributaria from CFOPOperacoes, Municip where AnoBase = :AnoBase "
                    u"and CGCEmpresa = :CGCEmpresa and TipoEntSai = :TipoEntSai and CodMunicipio =  Codigo "
                    u"order by   CFOP, TipoDomicilio"_s;
        s.listKeyTitle = u"CFOP"_s;
        s.listMunicipalityField = u"NomMunicipio"_s;
        s.letterFieldStem = u"Domicilio"_s;
        s.municipalityFieldStem = u"NomMunicip"_s;
        s.totalFieldStems = {u"VlrContabil"_s, u"BaseCalculo"_s, u"Outras"_s, u"SubTributaria"_s};
        s.simplifiedLockedColumns = [](const QString &) { return QStringList{u"BaseCalculo"_s, u"Outras"_s}; };
        return s;
    }();
    return d;
}

} // namespace zef
