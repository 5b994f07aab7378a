#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/index_list.h"
#include "data/index_rebuild.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/statement.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

using namespace zef;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::IndexListEntry)
Q_DECLARE_METATYPE(std::optional<QByteArray>)

namespace {

// Everything the rebuild shows, in order: "busy 1", "show 12", "step 3", "close", "busy 0",
// "message <text>", "end".
class RecordingUi final : public ReIndexUi
{
public:
    QStringList events;
    std::function<void(int)> onStep;

    void setBusy(bool busy) override { events.append(u"busy %1"_s.arg(int(busy))); }
    void showProgress(int total) override { events.append(u"show %1"_s.arg(total)); }
    void setProgress(int position) override
    {
        events.append(u"step %1"_s.arg(position));
        if (onStep)
            onStep(position);
    }
    void closeProgress() override { events.append(u"close"_s); }
    void showEndMessage(const QString &text) override { events.append(u"message "_s + text); }
    void endProgram() override { events.append(u"end"_s); }
};

// One stored index as "name(fields)" with "*" for case-insensitive; the primary key is named "PK".
QString describe(const IndexDef &index)
{
    return (index.isPrimary() ? u"PK"_s : index.name) + u'(' + index.fields.join(u';') + u')'
        + (index.caseInsensitive ? u"*"_s : QString());
}

QStringList describe(const QList<IndexDef> &indexes)
{
    QStringList out;
    for (const IndexDef &i : indexes)
        out.append(describe(i));
    out.sort();
    return out;
}

// An index list in the file's own format, entries in the given order.
QByteArray iniText(const QList<IndexListEntry> &entries)
{
    QString tables = u"[Tabelas]\n"_s;
    QString indexes = u"[Indices]\nTotal=%1\n"_s.arg(entries.size());
    QString fields = u"[Campos]\n"_s;
    for (int i = 0; i < entries.size(); ++i) {
        const QString key = u"%1"_s.arg(i + 1, 3, 10, QLatin1Char('0'));
        tables += key + u'=' + entries[i].table + u'\n';
        indexes += key + u'=' + entries[i].index + u'\n';
        fields += key + u'=' + entries[i].fields.join(u';') + u'\n';
    }
    return (tables + indexes + fields).toUtf8();
}

IndexListEntry entry(const QString &table, const QString &index, const QString &fields)
{
    return {table, index, fields.split(u';', Qt::SkipEmptyParts)};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TstIndexRebuild : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rebuildsEveryCatalogueIndex();
    void showsNoProgressWhenNotAsked();
    void whateverTheListHolds_data();
    void whateverTheListHolds();
    void missingTableKeepsEveryIndex();
    void repeatedKeyKeepsEveryIndex();
    void missingFolderStopsTheRebuild();
    void convertsAnEarlierVersionsIndexes();

private:
    QString iniPath() const { return m_home->filePath(QString::fromLatin1(kIndexListFile)); }
    void run(RecordingUi &ui, bool showProgress = true);
    QStringList storedIndexes(const QString &table);
    QStringList allStoredIndexes();
    static int catalogueIndexCount();
    void exec(const QString &sql);
    int scalar(const QString &sql);

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<Database> m_db;
};

void TstIndexRebuild::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    createDatabase(m_home->path());
    m_db = std::make_unique<Database>(u"tstReIndex"_s);
    m_db->setCatalogue(tableCatalogue());
    m_db->addPassword(QString::fromLatin1(kTablePassword));
    m_db->setParam(u"PATH"_s, QDir(m_home->path()).filePath(QString::fromLatin1(kDatabaseDir)));
    m_db->connect();
}

void TstIndexRebuild::cleanup()
{
    m_db.reset();
    m_home.reset();
}

void TstIndexRebuild::run(RecordingUi &ui, bool showProgress)
{
    TReIndex rebuild(ui);
    rebuild.DataBaseName = m_db.get();
    rebuild.ShowProgresso = showProgress;
    rebuild.ArquivoINI = iniPath();
    rebuild.Reindexa();
}

