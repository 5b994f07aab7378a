#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/index_list.h"
#include "data/index_rebuild.h"
#include "engine/database.h"
#include "engine/engine_error.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace zef;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::IndexListEntry)

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

    void rebuildsEveryListedIndex();
    void showsNoProgressWhenNotAsked();
    void followsTheListOrder_data();
    void followsTheListOrder();
    void readsTheListAgainBeforeEachEntry();
    void missingListDropsEverythingAndEnds();
    void tableThatCannotOpenStopsTheRebuild();
    void missingFolderWithEmptyListStillEnds();

private:
    QString iniPath() const { return m_home->filePath(QString::fromLatin1(kIndexListFile)); }
    void run(RecordingUi &ui, bool showProgress = true);
    QStringList storedIndexes(const QString &table);
    int storedIndexCount();

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

int TstIndexRebuild::storedIndexCount()
{
    int count = 0;
    for (const TableDef &t : tableCatalogue())
        count += int(storedIndexes(t.fileName).size());
    return count;
}

void TstIndexRebuild::rebuildsEveryListedIndex()
{
    // Lost indexes, and one the list does not know: afterwards exactly the list's indexes exist.
    m_db->deletePrimaryIndex(u"Zef.DB"_s);
    m_db->deleteIndex(u"Municip.DB"_s, u"IDXDESCRICAO"_s);
    m_db->deleteIndex(u"Empresa.DB"_s, u"idxRazaoSocial"_s);
    m_db->addIndex(u"Municip.DB"_s, IndexDef{u"idxSobra"_s, {u"UF"_s}, true});

    RecordingUi ui;
    run(ui);

    for (const TableDef &t : tableCatalogue())
        QCOMPARE(storedIndexes(t.fileName), describe(t.indexes));

    const int total = int(readIndexList(iniPath()).size());
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

void TstIndexRebuild::followsTheListOrder_data()
{
    QTest::addColumn<QList<IndexListEntry>>("list");
    QTest::addColumn<QStringList>("municip");
    QTest::addColumn<QStringList>("zef");
    QTest::addColumn<QList<int>>("skipped");

    QTest::newRow("primary key, then a named index of the same table")
        << QList<IndexListEntry>{entry(u"Municip.DB"_s, {}, u"Codigo"_s),
                                 entry(u"Municip.DB"_s, u"IDXDESCRICAO"_s, u"Descricao"_s)}
        << QStringList{u"IDXDESCRICAO(Descricao)*"_s, u"PK(Codigo)"_s} << QStringList() << QList<int>();
    QTest::newRow("a table met again starts over from its primary key")
        << QList<IndexListEntry>{entry(u"Municip.DB"_s, {}, u"Codigo"_s), entry(u"Zef.DB"_s, {}, u"AnoBase;CGCEmpresa"_s),
                                 entry(u"Municip.DB"_s, u"IDXDESCRICAO"_s, u"Descricao"_s)}
        << QStringList{u"IDXDESCRICAO(Descricao)*"_s} << QStringList{u"PK(AnoBase;CGCEmpresa)"_s} << QList<int>();
    QTest::newRow("an index listed twice is skipped the second time")
        << QList<IndexListEntry>{entry(u"Municip.DB"_s, {}, u"Codigo"_s),
                                 entry(u"Municip.DB"_s, u"IDXDESCRICAO"_s, u"Descricao"_s),
                                 entry(u"Municip.DB"_s, u"IDXDESCRICAO"_s, u"Descricao"_s),
                                 entry(u"Zef.DB"_s, {}, u"AnoBase;CGCEmpresa"_s)}
        << QStringList{u"IDXDESCRICAO(Descricao)*"_s, u"PK(Codigo)"_s} << QStringList{u"PK(AnoBase;CGCEmpresa)"_s}
        << QList<int>{3};
    QTest::newRow("a unique key over repeated values is skipped")
        << QList<IndexListEntry>{entry(u"Municip.DB"_s, {}, u"UF"_s), entry(u"Municip.DB"_s, u"idxUF"_s, u"UF"_s)}
        << QStringList{u"idxUF(UF)*"_s} << QStringList() << QList<int>{1};
    QTest::newRow("an entry without fields is skipped")
        << QList<IndexListEntry>{entry(u"Zef.DB"_s, u"idxVazio"_s, {}), entry(u"Zef.DB"_s, {}, u"AnoBase;CGCEmpresa"_s)}
        << QStringList() << QStringList{u"PK(AnoBase;CGCEmpresa)"_s} << QList<int>{1};
}

void TstIndexRebuild::followsTheListOrder()
{
    QFETCH(QList<IndexListEntry>, list);
    QFETCH(QStringList, municip);
    QFETCH(QStringList, zef);
    QFETCH(QList<int>, skipped);

    writeFile(iniPath(), iniText(list));
    RecordingUi ui;
    TReIndex rebuild(ui);
    rebuild.DataBaseName = m_db.get();
    rebuild.ShowProgresso = true;
    rebuild.ArquivoINI = iniPath();
    rebuild.Reindexa();

    QCOMPARE(storedIndexes(u"Municip.DB"_s), municip);
    QCOMPARE(storedIndexes(u"Zef.DB"_s), zef);
    QCOMPARE(storedIndexCount(), int(municip.size() + zef.size()));
    QCOMPARE(rebuild.entradasIgnoradas(), skipped);

    // The gauge moves only for the entries that were added.
    QStringList steps = ui.events.filter(QRegularExpression(u"^step "_s));
    QStringList expectedSteps;
    for (int i = 1; i <= list.size(); ++i)
        if (!skipped.contains(i))
            expectedSteps.append(u"step %1"_s.arg(i));
    QCOMPARE(steps, expectedSteps);
    QCOMPARE(ui.events.constLast(), u"end"_s);
}

void TstIndexRebuild::readsTheListAgainBeforeEachEntry()
{
    const QList<IndexListEntry> list{entry(u"Municip.DB"_s, {}, u"Codigo"_s),
                                     entry(u"Municip.DB"_s, u"IDXDESCRICAO"_s, u"Descricao"_s),
                                     entry(u"Zef.DB"_s, {}, u"AnoBase;CGCEmpresa"_s)};
    writeFile(iniPath(), iniText(list));

    // Someone shortens the list while the first entry is being rebuilt.
    RecordingUi ui;
    ui.onStep = [this, &list](int position) {
        if (position == 1)
            writeFile(iniPath(), iniText(list.mid(0, 1)));
    };
    run(ui);

    QCOMPARE(storedIndexes(u"Municip.DB"_s), QStringList{u"PK(Codigo)"_s});
    QCOMPARE(storedIndexes(u"Zef.DB"_s), QStringList());
    QVERIFY(ui.events.contains(u"show 3"_s));
    QCOMPARE(ui.events.filter(QRegularExpression(u"^step "_s)), QStringList{u"step 1"_s});
}

void TstIndexRebuild::missingListDropsEverythingAndEnds()
{
    QVERIFY(QFile::remove(iniPath()));
    RecordingUi ui;
    run(ui);
    QCOMPARE(storedIndexCount(), 0);
    QCOMPARE(ui.events, (QStringList{u"busy 1"_s, u"show 0"_s, u"close"_s, u"busy 0"_s,
                                     u"message "_s + textoFimReindexacao(), u"end"_s}));
}

void TstIndexRebuild::tableThatCannotOpenStopsTheRebuild()
{
    writeFile(iniPath(), iniText({entry(u"Municip.DB"_s, {}, u"Codigo"_s), entry(u"Inexistente.DB"_s, {}, u"Codigo"_s),
                                  entry(u"Zef.DB"_s, {}, u"AnoBase;CGCEmpresa"_s)}));
    RecordingUi ui;
    QVERIFY_THROWS_EXCEPTION(EngineError, run(ui));

    // What was added stays; nothing after the failing table; the program does not end, and the
    // hourglass and the gauge are gone for the error box.
    QCOMPARE(storedIndexes(u"Municip.DB"_s), QStringList{u"PK(Codigo)"_s});
    QCOMPARE(storedIndexes(u"Zef.DB"_s), QStringList());
    QCOMPARE(ui.events, (QStringList{u"busy 1"_s, u"show 3"_s, u"step 1"_s, u"close"_s, u"busy 0"_s}));
}

void TstIndexRebuild::missingFolderWithEmptyListStillEnds()
{
    m_db->disconnect();
    m_db->setParam(u"PATH"_s, QDir(m_home->path()).filePath(u"SemBanco"_s));
    QVERIFY(QFile::remove(iniPath()));
    RecordingUi ui;
    run(ui, false);
    QCOMPARE(ui.events.constLast(), u"end"_s);
}

QTEST_GUILESS_MAIN(TstIndexRebuild)
#include "tst_index_rebuild.moc"
