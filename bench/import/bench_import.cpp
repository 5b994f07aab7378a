// Speed of the text import: a generated file of accounting-system declarations (by default 2,000
// declarations of 50 lines each) imported into a fresh database. Prints the wall-clock and
// processor time of the import alone and the peak memory of the process.
//
//   bench_import [declarations] [years]
//
// With years > 1 every taxpayer has one declaration per base year, so that large files (22,000
// declarations, about 100 MB, with "2000 11") need no more taxpayers. ZEF_BENCH_COMMIT_MS sets how
// long declarations share a transaction (0: a commit after every declaration).

#include "data/database_setup.h"
#include "data/catalogue.h"
#include "data/scripted_dialogs.h"
#include "engine/database.h"
#include "engine/transaction.h"
#include "engine/query.h"
#include "import/text_import.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

using namespace zef;

namespace {

const char *const kAccountantCpf = "52998224725";
const char *const kActivity = "0111301";   // obliges item 07 from 2019 on
const char *const kMunicipality = "1700251";
const char *const kCfopEntry = "1554";
const char *const kCfopExit = "5554";

QByteArray padded(QByteArray text, int width)
{
    if (text.size() < width)
        text.append(QByteArray(width - text.size(), ' '));
    return text.left(width);
}

QByteArray amount(qint64 cents)
{
    return QByteArray::number(cents).rightJustified(14, '0');
}

QByteArray registration(int i)
{
    return QByteArray::number(290000000 + i);
}

QByteArray head(char letter, const QByteArray &ie, const QByteArray &year)
{
    return QByteArray(1, letter) + ie + year;
}

// One declaration of 50 lines: A, B, C x11, D x10, E x10, F x10, G, H, I, J, K x2, Z.
void writeDeclaration(QFile &out, const QByteArray &ie, const QByteArray &year, int seed)
{
    QByteArray text;
    text += "A" + ie + year + "N" + kActivity + "1" + "1" + "1" + "3" + kMunicipality + "0101" + year + "3112"
        + year + kAccountantCpf + padded("RESPONSAVEL DA EMPRESA " + QByteArray::number(seed), 80) + amount(100000)
        + amount(250000) + amount(9900000) + "N" + "2026.1\r\n";
    text += head('B', ie, year) + kMunicipality + "01011900" + "31121900" + "A\r\n";
    for (int t = 1; t <= 11; ++t)
        text += head('C', ie, year) + QByteArray::number(t).rightJustified(2, '0') + "A" + kMunicipality
            + amount(seed + t) + amount(1000) + amount(200) + amount(30) + "\r\n";
    const char *states[] = {"01", "02", "03", "04", "05", "06", "07", "08", "10", "12"};
    for (const char *s : states)
        text += head('D', ie, year) + s + "A" + kMunicipality + amount(seed) + amount(1) + amount(2) + amount(3)
            + amount(4) + amount(5) + "\r\n";
    for (int t = 1; t <= 10; ++t)
        text += head('E', ie, year) + QByteArray::number(t).rightJustified(2, '0') + "A" + kMunicipality
            + amount(seed * 3 + t) + amount(1) + amount(2) + amount(3) + "\r\n";
    for (const char *s : states)
        text += head('F', ie, year) + s + "A" + kMunicipality + amount(seed) + amount(1) + amount(2) + amount(3)
            + amount(4) + amount(5) + amount(6) + "\r\n";
    text += head('G', ie, year) + "1700954" + "A" + kMunicipality + amount(5000) + amount(10) + "\r\n";
    text += head('H', ie, year) + "290000017" + "A" + kMunicipality + "1700954" + "\r\n";
    text += head('I', ie, year) + "290000017" + "A" + kMunicipality + "0001234" + amount(777) + "\r\n";
    text += head('J', ie, year) + amount(10000) + amount(2000) + amount(300) + amount(40000) + amount(5000)
        + amount(600) + "\r\n";
    text += head('K', ie, year) + "E" + kCfopEntry + "A" + kMunicipality + amount(1) + amount(2) + amount(3)
        + amount(4) + "\r\n";
    text += head('K', ie, year) + "S" + kCfopExit + "A" + kMunicipality + amount(1) + amount(2) + amount(3)
        + amount(4) + "\r\n";
    text += "Z\r\n";
    out.write(text);
}

void registerTaxpayers(Database &db, int count)
{
    Transaction transaction(db);
    Query q(db, QStringLiteral("insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, CodigoMunicipio, UF) "
                               "values (:ie, :cnpj, :nome, :mun, 'VD')"));
    for (int i = 0; i < count; ++i) {
        q.setParam(QStringLiteral("ie"), QString::fromLatin1(registration(i)));
        q.setParam(QStringLiteral("cnpj"), QStringLiteral("11222333000181"));
        q.setParam(QStringLiteral("nome"), QStringLiteral("EMPRESA %1 LTDA").arg(i));
        q.setParam(QStringLiteral("mun"), QString::fromLatin1(kMunicipality));
        q.execSql();
    }
    Query c(db, QStringLiteral("insert into Contador (CPFContador, NomeContador) values (:cpf, 'CONTADOR')"));
    c.setParam(QStringLiteral("cpf"), QString::fromLatin1(kAccountantCpf));
    c.execSql();
    transaction.commit();
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int declarations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const int years = argc > 2 ? std::max(1, std::min(11, std::atoi(argv[2]))) : 1;

    QTemporaryDir home;
    createDatabase(home.path());
    Database db;
    db.addPassword(QString::fromLatin1(kTablePassword));
    db.setParam(QStringLiteral("PATH"), home.filePath(QStringLiteral("Db")));
    db.setCatalogue(tableCatalogue());
    db.connect();
    registerTaxpayers(db, declarations);

    const QString path = home.filePath(QStringLiteral("importacao.txt"));
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        for (int y = 0; y < years; ++y)
            for (int i = 0; i < declarations; ++i)
                writeDeclaration(out, registration(i), QByteArray::number(2025 - y), i);
    }
    const long before = peakKilobytes();

    ScriptedDialogs dialogs;
    TextImport importacao(db, dialogs);
    importacao.today = QDate(2026, 12, 10);
    if (const char *interval = std::getenv("ZEF_BENCH_COMMIT_MS"))
        importacao.commitIntervalMs = std::atoi(interval);
    int successes = 0;
    int others = 0;
    importacao.onLog = [&](const QString &entry) {
        if (entry.endsWith(QStringLiteral("Importada com sucesso. ")))
            ++successes;
        else if (++others <= 3)
            std::fprintf(stderr, "%s\n", qPrintable(entry));
    };
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu0 = std::clock();
    const ImportSummary summary = importacao.importFile(path);
    const double cpu = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;

    const qint64 lines = qint64(declarations) * years * 50;
    std::printf("%d declarations x 50 lines (%lld lines, %.1f MB): %.2f s wall, %.2f s processor, %.0f lines/s\n",
                declarations * years, static_cast<long long>(lines), double(QFileInfo(path).size()) / 1e6, seconds,
                cpu, double(lines) / seconds);
    std::printf("imported %d, refused %d, other log entries %d; peak memory %ld kB (%ld kB before the import)\n",
                summary.imported, summary.refused, others, peakKilobytes(), before);
    return summary.imported == declarations * years && !summary.endedEarly() ? 0 : 1;
}
