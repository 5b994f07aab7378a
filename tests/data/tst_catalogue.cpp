#include "data/catalogue.h"

#include <QSet>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

const TableDef &tableOf(const QString &name)
{
    const TableDef *def = catalogueTable(name);
    if (!def)
        qFatal("table %s missing from the catalogue", qPrintable(name));
    return *def;
}

QStringList columnNames(const TableDef &def)
{
    QStringList names;
    for (const FieldDef &f : def.fields)
        names.append(f.name);
    return names;
}

// "name(fields)" with "*" for case-insensitive; the primary key has an empty name.
QStringList describeIndexes(const TableDef &def)
{
    QStringList out;
    for (const IndexDef &i : def.indexes)
        out.append(i.name + u'(' + i.fields.join(u';') + u')' + (i.caseInsensitive ? u"*"_s : QString()));
    return out;
}

const QStringList kDeclarationTables{
    u"Zef.DB"_s,         u"ZefMunAnterior.DB"_s, u"Compras.DB"_s,           u"Entrada.DB"_s,
    u"Vendas.DB"_s,      u"Saidas.DB"_s,         u"CFOPOperacoes.DB"_s,     u"SaidasMun.DB"_s,
    u"ProdutosDiferidos.DB"_s, u"ProdutosDiferidosNotas.DB"_s, u"Estoque.DB"_s, u"Operacoes.DB"_s,
};

} // namespace

class TstCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void everyTableOnceWithItsFileName();
    void lookupIgnoresCaseAndExtension_data();
    void lookupIgnoresCaseAndExtension();
    void columnsInStoredOrder_data();
    void columnsInStoredOrder();
    void columnDetails_data();
    void columnDetails();
    void checksMessagesAndDefaults_data();
    void checksMessagesAndDefaults();
    void amountsShowAsMoney();
    void indexes_data();
    void indexes();
    void structuralRules();
};

void TstCatalogue::everyTableOnceWithItsFileName()
{
    QStringList names;
    for (const TableDef &def : tableCatalogue())
        names.append(def.fileName);
    const QStringList expected = kDeclarationTables
        + QStringList{u"Empresa.DB"_s, u"Contador.DB"_s, u"Municip.DB"_s, u"atividades20.DB"_s, u"CNAE11"_s,
                      u"AnoBaseCampo7"_s, u"cfop"_s, u"TB_UF.db"_s, u"UF.DB"_s, u"Socio.DB"_s, u"Coletoria.DB"_s,
                      u"TestaZEF.db"_s};
    QCOMPARE(names, expected);

    QSet<QString> sqlNames;
    for (const TableDef &def : tableCatalogue())
        sqlNames.insert(def.sqlName().toLower());
    QCOMPARE(sqlNames.size(), tableCatalogue().size());
}

void TstCatalogue::lookupIgnoresCaseAndExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("sql name lower case") << u"municip"_s << u"Municip.DB"_s;
    QTest::newRow("file name") << u"Municip.DB"_s << u"Municip.DB"_s;
    QTest::newRow("lower-case extension") << u"tb_uf.DB"_s << u"TB_UF.db"_s;
    QTest::newRow("no extension in the file name") << u"cnae11"_s << u"CNAE11"_s;
    QTest::newRow("zef") << u"zef"_s << u"Zef.DB"_s;
    QTest::newRow("unknown") << u"Nenhuma"_s << QString();
    QTest::newRow("longer name of the same start") << u"zefmunanterior.db"_s << u"ZefMunAnterior.DB"_s;
}

void TstCatalogue::lookupIgnoresCaseAndExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, fileName);
    const TableDef *def = catalogueTable(name);
    QCOMPARE(def ? def->fileName : QString(), fileName);
}

