#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/index_list.h"
#include "data/reference_data.h"
#include "engine/database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace zef;
using namespace Qt::StringLiterals;

// A change made to the lines of a reference file.
using Spoiler = std::function<void(QList<QByteArray> &lines)>;
Q_DECLARE_METATYPE(Spoiler)

namespace {

QString dbFolder(const QTemporaryDir &home)
{
    return home.filePath(QString::fromLatin1(kDatabaseDir));
}

QString dbFile(const QTemporaryDir &home)
{
    return QDir(dbFolder(home)).filePath(QString::fromLatin1(Database::kFileName));
}

std::unique_ptr<Database> open(const QTemporaryDir &home, bool withPassword = true)
{
    auto db = std::make_unique<Database>(u"tstSetup"_s);
    db->setParam(u"PATH"_s, dbFolder(home));
    if (withPassword)
        db->addPassword(QString::fromLatin1(kTablePassword));
    db->setCatalogue(tableCatalogue());
    db->connect();
    return db;
}

int rowCount(Database &db, const QString &table)
{
    QSqlQuery q(db.sql());
    if (!q.exec(u"SELECT count(*) FROM \"%1\""_s.arg(db.storedTableName(table))) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Data lines of a shipped reference file (its lines less the column names).
int shippedRows(const QString &table)
{
    QFile file(QDir(QString::fromLatin1(kReferenceDataDir)).filePath(table + u".tsv"_s));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return int(lines.size()) - 1;
}

// A writable copy of the shipped reference files, to be spoiled by a test.
bool copyReferenceFiles(const QString &target)
{
    const QDir source(QString::fromLatin1(kReferenceDataDir));
    for (const QString &name : source.entryList(QDir::Files)) {
        const QString copy = QDir(target).filePath(name);
        if (!QFile::copy(source.filePath(name), copy))
            return false;
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

bool spoil(const QString &path, const Spoiler &change)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    change(lines);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(lines.join('\n')) >= 0;
}

// Replaces one field, found by the column name in the first line, of a line (1-based).
Spoiler setField(int line, const QByteArray &column, const QByteArray &value)
{
    return [=](QList<QByteArray> &lines) {
        const qsizetype col = lines.at(0).split('\t').indexOf(column);
        QList<QByteArray> fields = lines.at(line - 1).split('\t');
        fields[col] = value;
        lines[line - 1] = fields.join('\t');
    };
}

} // namespace

class TstDatabaseSetup : public QObject
{
    Q_OBJECT

private slots:
    void everyTableExistsWithItsColumns();
    void everyListedIndexExists();
    void referenceRowsAreLoaded();
    void keysHoldInTheNewDatabase();
    void tablesNeedThePassword();
    void secondCreationRefusesAndKeepsTheFirst();
    void badReferenceFileIsNamedAndNothingStays_data();
    void badReferenceFileIsNamedAndNothingStays();
    void existingFolderIsKeptOnFailure();
    void referenceLoadIsOneTransaction();
};

void TstDatabaseSetup::everyTableExistsWithItsColumns()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    createDatabase(home.path());
    auto db = open(home);
    for (const TableDef &def : tableCatalogue()) {
        QVERIFY2(db->tableExists(def.sqlName()), qPrintable(def.fileName));
        QStringList expected;
        for (const FieldDef &f : def.fields)
            expected.append(f.name);
        QCOMPARE(db->columns(def.fileName), expected);
    }
}

void TstDatabaseSetup::everyListedIndexExists()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    createDatabase(home.path());
    const QList<IndexListEntry> list = readIndexList(home.filePath(QString::fromLatin1(kIndexListFile)));

    int catalogued = 0;
    for (const TableDef &def : tableCatalogue())
        catalogued += int(def.indexes.size());
    QCOMPARE(int(list.size()), catalogued);

    auto db = open(home);
    int stored = 0;
    for (const TableDef &def : tableCatalogue())
        stored += int(db->indexes(def.sqlName()).size());
    QCOMPARE(stored, catalogued);

    for (const IndexListEntry &entry : list) {
        const QList<IndexDef> indexes = db->indexes(entry.table);
        const auto found = std::find_if(indexes.cbegin(), indexes.cend(),
                                        [&](const IndexDef &i) { return i.name == entry.index; });
        const QString what = entry.table + u'/' + entry.index;
        QVERIFY2(found != indexes.cend(), qPrintable(what));
        QCOMPARE(found->fields, entry.fields);
        QCOMPARE(found->caseInsensitive, !entry.index.isEmpty());
    }
}

void TstDatabaseSetup::referenceRowsAreLoaded()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    createDatabase(home.path());
    auto db = open(home);

