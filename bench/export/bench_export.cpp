// Time to produce one declaration file of many declarations: the text of 1,000 declarations of 60
// lines each, the checks on the same rows, and both compressions. The declarations balance, so no
// question is asked; half of them oblige item 07 and run every check.
//
//   bench_export [declarations] [runs]
//
// Figures are milliseconds of processor time, best of the runs, so that they stay steady on a
// machine busy with other work; the database is built once beforehand. The phases (reading the
// rows, writing the lines, the checks, each compression) are timed apart as well.

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/scripted_dialogs.h"
#include "engine/database.h"
#include "engine/transaction.h"
#include "engine/statement.h"
#include "data/windows_1252.h"
#include "export/consistency_checks.h"
#include "export/declaration_list.h"
#include "export/declaration_text.h"
#include "export/gera_arquivo.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
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

class Inserter
{
public:
    Inserter(Database &db, const QString &table, const QStringList &columns)
    {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks.append(u"?"_s);
        m_st = std::make_unique<Statement>(
            db.handle(), u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, columns.join(u", "_s), marks.join(u", "_s)));
    }
    void operator()(const QVariantList &values)
    {
        m_st->reset();
        m_st->bindAll(values);
        while (m_st->step()) {
        }
    }

private:
    std::unique_ptr<Statement> m_st;
};

const QStringList kEntradas = {
    u"01 - COMPRAS"_s, u"02 - TRANSFERÊNCIAS"_s, u"03 - VENDAS CANCELADAS"_s, u"04 - TRANSPORTES"_s,
    u"05 - COMUNICAÇÕES"_s, u"06 - ENERGIA ELÉTRICA"_s, u"07 - DIFERENCIAL DE ALÍQUOTA"_s,
    u"08 - COMPRAS PARA ATIVO PERMANENTE"_s, u"09 - COMPRAS DE MATERIAL PARA USO E CONSUMO"_s,
    u"10 - AQUISIÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"_s, u"11 - OUTRAS ENTRADAS"_s};
const QStringList kVendas = {
    u"01 - VENDAS"_s, u"02 - TRANSFERÊNCIAS"_s, u"03 - COMPRAS CANCELADAS"_s, u"04 - ENERGIA ELÉTRICA"_s,
    u"05 - COMUNICAÇÕES"_s, u"06 - TRANSPORTES"_s, u"07 - VENDAS DO ATIVO PERMANENTE"_s,
    u"08 - VENDAS DE MATERIAL PARA USO E CONSUMO"_s, u"09 - PRESTAÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"_s,
    u"10 - OUTRAS SAÍDAS"_s};
const QStringList kUFs = {u"SP"_s, u"RJ"_s, u"MG"_s, u"GO"_s, u"BA"_s};