QStringList TstIndexRebuild::storedIndexes(const QString &table)
{
    if (!m_db->connected())
        m_db->connect();
    return describe(m_db->indexes(table));
}

QStringList TstIndexRebuild::allStoredIndexes()
{
    // Names and definitions as stored, so that a rewritten index shows too.
    if (!m_db->connected())
        m_db->connect();
    QStringList out;
    Statement list(m_db->handle(), u"SELECT name, sql FROM sqlite_master WHERE type = 'index' ORDER BY name"_s);
    while (list.step())
        out << list.column(0).toString() + u": "_s + list.column(1).toString();
    return out;
}

int TstIndexRebuild::catalogueIndexCount()
{
    int count = 0;
    for (const TableDef &t : tableCatalogue())
        count += int(t.indexes.size());
    return count;
}

void TstIndexRebuild::exec(const QString &sql)
{
    if (!m_db->connected())
        m_db->connect();
    Statement st(m_db->handle(), sql);
    while (st.step()) {
    }
}

int TstIndexRebuild::scalar(const QString &sql)
{
    if (!m_db->connected())
        m_db->connect();
    Statement st(m_db->handle(), sql);
    return st.step() ? st.column(0).toInt() : -1;
}

void TstIndexRebuild::rebuildsEveryCatalogueIndex()
{
    // Lost indexes, and one the catalogue does not know: afterwards exactly the catalogue's indexes exist.
    m_db->deletePrimaryIndex(u"Zef.DB"_s);
    m_db->deleteIndex(u"Municip.DB"_s, u"IDXDESCRICAO"_s);
    m_db->deleteIndex(u"Empresa.DB"_s, u"idxRazaoSocial"_s);
    m_db->addIndex(u"Municip.DB"_s, IndexDef{u"idxSobra"_s, {u"UF"_s}, true});

    RecordingUi ui;
    run(ui);

    for (const TableDef &t : tableCatalogue())
        QCOMPARE(storedIndexes(t.fileName), describe(t.indexes));

    const int total = catalogueIndexCount();
    QVERIFY(total > 20);
    QStringList expected{u"busy 1"_s, u"show %1"_s.arg(total)};
    for (int i = 1; i <= total; ++i)
        expected.append(u"step %1"_s.arg(i));
    expected += {u"close"_s, u"busy 0"_s, u"message Programa será encerrado para concluir a atualização dos índices!"_s,
                 u"end"_s};
    QCOMPARE(ui.events, expected);
}

void TstIndexRebuild::showsNoProgressWhenNotAsked()
{
    RecordingUi ui;
    run(ui, false);
    QCOMPARE(ui.events, (QStringList{u"busy 1"_s, u"busy 0"_s, u"message "_s + textoFimReindexacao(), u"end"_s}));
}

void TstIndexRebuild::whateverTheListHolds_data()
{
    QTest::addColumn<std::optional<QByteArray>>("list");
    QTest::newRow("missing") << std::optional<QByteArray>();
    QTest::newRow("empty") << std::optional<QByteArray>(QByteArray());
    QTest::newRow("garbage") << std::optional<QByteArray>(QByteArray("\x00\xff\xfe garbage [Indices\nTotal=x\n", 30));
    QTest::newRow("a total of zero") << std::optional<QByteArray>(QByteArray("[Indices]\nTotal=0\n"));
    QTest::newRow("one entry only") << std::optional<QByteArray>(iniText({entry(u"Municip.DB"_s, {}, u"Codigo"_s)}));
    QTest::newRow("an index the catalogue does not define")
        << std::optional<QByteArray>(iniText({entry(u"Municip.DB"_s, {}, u"UF"_s)}));
}