void TstCatalogue::columnsInStoredOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    QTest::newRow("Zef") << u"Zef.DB"_s
                         << u"AnoBase CGCEmpresa CodigoAtividade CodigoMunicipio RegimeApuracao TipoEscrita Finalidade "
                            "PeriodoRefInicio PeriodoRefFinal CPFContador CPFSocio CodigoColetoria TipoEstabelecimento "
                            "DataDeclaracao Responsavel Retificacao DataNormalI DataNormalF DataMicroEmpI DataMicroEmpF "
                            "VlrCaixaI VlrCCaixaI VlrPatrimLiq StatusN StatusME StatusDRF TipoDomicilio CodMunicipio "
                            "Importado"_s;
    QTest::newRow("ZefMunAnterior")
        << u"ZefMunAnterior"_s << u"AnoBase CGCEmpresa DataDRFAntI DataDRFAntF CodMunicipioAnt TipoDomicilio"_s;
    QTest::newRow("Compras") << u"Compras"_s
                             << u"AnoBase CGCEmpresa TipoEntradas TipoRegime TipoDomicilio CodMunicipio VlrContabil "
                                "BaseCalculo Outras SubTributaria"_s;
    QTest::newRow("Vendas spells Tiporegime")
        << u"Vendas"_s
        << u"AnoBase CGCEmpresa TipoVendas Tiporegime TipoDomicilio CodMunicipio VlrContabeis BaseCalculo Outras "
           "SubTributaria"_s;
    QTest::newRow("Entrada") << u"Entrada"_s
                             << u"AnoBase CGCEmpresa UFEntrada TipoRegime TipoDomicilio CodMunicipio VlrContabilEntrada "
                                "BaseCalculoEntrada OutrasEntradas PetroleoEnergia OutrosProdutosEntrada SubsTributaria"_s;
    QTest::newRow("Saidas spells Codmunicipio")
        << u"Saidas"_s
        << u"AnoBase CGCEmpresa UF TipoRegime TipoDomicilio Codmunicipio VlrContSaidaContrib VlrContSaidaNContrib "
           "BaseCalcSaidaContrib BaseCalcSaidaNContrib OutrasSaidas ICMSSubTribSaidas SubsTributaria"_s;
    QTest::newRow("CFOPOperacoes")
        << u"CFOPOperacoes"_s
        << u"AnoBase CGCEmpresa TipoEntSai CFOP TipoDomicilio CodMunicipio VlrContabil BaseCalculo Outras SubTributaria"_s;
    QTest::newRow("SaidasMun") << u"SaidasMun"_s
                               << u"AnoBase CGCEmpresa TipoRegime MunicipioID TipoDomicilio CodMunicipio VlrContabil "
                                  "Devolucoes"_s;
    QTest::newRow("ProdutosDiferidos")
        << u"ProdutosDiferidos"_s
        << u"AnoBase CGCEmpresa IEOrigem TipoRegime MunicipioID TipoDomicilio CodMunicipio"_s;
    QTest::newRow("ProdutosDiferidosNotas")
        << u"ProdutosDiferidosNotas"_s
        << u"AnoBase CGCEmpresa IEOrigem TipoDomicilio NumNotaFiscal VlrDiferido CodMunicipio"_s;
    QTest::newRow("Estoque") << u"Estoque"_s
                             << u"AnoBase CGCEmpresa EstoqueInicialTribut EstoqueInicialIsento EstInicialSubTrib "
                                "EstoqueFinalTributado EstoqueFinalIsento EstFinalSubTrib TotalEstoqueInicial "
                                "TotalEstoqueFinal"_s;
    QTest::newRow("Operacoes") << u"Operacoes"_s
                               << u"AnoBase CGCEmpresa Compras Entradas Vendas Saidas Resultado TipoRegime"_s;
    QTest::newRow("Empresa") << u"Empresa"_s
                             << u"InscricaoEmpresa CGCEmpresa RazaoSocial NomeFantasia Endereco CodigoAtividade "
                                "CodigoMunicipio UF CEP Senha"_s;
    QTest::newRow("Contador") << u"Contador"_s
                              << u"CPFContador CRCContador NomeContador EnderecoContador FoneContador"_s;
    QTest::newRow("Municip") << u"Municip"_s << u"Codigo Descricao UF"_s;
    QTest::newRow("atividades20") << u"atividades20"_s << u"CDATIVIDADE DCATIVIDADE"_s;
    QTest::newRow("CNAE11") << u"CNAE11"_s << u"cnae"_s;
    QTest::newRow("AnoBaseCampo7") << u"AnoBaseCampo7"_s << u"cnae AnoBase"_s;
    QTest::newRow("cfop") << u"cfop"_s << u"CFOPCod CFOPTipo CFOPNom"_s;
    QTest::newRow("TB_UF") << u"TB_UF"_s << u"SiglaUF Descricao"_s;
    QTest::newRow("UF") << u"UF"_s << u"CodUF Descricao SiglaUF"_s;
    QTest::newRow("Socio") << u"Socio"_s
                           << u"CPFSocio NomeSocio EnderecoSocio PercentualSocio TipoSocio FoneSocio"_s;
    QTest::newRow("Coletoria") << u"Coletoria"_s << u"CodigoColetoria NomeColetoria"_s;
    QTest::newRow("TestaZEF") << u"TestaZEF"_s << u"AnoBase Tipo PodeCopiar CGCEmpresa"_s;
}

