// Time to print, to PDF, a declaration with the most rows the entries tables allow: the 11 types of
// item 03, every entry CFOP code of the reference table and the 28 states of item 04, each for the
// five domiciles A to E.
//
//   bench_print [runs]
//
// Figures are milliseconds of processor time, best of the runs, so that they stay steady on a
// machine busy with other work; the database is built once beforehand. Laying the pages out (the
// queries, the hooks, the drawing list) and writing the PDF are timed apart.

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/statement.h"
#include "engine/transaction.h"
#include "print/declaration_print.h"
#include "print/paint.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <memory>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

void insert(Database &db, const QString &table, const QStringList &columns, const QVariantList &values)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks.append(u"?"_s);
    Statement st(db.handle(), u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, columns.join(u", "_s), marks.join(u", "_s)));
    st.bindAll(values);
    while (st.step()) {
    }
}

const QStringList kEntradas = {
    u"01 - COMPRAS"_s, u"02 - TRANSFERÊNCIAS"_s, u"03 - VENDAS CANCELADAS"_s, u"04 - TRANSPORTES"_s,
    u"05 - COMUNICAÇÕES"_s, u"06 - ENERGIA ELÉTRICA"_s, u"07 - DIFERENCIAL DE ALÍQUOTA"_s,
    u"08 - COMPRAS PARA ATIVO PERMANENTE"_s, u"09 - COMPRAS DE MATERIAL PARA USO E CONSUMO"_s,
    u"10 - AQUISIÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"_s, u"11 - OUTRAS ENTRADAS"_s};
const QStringList kLetters = {u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s};
const QStringList kMunicipios = {u"1700251"_s, u"1700954"_s, u"1701655"_s, u"1702356"_s, u"1703057"_s};

int fill(Database &db)
{
    const QString year = u"2025"_s;
    const QString ie = u"123456789"_s;
    int rows = 0;
    Transaction transaction(db);
    insert(db, u"Empresa"_s,
           {u"InscricaoEmpresa"_s, u"CGCEmpresa"_s, u"RazaoSocial"_s, u"CodigoAtividade"_s, u"CodigoMunicipio"_s, u"UF"_s},
           {ie, u"12345678000195"_s, u"EMPRESA DE TESTE LTDA"_s, u"0111302"_s, kMunicipios[0], u"VD"_s});
    insert(db, u"Zef"_s,
           {u"AnoBase"_s, u"CGCEmpresa"_s, u"CodigoAtividade"_s, u"CodigoMunicipio"_s, u"RegimeApuracao"_s,
            u"PeriodoRefInicio"_s, u"PeriodoRefFinal"_s, u"StatusDRF"_s},
           {year, ie, u"0111302"_s, kMunicipios[0], u"3"_s, u"2025-01-01"_s, u"2025-12-31"_s, u"S"_s});
    for (int d = 0; d < 5; ++d)
        insert(db, u"ZefMunAnterior"_s,
               {u"AnoBase"_s, u"CGCEmpresa"_s, u"DataDRFAntI"_s, u"DataDRFAntF"_s, u"CodMunicipioAnt"_s, u"TipoDomicilio"_s},
               {year, ie, u"2025-01-01"_s, u"2025-12-31"_s, kMunicipios[d], kLetters[d]});
    for (const QString &type : kEntradas)
        for (int d = 0; d < 5; ++d, ++rows)
            insert(db, u"Compras"_s,
                   {u"AnoBase"_s, u"CGCEmpresa"_s, u"TipoEntradas"_s, u"TipoRegime"_s, u"TipoDomicilio"_s,
                    u"CodMunicipio"_s, u"VlrContabil"_s, u"BaseCalculo"_s, u"Outras"_s, u"SubTributaria"_s},
                   {year, ie, type, u"A"_s, kLetters[d], kMunicipios[d], 123456.78, 1000.0, 50.25, 3.5});
    Query codes(db, u"select CFOPCod from cfop where CFOPTipo = 'E' order by CFOPCod"_s);
    codes.open();
    for (codes.first(); !codes.eof(); codes.next())
        for (int d = 0; d < 5; ++d, ++rows)
            insert(db, u"CFOPOperacoes"_s,
                   {u"AnoBase"_s, u"CGCEmpresa"_s, u"TipoEntSai"_s, u"CFOP"_s, u"TipoDomicilio"_s, u"CodMunicipio"_s,
                    u"VlrContabil"_s, u"BaseCalculo"_s, u"Outras"_s, u"SubTributaria"_s},
                   {year, ie, u"E"_s, codes.fieldByName(u"CFOPCod"_s)->asInteger(), kLetters[d], kMunicipios[d], 10.0,
                    0.0, 10.0, 0.0});
    Query states(db, u"select SiglaUF from UF order by SiglaUF"_s);
    states.open();
    for (states.first(); !states.eof(); states.next())
        for (int d = 0; d < 5; ++d, ++rows)
            insert(db, u"Entrada"_s,
                   {u"AnoBase"_s, u"CGCEmpresa"_s, u"UFEntrada"_s, u"TipoRegime"_s, u"TipoDomicilio"_s,
                    u"CodMunicipio"_s, u"VlrContabilEntrada"_s, u"BaseCalculoEntrada"_s, u"OutrasEntradas"_s,
                    u"PetroleoEnergia"_s, u"OutrosProdutosEntrada"_s, u"SubsTributaria"_s},
                   {year, ie, states.fieldByName(u"SiglaUF"_s)->asString(), u"A"_s, kLetters[d], kMunicipios[d],
                    98765.43, 1000.0, 0.0, 1.5, 2.25, 0.0});
    transaction.commit();
    return rows;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTextStream out(stdout);

    QTemporaryDir home;
    createDatabase(home.path());
    Database db;
    db.addPassword(QString::fromLatin1(kTablePassword));
    db.setParam(u"PATH"_s, QDir(home.path()).filePath(QString::fromLatin1(kDatabaseDir)));
    db.setCatalogue(tableCatalogue());
    db.connect();
    const int rows = fill(db);
    const QString pdf = home.filePath(u"zef.pdf"_s);

    double bestLayout = 1e18, bestPdf = 1e18, bestTotal = 1e18;
    std::size_t sheets = 0;
    for (int r = 0; r < runs; ++r) {
        const double t0 = cpuMs();
        const print::Document document = print::imprimeDeclaracao(db, {u"2025"_s, u"123456789"_s});
        const double t1 = cpuMs();
        print::gravaPdf(document, pdf);
        const double t2 = cpuMs();
        sheets = document.sheets.size();
        bestLayout = std::min(bestLayout, t1 - t0);
        bestPdf = std::min(bestPdf, t2 - t1);
        bestTotal = std::min(bestTotal, t2 - t0);
    }
    out << "rows " << rows << ", sheets " << sheets << ", PDF " << QFileInfo(pdf).size() / 1024 << " KiB\n";
    out << "layout " << QString::number(bestLayout, 'f', 1) << " ms, PDF " << QString::number(bestPdf, 'f', 1)
        << " ms, total " << QString::number(bestTotal, 'f', 1) << " ms (best of " << runs << ", target < 1000 ms)\n";
    return 0;
}