// 1 + 1 + 5 + 5 + 11 + 10 + 1 + 5 + 10 + 5 + 6 = 60 lines "A" to "L" per declaration.
void fill(Database &db, int declarations)
{
    const QString year = u"2025"_s;
    const QString municipio = u"1700251"_s;
    Inserter contador(db, u"Contador"_s, {u"CPFContador"_s, u"NomeContador"_s});
    contador({u"11122233396"_s, u"CONTADOR"_s});
    Inserter empresa(db, u"Empresa"_s, {u"InscricaoEmpresa"_s, u"CGCEmpresa"_s, u"RazaoSocial"_s,
                                         u"CodigoMunicipio"_s, u"UF"_s, u"Senha"_s});
    Inserter zef(db, u"Zef"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"CodigoAtividade"_s, u"CodigoMunicipio"_s,
                                u"RegimeApuracao"_s, u"TipoEscrita"_s, u"Finalidade"_s, u"PeriodoRefInicio"_s,
                                u"PeriodoRefFinal"_s, u"CPFContador"_s, u"TipoEstabelecimento"_s, u"Responsavel"_s,
                                u"Retificacao"_s, u"VlrCaixaI"_s, u"VlrCCaixaI"_s, u"VlrPatrimLiq"_s,
                                u"StatusDRF"_s});
    Inserter domicilio(db, u"ZefMunAnterior"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"DataDRFAntI"_s, u"DataDRFAntF"_s,
                                                 u"CodMunicipioAnt"_s, u"TipoDomicilio"_s});
    Inserter entrada(db, u"Entrada"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"UFEntrada"_s, u"TipoRegime"_s,
                                        u"TipoDomicilio"_s, u"CodMunicipio"_s, u"VlrContabilEntrada"_s,
                                        u"BaseCalculoEntrada"_s, u"OutrasEntradas"_s, u"PetroleoEnergia"_s,
                                        u"OutrosProdutosEntrada"_s, u"SubsTributaria"_s});
    Inserter saida(db, u"Saidas"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"UF"_s, u"TipoRegime"_s, u"TipoDomicilio"_s,
                                     u"Codmunicipio"_s, u"VlrContSaidaContrib"_s, u"VlrContSaidaNContrib"_s,
                                     u"BaseCalcSaidaContrib"_s, u"BaseCalcSaidaNContrib"_s, u"OutrasSaidas"_s,
                                     u"ICMSSubTribSaidas"_s, u"SubsTributaria"_s});
    Inserter compra(db, u"Compras"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"TipoEntradas"_s, u"TipoRegime"_s,
                                       u"TipoDomicilio"_s, u"CodMunicipio"_s, u"VlrContabil"_s, u"BaseCalculo"_s,
                                       u"Outras"_s, u"SubTributaria"_s});
    Inserter venda(db, u"Vendas"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"TipoVendas"_s, u"Tiporegime"_s,
                                     u"TipoDomicilio"_s, u"CodMunicipio"_s, u"VlrContabeis"_s, u"BaseCalculo"_s,
                                     u"Outras"_s, u"SubTributaria"_s});
    Inserter estoque(db, u"Estoque"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"EstoqueInicialTribut"_s,
                                        u"EstoqueFinalTributado"_s, u"TotalEstoqueInicial"_s,
                                        u"TotalEstoqueFinal"_s});
    Inserter fornecedor(db, u"ProdutosDiferidos"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"IEOrigem"_s, u"TipoRegime"_s,
                                                     u"MunicipioID"_s, u"TipoDomicilio"_s, u"CodMunicipio"_s});
    Inserter nota(db, u"ProdutosDiferidosNotas"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"IEOrigem"_s,
                                                    u"TipoDomicilio"_s, u"NumNotaFiscal"_s, u"VlrDiferido"_s,
                                                    u"CodMunicipio"_s});
    Inserter municipioOrigem(db, u"SaidasMun"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"TipoRegime"_s,
                                                  u"MunicipioID"_s, u"TipoDomicilio"_s, u"CodMunicipio"_s,
                                                  u"VlrContabil"_s, u"Devolucoes"_s});
    Inserter cfop(db, u"CFOPOperacoes"_s, {u"AnoBase"_s, u"CGCEmpresa"_s, u"TipoEntSai"_s, u"CFOP"_s,
                                           u"TipoDomicilio"_s, u"CodMunicipio"_s, u"VlrContabil"_s, u"BaseCalculo"_s,
                                           u"Outras"_s, u"SubTributaria"_s});

    Transaction transaction(db);
    for (int d = 0; d < declarations; ++d) {
        const QString ie = QString::number(100000000 + d * 7);
        empresa({ie, u"12345678000195"_s, u"EMPRESA DE TESTE NUMERO %1 LTDA"_s.arg(d), municipio, u"VD"_s, u"S3nh"_s});
        // Half oblige item 07 and so run every check.
        zef({year, ie, d % 2 == 0 ? u"0111301"_s : u"0111302"_s, municipio, u"3"_s, u"1"_s, u"1"_s,
             QDate(2025, 1, 1), QDate(2025, 12, 31), u"11122233396"_s, u"1"_s, u"RESPONSÁVEL PELA DECLARAÇÃO"_s,
             u"N"_s, 1500.25, -320.5, 350000.0, u"N"_s});
        domicilio({year, ie, QDate(2025, 1, 1), QDate(2025, 12, 31), municipio, u"A"_s});
        // Entries: 1,100.00 by state and by type, of which 400.00 of types 04, 05, 06 and 11.
        for (const QString &uf : kUFs)
            entrada({year, ie, uf, u"A"_s, u"A"_s, municipio, 220.0, 120.0, 80.0, 3.5, 1.25, 20.0});
        for (const QString &type : kEntradas)
            compra({year, ie, type, u"A"_s, u"A"_s, municipio, 100.0, 60.0, 30.0, 10.0});
        // Exits: 1,000.00 by state and by type, of which 100.00 of type 10.
        for (const QString &uf : kUFs)
            saida({year, ie, uf, u"A"_s, u"A"_s, municipio, 150.0, 50.0, 100.0, 50.0, 40.0, 2.0, 10.0});
        for (const QString &type : kVendas)
            venda({year, ie, type, u"A"_s, u"A"_s, municipio, 100.0, 60.0, 30.0, 10.0});
        estoque({year, ie, 1000.0, 1200.0, 1000.0, 1200.0});
        for (int s = 0; s < 5; ++s) {
            const QString supplier = QString::number(900000000 + s);
            fornecedor({year, ie, supplier, u"A"_s, u"1700954"_s, u"A"_s, municipio});
            nota({year, ie, supplier, u"A"_s, 1000 + s, 125.5, municipio});
        }
        for (int m = 0; m < 10; ++m)
            municipioOrigem({year, ie, u"A"_s, QString::number(1701000 + m), u"A"_s, municipio, 90.0, 70.0});
        for (int c = 0; c < 3; ++c) {
            cfop({year, ie, u"E"_s, 1949 + c, u"A"_s, municipio, 50.0, 30.0, 15.0, 5.0});
            cfop({year, ie, u"S"_s, 5949 + c, u"A"_s, municipio, 50.0, 30.0, 15.0, 5.0});
        }
    }
    transaction.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int declarations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTextStream out(stdout);

    QTemporaryDir home;
    createDatabase(home.path());
    Database db(u"benchExport"_s);
    db.addPassword(QString::fromLatin1(kTablePassword));
    db.setParam(u"PATH"_s, QDir(home.path()).filePath(QString::fromLatin1(kDatabaseDir)));
    db.setCatalogue(tableCatalogue());
    db.connect();
    fill(db, declarations);

    QStringList keys;
    for (const ListedDeclaration &d : listaDeclaracoes(db, u"2025"_s))
        keys.append(inscricaoDaEntrada(d.entry));

    struct Times {
        double read = 0, lines = 0, checks = 0, encode = 0, first = 0, second = 0, whole = 0;
    };
    Times best;
    bool firstRun = true;
    qsizetype textSize = 0, fileSize = 0, lines = 0;
    for (int r = 0; r < runs; ++r) {
        // The phases one by one, as montaTextoArquivo and compactaArquivo chain them.
        Times t;
        {
            ScriptedDialogs dialogs;   // a question would throw: the declarations balance
            DeclarationReader reader(db);
            ConsistencyChecks checks(db, dialogs);
            std::vector<DeclarationRows> all;
            double start = cpuMs();
            for (const QString &k : keys)
                all.push_back(reader.read({u"2025"_s, k}));
            t.read = cpuMs() - start;
            start = cpuMs();
            QString text;
            int counter = 0;
            for (const DeclarationRows &d : all)
                appendDeclarationText(text, d, counter);
            t.lines = cpuMs() - start;
            start = cpuMs();
            for (const DeclarationRows &d : all)
                checks.check(d);
            t.checks = cpuMs() - start;
            start = cpuMs();
            const QByteArray bytes = toWindows1252(text);
            t.encode = cpuMs() - start;
            Q_UNUSED(bytes);
        }
        // And the whole as the export runs it.
        ScriptedDialogs dialogs;
        double start = cpuMs();
        const DeclarationFileText text = montaTextoArquivo(db, dialogs, u"2025"_s, keys);
        const double built = cpuMs();
        const QByteArray file = compactaArquivo(text.text);
        t.whole = cpuMs() - start;
        t.first = built - start;          // text and checks
        t.second = cpuMs() - built;       // both compressions
        if (!text.validationList.isEmpty()) {
            out << "unexpected findings:\n" << text.validationList.join(u'\n') << "\n";
            return 1;
        }
        textSize = text.text.size();
        fileSize = file.size();
        lines = text.text.count('\n');
        const auto keep = [&](double &b, double v) { b = firstRun ? v : std::min(b, v); };
        keep(best.read, t.read);
        keep(best.lines, t.lines);
        keep(best.checks, t.checks);
        keep(best.encode, t.encode);
        keep(best.first, t.first);
        keep(best.second, t.second);
        keep(best.whole, t.whole);
        firstRun = false;
    }
    out << declarations << " declarations, " << lines << " lines, " << textSize << " bytes of text, " << fileSize
        << " bytes of file\n";
    out << Qt::fixed << qSetRealNumberPrecision(0);
    out << "phases: reading rows " << best.read << " ms, lines " << best.lines << " ms, checks " << best.checks
        << " ms, Windows-1252 " << best.encode << " ms\n";
    out << "export: text and checks " << best.first << " ms + both compressions " << best.second << " ms = "
        << best.whole << " ms of processor time (best of " << runs << ")\n";
    return 0;
}