void TstCatalogue::columnsInStoredOrder()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    QCOMPARE(columnNames(tableOf(table)), columns.split(u' '));
}

void TstCatalogue::columnDetails_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("required");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("display");

    const int text = int(FieldType::String);
    const int number = int(FieldType::Float);
    const int integer = int(FieldType::Integer);
    const int date = int(FieldType::Date);
    const int logical = int(FieldType::Boolean);
    const QString money = u"#,###,###,##0.00"_s;

    QTest::newRow("Zef.AnoBase") << u"Zef"_s << u"AnoBase"_s << text << 4 << false << u"9999"_s << QString();
    QTest::newRow("Zef.CGCEmpresa") << u"Zef"_s << u"CGCEmpresa"_s << text << 14 << false << QString() << QString();
    QTest::newRow("Zef.CodigoAtividade")
        << u"Zef"_s << u"CodigoAtividade"_s << text << 7 << false << u"9999-9/99"_s << QString();
    QTest::newRow("Zef.PeriodoRefInicio")
        << u"Zef"_s << u"PeriodoRefInicio"_s << date << 0 << false << u"99/99/9999"_s << QString();
    QTest::newRow("Zef.CPFContador")
        << u"Zef"_s << u"CPFContador"_s << text << 11 << false << u"999.999.999-99"_s << QString();
    QTest::newRow("Zef.Responsavel") << u"Zef"_s << u"Responsavel"_s << text << 80 << false << QString() << QString();
    QTest::newRow("Zef.VlrPatrimLiq") << u"Zef"_s << u"VlrPatrimLiq"_s << number << 0 << false << QString() << money;
    QTest::newRow("Zef.Importado") << u"Zef"_s << u"Importado"_s << logical << 0 << false << QString() << QString();
    QTest::newRow("ZefMunAnterior.CodMunicipioAnt")
        << u"ZefMunAnterior"_s << u"CodMunicipioAnt"_s << text << 7 << false << u"999999-9"_s << QString();
    QTest::newRow("Compras.TipoEntradas")
        << u"Compras"_s << u"TipoEntradas"_s << text << 50 << true << QString() << QString();
    QTest::newRow("Vendas.TipoVendas") << u"Vendas"_s << u"TipoVendas"_s << text << 50 << true << QString() << QString();
    QTest::newRow("Entrada.UFEntrada") << u"Entrada"_s << u"UFEntrada"_s << text << 2 << true << u">LL"_s << QString();
    QTest::newRow("Saidas.UF") << u"Saidas"_s << u"UF"_s << text << 2 << true << u">LL"_s << QString();
    QTest::newRow("CFOPOperacoes.CFOP")
        << u"CFOPOperacoes"_s << u"CFOP"_s << integer << 0 << false << QString() << u"#,###"_s;
    QTest::newRow("SaidasMun.CGCEmpresa")
        << u"SaidasMun"_s << u"CGCEmpresa"_s << text << 12 << false << QString() << QString();
    QTest::newRow("SaidasMun.VlrContabil")
        << u"SaidasMun"_s << u"VlrContabil"_s << number << 0 << false << QString() << u"###,###,###,##0.00"_s;
    QTest::newRow("ProdutosDiferidos.IEOrigem")
        << u"ProdutosDiferidos"_s << u"IEOrigem"_s << text << 9 << false << u"99.999.999-9"_s << QString();
    QTest::newRow("ProdutosDiferidosNotas.NumNotaFiscal")
        << u"ProdutosDiferidosNotas"_s << u"NumNotaFiscal"_s << integer << 0 << false << QString() << u"000000;_"_s;
    QTest::newRow("Empresa.InscricaoEmpresa")
        << u"Empresa"_s << u"InscricaoEmpresa"_s << text << 9 << false << u"99.999.999-9"_s << QString();
    QTest::newRow("Empresa.RazaoSocial") << u"Empresa"_s << u"RazaoSocial"_s << text << 60 << true << QString() << QString();
    QTest::newRow("Empresa.CodigoMunicipio")
        << u"Empresa"_s << u"CodigoMunicipio"_s << text << 7 << true << u"999999-9"_s << QString();
    QTest::newRow("Empresa.CEP") << u"Empresa"_s << u"CEP"_s << text << 8 << false << u"99.999-999"_s << QString();
    QTest::newRow("Contador.CPFContador")
        << u"Contador"_s << u"CPFContador"_s << text << 11 << true << u"999.999.999-99"_s << QString();
    QTest::newRow("Contador.FoneContador")
        << u"Contador"_s << u"FoneContador"_s << text << 10 << false << u"(99)9999-9999"_s << QString();
    QTest::newRow("Municip.Codigo") << u"Municip"_s << u"Codigo"_s << text << 7 << true << u"999999-9"_s << QString();
    QTest::newRow("atividades20.DCATIVIDADE")
        << u"atividades20"_s << u"DCATIVIDADE"_s << text << 248 << false << QString() << QString();
    QTest::newRow("UF.CodUF") << u"UF"_s << u"CodUF"_s << integer << 0 << false << QString() << u"0#"_s;
    QTest::newRow("TestaZEF.PodeCopiar") << u"TestaZEF"_s << u"PodeCopiar"_s << logical << 0 << false << QString()
                                         << QString();
    QTest::newRow("Socio.PercentualSocio")
        << u"Socio"_s << u"PercentualSocio"_s << number << 0 << false << QString() << QString();
}