void TstIndexRebuild::whateverTheListHolds()
{
    // The list is written by the program and read by nobody else: the rebuild takes the indexes from
    // the catalogue, so a list lost or spoilt can no longer strip the database.
    QFETCH(std::optional<QByteArray>, list);
    if (list)
        writeFile(iniPath(), *list);
    else
        QVERIFY(QFile::remove(iniPath()));

    RecordingUi ui;
    run(ui);

    for (const TableDef &t : tableCatalogue())
        QCOMPARE(storedIndexes(t.fileName), describe(t.indexes));
    QCOMPARE(ui.events.filter(QRegularExpression(u"^step "_s)).size(), catalogueIndexCount());
    QCOMPARE(ui.events.constLast(), u"end"_s);

    // And the list is whole again.
    QFile written(iniPath());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()), indexListText(tableCatalogue()));
}

void TstIndexRebuild::missingTableKeepsEveryIndex()
{
    m_db->deleteIndex(u"Municip.DB"_s, u"IDXDESCRICAO"_s);
    exec(u"DROP TABLE Socio"_s);
    QVERIFY(QFile::remove(iniPath()));
    const QStringList before = allStoredIndexes();

    RecordingUi ui;
    try {
        run(ui);
        QFAIL("the rebuild went on without a table");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains(u"Socio.DB"_s) && e.message().contains(u"Nenhum índice foi alterado."_s),
                 qPrintable(e.message()));
    }
    // Nothing dropped, nothing half-made, the list not written; the program does not end, and the
    // hourglass and the gauge are gone for the error box.
    QCOMPARE(allStoredIndexes(), before);
    QVERIFY(!QFile::exists(iniPath()));
    QCOMPARE(ui.events.mid(ui.events.size() - 2), (QStringList{u"close"_s, u"busy 0"_s}));
    QVERIFY(!ui.events.contains(u"end"_s));
}

void TstIndexRebuild::repeatedKeyKeepsEveryIndex()
{
    // A key lost earlier let a repeated row in: its primary index cannot be made again.
    m_db->deletePrimaryIndex(u"Contador.DB"_s);
    exec(u"INSERT INTO Contador (CPFContador, NomeContador) VALUES ('52998224725', 'UM')"_s);
    exec(u"INSERT INTO Contador (CPFContador, NomeContador) VALUES ('52998224725', 'DOIS')"_s);
    const QStringList before = allStoredIndexes();

    RecordingUi ui;
    try {
        run(ui);
        QFAIL("the rebuild made a key over repeated rows");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains(u"Contador.DB"_s) && e.message().contains(u"repetidos"_s),
                 qPrintable(e.message()));
    }
    QCOMPARE(allStoredIndexes(), before);
}

void TstIndexRebuild::missingFolderStopsTheRebuild()
{
    m_db->disconnect();
    m_db->setParam(u"PATH"_s, QDir(m_home->path()).filePath(u"SemBanco"_s));
    QVERIFY(QFile::remove(iniPath()));
    RecordingUi ui;
    QVERIFY_THROWS_EXCEPTION(EngineError, run(ui, false));
    QVERIFY(!ui.events.contains(u"end"_s));
    QCOMPARE(ui.events.constLast(), u"busy 0"_s);
}

void TstIndexRebuild::convertsAnEarlierVersionsIndexes()
{
    // The earlier version stored the program's own collation in its case-insensitive indexes.
    QStringList legacy;
    {
        Statement list(m_db->handle(), u"SELECT name, sql FROM sqlite_master WHERE sql LIKE '%COLLATE NOCASE%'"_s);
        while (list.step())
            legacy << list.column(0).toString() << list.column(1).toString();
    }
    QVERIFY(legacy.size() > 10);
    for (qsizetype i = 0; i < legacy.size(); i += 2) {
        exec(u"DROP INDEX \"%1\""_s.arg(legacy[i]));
        exec(QString(legacy[i + 1]).replace(u"COLLATE NOCASE"_s, u"COLLATE ZEFNOCASE"_s));
    }

    RecordingUi ui;
    run(ui);
    QCOMPARE(scalar(u"SELECT count(*) FROM sqlite_master WHERE sql LIKE '%ZEFNOCASE%'"_s), 0);
    for (const TableDef &t : tableCatalogue())
        QCOMPARE(storedIndexes(t.fileName), describe(t.indexes));
}

QTEST_GUILESS_MAIN(TstIndexRebuild)
#include "tst_index_rebuild.moc"
