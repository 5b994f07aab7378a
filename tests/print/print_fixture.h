#pragma once

// A declaration ready to print: the taxpayer registered with a known activity (the cover joins
// it), section rows in the declaration's municipality.

#include "../export/declaration_fixture.h"

namespace zef::testing {

inline constexpr auto kMunicipio = u"1700251";   // ÁGUA BOA DO NORTE
inline constexpr auto kMunicipioB = u"1701655";   // ÁGUAS CLARAS DO VARDELO

class PrintFixture : public DeclarationFixture
{
public:
    // The taxpayer with its CNPJ or CPF; the declaration with the overrides of Zef.DB and no
    // domicile rows (addDomicilio adds them).
    void addPrintable(const QVariantMap &overrides = {}, const QString &cnpj = u"12345678000195"_s,
                      const QString &ie = QString::fromUtf16(kIE))
    {
        insert(u"Empresa"_s, {{u"InscricaoEmpresa"_s, ie},
                              {u"CGCEmpresa"_s, cnpj},
                              {u"RazaoSocial"_s, u"COMERCIAL VARDELENSE DE ALIMENTOS LTDA"_s},
                              {u"Endereco"_s, u"RUA DAS ACÁCIAS, 120"_s},
                              {u"CodigoAtividade"_s, QString::fromUtf16(kActivity)},
                              {u"CodigoMunicipio"_s, QString::fromUtf16(kMunicipio)},
                              {u"UF"_s, u"VD"_s},
                              {u"CEP"_s, u"77500000"_s}});
        addDeclaracao(ie, overrides, QString::fromUtf16(kYear), false);
    }

    void compra(const QString &type, const QString &letter, double contabil, const QString &municipio = {})
    {
        addLinha(u"Compras"_s, {{u"TipoEntradas"_s, type},
                                {u"TipoRegime"_s, u"A"_s},
                                {u"TipoDomicilio"_s, letter},
                                {u"CodMunicipio"_s, municipio.isEmpty() ? QString::fromUtf16(kMunicipio) : municipio},
                                {u"VlrContabil"_s, contabil},
                                {u"BaseCalculo"_s, contabil / 2},
                                {u"Outras"_s, 0.0},
                                {u"SubTributaria"_s, 0.0}});
    }

    void entrada(const QString &uf, const QString &letter, double contabil)
    {
        addLinha(u"Entrada"_s, {{u"UFEntrada"_s, uf},
                                {u"TipoRegime"_s, u"A"_s},
                                {u"TipoDomicilio"_s, letter},
                                {u"CodMunicipio"_s, QString::fromUtf16(letter == u"A"_s ? kMunicipio : kMunicipioB)},
                                {u"VlrContabilEntrada"_s, contabil},
                                {u"BaseCalculoEntrada"_s, contabil},
                                {u"OutrasEntradas"_s, 0.0},
                                {u"PetroleoEnergia"_s, 1.5},
                                {u"OutrosProdutosEntrada"_s, 2.25},
                                {u"SubsTributaria"_s, 0.0}});
    }

    void cfop(int code, const QString &letter, double contabil)
    {
        addLinha(u"CFOPOperacoes"_s, {{u"TipoEntSai"_s, u"E"_s},
                                      {u"CFOP"_s, code},
                                      {u"TipoDomicilio"_s, letter},
                                      {u"CodMunicipio"_s, QString::fromUtf16(kMunicipio)},
                                      {u"VlrContabil"_s, contabil},
                                      {u"BaseCalculo"_s, 0.0},
                                      {u"Outras"_s, contabil},
                                      {u"SubTributaria"_s, 0.0}});
    }
};

} // namespace zef::testing