void TstCatalogue::columnDetails()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(bool, required);
    QFETCH(QString, mask);
    QFETCH(QString, display);

    const FieldDef *field = tableOf(table).field(column);
    QVERIFY(field);
    QCOMPARE(field->name, column);
    QCOMPARE(int(field->type), type);
    QCOMPARE(field->size, size);
    QCOMPARE(field->required, required);
    QCOMPARE(field->editMask, mask);
    QCOMPARE(field->displayFormat, display);
}

void TstCatalogue::checksMessagesAndDefaults_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("constraint");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("defaultsToZero");

    QTest::newRow("Compras.VlrContabil (two blanks kept)")
        << u"Compras"_s << u"VlrContabil"_s << u"VlrContabil >= 0 or  VlrContabil  is null"_s
        << u"Valor contábil não pode ser negativo"_s << true;
    QTest::newRow("Compras.BaseCalculo") << u"Compras"_s << u"BaseCalculo"_s
                                         << u"BaseCalculo >= 0 or BaseCalculo is null"_s
                                         << u"Base de Cálculo não pode ser negativo"_s << true;
    QTest::newRow("Compras.Outras") << u"Compras"_s << u"Outras"_s << u"Outras >= 0 or Outras is null"_s
                                    << u"O campo Outras não pode ser negativo"_s << true;
    QTest::newRow("Compras.SubTributaria") << u"Compras"_s << u"SubTributaria"_s
                                           << u"SubTributaria >= 0 or SubTributaria is null"_s
                                           << u"Substituição Tributária não pode ser negativo"_s << true;
    QTest::newRow("Vendas.VlrContabeis") << u"Vendas"_s << u"VlrContabeis"_s
                                         << u"VlrContabeis >= 0 or VlrContabeis is null"_s
                                         << u"Valor contábil não pode ser negativo"_s << true;
    QTest::newRow("Vendas.SubTributaria") << u"Vendas"_s << u"SubTributaria"_s
                                          << u"SubTributaria >= 0 or SubTributaria is null"_s
                                          << u"Substituição Tributária não pode ser negativo"_s << true;
    QTest::newRow("Entrada.VlrContabilEntrada (lower-case v)")
        << u"Entrada"_s << u"VlrContabilEntrada"_s << u"vlrContabilEntrada >= 0"_s
        << u"O campo Valor Contábil não pode ser negativo"_s << true;
    QTest::newRow("Entrada.PetroleoEnergia") << u"Entrada"_s << u"PetroleoEnergia"_s << u"PetroleoEnergia >= 0"_s
                                             << u"O campo Petróleo/Energia não pode ser negativo"_s << true;
    QTest::newRow("Entrada.SubsTributaria") << u"Entrada"_s << u"SubsTributaria"_s << QString() << QString() << true;
    QTest::newRow("Saidas.VlrContSaidaContrib (no message)")
        << u"Saidas"_s << u"VlrContSaidaContrib"_s << u"vlrContSaidaContrib >= 0"_s << QString() << true;
    QTest::newRow("Saidas.BaseCalcSaidaNContrib")
        << u"Saidas"_s << u"BaseCalcSaidaNContrib"_s << u"BaseCalcSaidaNContrib >= 0"_s
        << u"O campo Base de Cálculo não Contribuinte não pode ser negativo!"_s << true;
    QTest::newRow("Saidas.OutrasSaidas") << u"Saidas"_s << u"OutrasSaidas"_s << u"OutrasSaidas >= 0"_s
                                         << u"O campo Outras Saídas não pode ser negativo!"_s << true;
    QTest::newRow("CFOPOperacoes.Outras (one message, no default)")
        << u"CFOPOperacoes"_s << u"Outras"_s << u"Outras >= 0"_s << u"Valor contábil não pode ser negativo"_s << false;
    QTest::newRow("SaidasMun.Devolucoes") << u"SaidasMun"_s << u"Devolucoes"_s << u"Devolucoes >= 0"_s << QString()
                                          << false;
    QTest::newRow("Estoque.EstFinalSubTrib") << u"Estoque"_s << u"EstFinalSubTrib"_s << u"EstFinalSubTrib >= 0"_s
                                             << u"O campo de preenchimento não pode ser negativo"_s << true;
    QTest::newRow("Estoque.TotalEstoqueFinal")
        << u"Estoque"_s << u"TotalEstoqueFinal"_s << QString() << QString() << false;
    QTest::newRow("Operacoes.Resultado") << u"Operacoes"_s << u"Resultado"_s << QString() << QString() << true;
    QTest::newRow("Zef.VlrCaixaI") << u"Zef"_s << u"VlrCaixaI"_s << QString() << QString() << false;
    QTest::newRow("ProdutosDiferidosNotas.VlrDiferido")
        << u"ProdutosDiferidosNotas"_s << u"VlrDiferido"_s << QString() << QString() << false;
}