    for (const QString &table : referenceTables()) {
        const int shipped = shippedRows(table);
        QVERIFY2(shipped > 0, qPrintable(table));
        QCOMPARE(rowCount(*db, table), shipped);
    }
    for (const QString &table : {u"Zef"_s, u"Compras"_s, u"Empresa"_s, u"Contador"_s})
        QCOMPARE(rowCount(*db, table), 0);

    QSqlQuery q(db->sql());
    QVERIFY(q.exec(u"SELECT Descricao, UF FROM Municip WHERE Codigo = '9999999'"_s));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), u"MUNICÍPIO A CLASSIFICAR"_s);
    QCOMPARE(q.value(1).toString(), u"VD"_s);
    QVERIFY(!q.next());

    // Numbers are stored as numbers, so the printed pages can format them.
    QVERIFY(q.exec(u"SELECT typeof(CodUF) FROM UF"_s));
    while (q.next())
        QCOMPARE(q.value(0).toString(), u"integer"_s);
}

void TstDatabaseSetup::keysHoldInTheNewDatabase()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    createDatabase(home.path());
    auto db = open(home);
    QSqlQuery q(db->sql());
    QVERIFY(!q.exec(u"INSERT INTO Municip (Codigo, Descricao, UF) VALUES ('9999999', 'OUTRO', 'VD')"_s));
    // One invoice number may repeat for a supplier line: that table has no primary key.
    const QString invoice = u"INSERT INTO ProdutosDiferidosNotas (AnoBase, CGCEmpresa, IEOrigem, TipoDomicilio, "
                            "NumNotaFiscal) VALUES ('2025', '123456789', '987654321', 'A', 10)"_s;
    QVERIFY(q.exec(invoice));
    QVERIFY(q.exec(invoice));
    // The same state and regime once per domicile.
    QVERIFY(q.exec(u"INSERT INTO Entrada (AnoBase, CGCEmpresa, UFEntrada, TipoRegime, TipoDomicilio, CodMunicipio) "
                   "VALUES ('2025', '123456789', 'SP', 'A', 'A', '1700001')"_s));
    QVERIFY(q.exec(u"INSERT INTO Entrada (AnoBase, CGCEmpresa, UFEntrada, TipoRegime, TipoDomicilio, CodMunicipio) "
                   "VALUES ('2025', '123456789', 'SP', 'A', 'B', '1700002')"_s));
    QVERIFY(!q.exec(u"INSERT INTO Entrada (AnoBase, CGCEmpresa, UFEntrada, TipoRegime, TipoDomicilio, CodMunicipio) "
                    "VALUES ('2025', '123456789', 'SP', 'A', 'B', '1700002')"_s));
}

void TstDatabaseSetup::tablesNeedThePassword()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    createDatabase(home.path());
    QVERIFY_THROWS_EXCEPTION(EngineError, open(home, false));
    QVERIFY(open(home)->connected());
}

void TstDatabaseSetup::secondCreationRefusesAndKeepsTheFirst()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    createDatabase(home.path());
    {
        auto db = open(home);
        QSqlQuery q(db->sql());
        QVERIFY(q.exec(u"INSERT INTO Contador (CPFContador, NomeContador) VALUES ('12345678909', 'FULANO')"_s));
    }
    const QString list = home.filePath(QString::fromLatin1(kIndexListFile));
    const QByteArray dbBefore = digestOf(dbFile(home));
    const QByteArray listBefore = digestOf(list);
    QVERIFY(!dbBefore.isEmpty());

    try {
        createDatabase(home.path());
        QFAIL("a second database was created over the first");
    } catch (const SetupError &e) {
        QVERIFY2(e.message().startsWith(u"Já existe um banco de dados em "_s), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(dbFile(home))), qPrintable(e.message()));
    }
    QCOMPARE(digestOf(dbFile(home)), dbBefore);
    QCOMPARE(digestOf(list), listBefore);
    auto db = open(home);
    QCOMPARE(rowCount(*db, u"Contador"_s), 1);
}

