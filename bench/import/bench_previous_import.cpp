// Speed of the previous-installation import: an earlier installation's Paradox tables written
// here with pxlib (by default 2,000 taxpayers and 200 accountants, stored out of key order)
// imported into a fresh database. Prints the wall-clock time of the import alone.
//
//   bench_previous_import [taxpayers]

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/windows_1252.h"
#include "engine/database.h"
#include "import/previous_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <paradox.h>
}

using namespace zef;

namespace {

struct Column {
    const char *name;
    int length;
};

// A keyed table of alpha columns; row(i) gives the texts of record i.
template <typename Row>
void writeTable(const QString &path, const std::vector<Column> &columns, int count, Row row)
{
    pxdoc_t *doc = PX_new();
    auto *fields = static_cast<pxfield_t *>(std::calloc(columns.size(), sizeof(pxfield_t)));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        fields[i].px_fname = strdup(columns[i].name);
        fields[i].px_ftype = pxfAlpha;
        fields[i].px_flen = columns[i].length;
    }
    if (PX_create_file(doc, fields, int(columns.size()), QFile::encodeName(path).constData(), pxfFileTypIndexDB) < 0) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        std::exit(1);
    }
    doc->px_head->px_primarykeyfields = 1;
    const int size = PX_get_recordsize(doc);
    for (int r = count - 1; r >= 0; --r) {
        QByteArray record(size, '\0');
        const QStringList texts = row(r);
        int offset = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            QByteArray bytes = toWindows1252(texts.value(int(i))).left(columns[i].length);
            PX_put_data_alpha(doc, record.data() + offset, columns[i].length, bytes.data());
            offset += columns[i].length;
        }
        PX_put_record(doc, record.data());
    }
    PX_close(doc);
    PX_delete(doc);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int taxpayers = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int accountants = std::max(1, taxpayers / 10);

    QTemporaryDir home;
    QTemporaryDir earlier;
    createDatabase(home.path());
    PX_boot();
    writeTable(QDir(earlier.path()).filePath(QStringLiteral("Empresa.DB")),
               {{"InscricaoEmpresa", 9}, {"CGCEmpresa", 14}, {"RazaoSocial", 60}, {"NomeFantasia", 50},
                {"Endereco", 40}, {"CodigoAtividade", 7}, {"CodigoMunicipio", 7}, {"UF", 2}, {"CEP", 8}, {"Senha", 4}},
               taxpayers, [](int i) {
                   return QStringList{QStringLiteral("29%1").arg(i, 7, 10, QLatin1Char('0')),
                                      QStringLiteral("11222333000181"),
                                      QStringLiteral("CONFECÇÕES SÃO JOSÉ %1 LTDA").arg(i),
                                      QStringLiteral("LOJA %1").arg(i),
                                      QStringLiteral("AVENIDA DA ESTAÇÃO, %1").arg(i),
                                      QStringLiteral("4711302"),
                                      QStringLiteral("1700251"),
                                      QStringLiteral("VD"),
                                      QStringLiteral("77000000"),
                                      QStringLiteral("1234")};
               });
    writeTable(QDir(earlier.path()).filePath(QStringLiteral("Contador.DB")),
               {{"CPFContador", 11}, {"CRCContador", 20}, {"NomeContador", 60}, {"EnderecoContador", 40},
                {"FoneContador", 10}},
               accountants, [](int i) {
                   return QStringList{QStringLiteral("%1").arg(i, 11, 10, QLatin1Char('0')),
                                      QStringLiteral("VD-%1").arg(i), QStringLiteral("JOÃO CONTADOR %1").arg(i),
                                      QStringLiteral("RUA %1").arg(i), QStringLiteral("6332150000")};
               });

    Database db;
    db.addPassword(QString::fromLatin1(kTablePassword));
    db.setParam(QStringLiteral("PATH"), QDir(home.path()).filePath(QString::fromLatin1(kDatabaseDir)));
    db.setCatalogue(tableCatalogue());
    db.connect();

    PreviousImport importacao(db);
    QElapsedTimer clock;
    clock.start();
    const PreviousImportCount count = importacao.importFolder(earlier.path());
    const qint64 ms = clock.elapsed();
    std::printf("%d taxpayers, %d accountants added in %lld ms (%.2f ms per row)\n", count.empresas,
                count.contadores, static_cast<long long>(ms), double(ms) / std::max(1, count.empresas + count.contadores));
    return 0;
}