void TstCatalogue::checksMessagesAndDefaults()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, constraint);
    QFETCH(QString, message);
    QFETCH(bool, defaultsToZero);

    const FieldDef *field = tableOf(table).field(column);
    QVERIFY(field);
    QCOMPARE(field->constraint, constraint);
    QCOMPARE(field->constraintMessage, message);
    if (defaultsToZero) {
        QCOMPARE(field->defaultValue.typeId(), QMetaType::Double);
        QCOMPARE(field->defaultValue.toDouble(), 0.0);
    } else {
        QVERIFY(!field->defaultValue.isValid());
    }
}

void TstCatalogue::amountsShowAsMoney()
{
    // Every number column holds reais except the partner's percentage; item 07 has formats of its own.
    for (const TableDef &def : tableCatalogue()) {
        for (const FieldDef &f : def.fields) {
            if (f.type != FieldType::Float || f.name == u"PercentualSocio"_s)
                continue;
            const bool item07 = def.sqlName() == u"SaidasMun"_s;
            const QString where = def.fileName + u'.' + f.name;
            QVERIFY2(f.displayFormat == (item07 ? u"###,###,###,##0.00"_s : u"#,###,###,##0.00"_s), qPrintable(where));
            QVERIFY2(f.editFormat == (item07 ? u"###########0.00"_s : u"#########0.00"_s), qPrintable(where));
        }
    }
}