void TstDatabaseSetup::badReferenceFileIsNamedAndNothingStays_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Spoiler>("change");
    QTest::addColumn<QString>("where");   // after the folder: file and line

    QTest::newRow("extra field") << u"Municip.tsv"_s
                                 << Spoiler([](QList<QByteArray> &l) { l[2] += "\tX"; })
                                 << u"Municip.tsv, linha 3: esperados 3 campos"_s;
    QTest::newRow("missing field") << u"cfop.tsv"_s
                                   << Spoiler([](QList<QByteArray> &l) { l[4] = l[4].left(l[4].lastIndexOf('\t')); })
                                   << u"cfop.tsv, linha 5: esperados 3 campos separados por tabulação, encontrados 2"_s;
    QTest::newRow("empty line inside") << u"CNAE11.tsv"_s
                                       << Spoiler([](QList<QByteArray> &l) { l.insert(3, QByteArray()); })
                                       << u"CNAE11.tsv, linha 4"_s;
    QTest::newRow("unknown column") << u"UF.tsv"_s << setField(1, "SiglaUF", "Sigla")
                                    << u"UF.tsv, linha 1: a coluna \"Sigla\" não existe"_s;
    QTest::newRow("not a whole number") << u"UF.tsv"_s << setField(3, "CodUF", "2a")
                                        << u"UF.tsv, linha 3: coluna CodUF: \"2a\" não é um número inteiro"_s;
    QTest::newRow("text too long") << u"Municip.tsv"_s << setField(6, "Descricao", QByteArray(51, 'A'))
                                   << u"Municip.tsv, linha 6: coluna Descricao"_s;
    QTest::newRow("repeated key") << u"TB_UF.tsv"_s
                                  << Spoiler([](QList<QByteArray> &l) { l[3] = l[2]; })
                                  << u"TB_UF.tsv, linha 4: chave repetida"_s;
    QTest::newRow("not UTF-8") << u"atividades20.tsv"_s
                               << Spoiler([](QList<QByteArray> &l) { l[9] += "\xC3("; })
                               << u"atividades20.tsv, linha 10: o texto não está em UTF-8"_s;
    QTest::newRow("no column names") << u"AnoBaseCampo7.tsv"_s
                                     << Spoiler([](QList<QByteArray> &l) { l.clear(); })
                                     << u"AnoBaseCampo7.tsv, linha 1"_s;
}

void TstDatabaseSetup::badReferenceFileIsNamedAndNothingStays()
{
    QFETCH(QString, file);
    QFETCH(Spoiler, change);
    QFETCH(QString, where);

    QTemporaryDir home;
    QTemporaryDir reference;
    QVERIFY(home.isValid() && reference.isValid());
    QVERIFY(copyReferenceFiles(reference.path()));
    QVERIFY(spoil(reference.filePath(file), change));

    try {
        createDatabase(home.path(), reference.path());
        QFAIL("a spoiled reference file was accepted");
    } catch (const SetupError &e) {
        const QString expected = QDir(reference.path()).filePath(where);
        QVERIFY2(e.message().startsWith(expected), qPrintable(e.message()));
    }
    QVERIFY(!QFileInfo::exists(dbFolder(home)));
    QVERIFY(!QFileInfo::exists(home.filePath(QString::fromLatin1(kIndexListFile))));
}

void TstDatabaseSetup::existingFolderIsKeptOnFailure()
{
    QTemporaryDir home;
    QTemporaryDir reference;
    QVERIFY(home.isValid() && reference.isValid());
    QVERIFY(QDir(home.path()).mkdir(QString::fromLatin1(kDatabaseDir)));
    const QString other = QDir(dbFolder(home)).filePath(u"Leiame.txt"_s);
    {
        QFile note(other);
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.write("anotações\n");
    }
    QVERIFY(copyReferenceFiles(reference.path()));
    QVERIFY(QFile::remove(reference.filePath(u"TB_UF.tsv"_s)));

    try {
        createDatabase(home.path(), reference.path());
        QFAIL("a missing reference file was accepted");
    } catch (const SetupError &e) {
        QVERIFY2(e.message().startsWith(QDir(reference.path()).filePath(u"TB_UF.tsv: "_s)), qPrintable(e.message()));
        QVERIFY2(e.message().contains(u"não encontrado"_s), qPrintable(e.message()));
    }
    QCOMPARE(QDir(dbFolder(home)).entryList(QDir::Files | QDir::Hidden), QStringList{u"Leiame.txt"_s});
    QVERIFY(!QFileInfo::exists(home.filePath(QString::fromLatin1(kIndexListFile))));
}

void TstDatabaseSetup::referenceLoadIsOneTransaction()
{
    QTemporaryDir home;
    QTemporaryDir reference;
    QVERIFY(home.isValid() && reference.isValid());
    createDatabase(home.path());
    QVERIFY(copyReferenceFiles(reference.path()));
    // The last table loaded fails, after the others went in.
    const QString last = referenceTables().constLast() + u".tsv"_s;
    QVERIFY(spoil(reference.filePath(last), [](QList<QByteArray> &l) { l[1] += "\t\t"; }));

    auto db = open(home);
    QSqlQuery q(db->sql());
    for (const QString &table : referenceTables())
        QVERIFY(q.exec(u"DELETE FROM \"%1\""_s.arg(db->storedTableName(table))));

    QVERIFY_THROWS_EXCEPTION(SetupError, loadReferenceData(*db, reference.path()));
    QVERIFY(!db->inTransaction());
    for (const QString &table : referenceTables())
        QCOMPARE(rowCount(*db, table), 0);

    loadReferenceData(*db);
    for (const QString &table : referenceTables())
        QCOMPARE(rowCount(*db, table), shippedRows(table));
}

QTEST_GUILESS_MAIN(TstDatabaseSetup)
#include "tst_database_setup.moc"