void TstCatalogue::indexes_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("indexes");

    const QString key = u"idxChave(AnoBase;CGCEmpresa)*"_s;
    QTest::newRow("Zef") << u"Zef"_s << QStringList{u"(AnoBase;CGCEmpresa)"_s};
    QTest::newRow("ZefMunAnterior")
        << u"ZefMunAnterior"_s << QStringList{u"(AnoBase;CGCEmpresa;DataDRFAntI;DataDRFAntF;TipoDomicilio)"_s};
    QTest::newRow("Compras") << u"Compras"_s
                             << QStringList{u"(AnoBase;CGCEmpresa;TipoEntradas;TipoRegime;TipoDomicilio)"_s, key};
    QTest::newRow("Vendas") << u"Vendas"_s
                            << QStringList{u"(AnoBase;CGCEmpresa;TipoVendas;Tiporegime;TipoDomicilio;CodMunicipio)"_s,
                                           key};
    QTest::newRow("Entrada") << u"Entrada"_s
                             << QStringList{u"(AnoBase;CGCEmpresa;UFEntrada;TipoRegime;TipoDomicilio;CodMunicipio)"_s,
                                            u"idxUFRegime(AnoBase;CGCEmpresa;UFEntrada;TipoRegime)*"_s};
    QTest::newRow("Saidas") << u"Saidas"_s
                            << QStringList{u"(AnoBase;CGCEmpresa;UF;TipoRegime;TipoDomicilio;Codmunicipio)"_s, key};
    QTest::newRow("CFOPOperacoes")
        << u"CFOPOperacoes"_s << QStringList{u"(AnoBase;CGCEmpresa;TipoEntSai;CFOP;TipoDomicilio;CodMunicipio)"_s};
    QTest::newRow("SaidasMun")
        << u"SaidasMun"_s << QStringList{u"(AnoBase;CGCEmpresa;MunicipioID;TipoRegime;TipoDomicilio;CodMunicipio)"_s};
    QTest::newRow("ProdutosDiferidos")
        << u"ProdutosDiferidos"_s
        << QStringList{u"(AnoBase;CGCEmpresa;IEOrigem;TipoRegime;CodMunicipio;TipoDomicilio)"_s, key};
    QTest::newRow("ProdutosDiferidosNotas")
        << u"ProdutosDiferidosNotas"_s
        << QStringList{u"idxFornecedor(AnoBase;CGCEmpresa;IEOrigem;TipoDomicilio)*"_s};
    QTest::newRow("Estoque") << u"Estoque"_s << QStringList{u"(AnoBase;CGCEmpresa)"_s};
    QTest::newRow("Operacoes") << u"Operacoes"_s << QStringList{u"(AnoBase;CGCEmpresa;TipoRegime)"_s, key};
    QTest::newRow("Empresa") << u"Empresa"_s
                             << QStringList{u"(InscricaoEmpresa)"_s, u"idxCodigoAtividade(CodigoAtividade)*"_s,
                                            u"idxCodigoMunicipio(CodigoMunicipio)*"_s,
                                            u"idxRazaoSocial(RazaoSocial)*"_s};
    QTest::newRow("Contador") << u"Contador"_s
                              << QStringList{u"(CPFContador)"_s, u"idxNome(NomeContador)*"_s};
    QTest::newRow("Municip") << u"Municip"_s << QStringList{u"(Codigo)"_s, u"IDXDESCRICAO(Descricao)*"_s};
    QTest::newRow("atividades20")
        << u"atividades20"_s << QStringList{u"(CDATIVIDADE)"_s, u"IDXDESCRICAO(DCATIVIDADE)*"_s};
    QTest::newRow("CNAE11") << u"CNAE11"_s << QStringList{u"(cnae)"_s};
    QTest::newRow("AnoBaseCampo7") << u"AnoBaseCampo7"_s << QStringList{u"(cnae;AnoBase)"_s};
    QTest::newRow("cfop") << u"cfop"_s << QStringList{u"(CFOPCod;CFOPTipo)"_s};
    QTest::newRow("TB_UF") << u"TB_UF"_s << QStringList{u"(SiglaUF)"_s};
    QTest::newRow("UF") << u"UF"_s << QStringList{u"(CodUF)"_s};
    QTest::newRow("Socio") << u"Socio"_s << QStringList{};
    QTest::newRow("Coletoria") << u"Coletoria"_s << QStringList{};
    QTest::newRow("TestaZEF") << u"TestaZEF"_s << QStringList{};
}

void TstCatalogue::indexes()
{
    QFETCH(QString, table);
    QFETCH(QStringList, indexes);
    QCOMPARE(describeIndexes(tableOf(table)), indexes);
}

void TstCatalogue::structuralRules()
{
    for (const TableDef &def : tableCatalogue()) {
        const QString t = def.fileName;
        QSet<QString> names;
        for (const FieldDef &f : def.fields) {
            QVERIFY2(!names.contains(f.name.toLower()), qPrintable(t + u": repeated "_s + f.name));
            names.insert(f.name.toLower());
            QVERIFY2((f.type == FieldType::String) == (f.size > 0), qPrintable(t + u'.' + f.name));
            QVERIFY2(f.constraintMessage.isEmpty() || !f.constraint.isEmpty(), qPrintable(t + u'.' + f.name));
        }
        QSet<QString> indexNames;
        for (qsizetype i = 0; i < def.indexes.size(); ++i) {
            const IndexDef &index = def.indexes.at(i);
            // The primary key comes first and only once; secondary indexes ignore case.
            QVERIFY2(!index.isPrimary() || i == 0, qPrintable(t));
            QCOMPARE(index.caseInsensitive, !index.isPrimary());
            QVERIFY2(!indexNames.contains(index.name.toLower()), qPrintable(t + u": index "_s + index.name));
            indexNames.insert(index.name.toLower());
            QVERIFY(!index.fields.isEmpty());
            for (const QString &field : index.fields) {
                const FieldDef *f = def.field(field);
                QVERIFY2(f && f->name == field, qPrintable(t + u": index field "_s + field));
            }
        }
    }

    // Every declaration table starts with the declaration key; calculated columns are not stored.
    for (const QString &t : kDeclarationTables) {
        const TableDef &def = tableOf(t);
        QCOMPARE(def.fields.value(0).name, u"AnoBase"_s);
        QCOMPARE(def.fields.value(1).name, u"CGCEmpresa"_s);
    }
    QVERIFY(!tableOf(u"Compras"_s).field(u"NomMunicipio"_s));
    QVERIFY(!tableOf(u"Compras"_s).field(u"TotalVlrContabilA"_s));
    QVERIFY(!tableOf(u"SaidasMun"_s).field(u"Total"_s));
    QVERIFY(!tableOf(u"Estoque"_s).field(u"ccTotalInicial"_s));
    QVERIFY(!tableOf(u"ProdutosDiferidos"_s).field(u"Notas"_s));
    QVERIFY(!tableOf(u"Empresa"_s).field(u"CodMunicipioAnt"_s));
}

QTEST_APPLESS_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
