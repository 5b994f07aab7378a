#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/index_list.h"
#include "engine/database.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace zef;

class TestCli : public QObject
{
    Q_OBJECT

private:
    struct Result {
        int status;
        QString out;
        QString err;
    };

    Result zef(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(ZEF_CLI), args);
        if (!p.waitForFinished(60000))
            return {-1, QString(), QStringLiteral("timeout")};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void initCreatesTheDatabaseAndRefusesToOverwriteIt()
    {
        QTemporaryDir home;
        const QString dir = home.filePath(QStringLiteral("x"));
        const Result first = zef({QStringLiteral("--home"), dir, QStringLiteral("init")});
        QVERIFY2(first.status == 0, qPrintable(first.err));

        Database db;
        db.addPassword(QString::fromLatin1(kTablePassword));
        db.setParam(QStringLiteral("PATH"), dir + QStringLiteral("/Db"));
        db.setCatalogue(tableCatalogue());
        db.connect();
        for (const TableDef &t : tableCatalogue()) {
            QStringList expected;
            for (const FieldDef &f : t.fields)
                expected << f.name;
            QCOMPARE(db.columns(t.fileName), expected);
        }
        const QList<IndexListEntry> entries = readIndexList(dir + QStringLiteral("/Zef.ini"));
        int listed = 0;
        for (const TableDef &t : tableCatalogue())
            listed += int(t.indexes.size());
        QCOMPARE(int(entries.size()), listed);
        for (const IndexListEntry &e : entries) {
            bool found = false;
            for (const IndexDef &i : db.indexes(e.table))
                found = found || (i.name.compare(e.index, Qt::CaseInsensitive) == 0 && i.fields == e.fields);
            QVERIFY2(found, qPrintable(e.table + QLatin1Char(' ') + e.index));
        }
        db.disconnect();

        const QByteArray before = [&] {
            QFile f(dir + QStringLiteral("/Db/zef2026.sqlite"));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        const Result second = zef({QStringLiteral("--home"), dir, QStringLiteral("init")});
        QCOMPARE(second.status, 1);
        QVERIFY(!second.err.trimmed().isEmpty());
        QFile f(dir + QStringLiteral("/Db/zef2026.sqlite"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void unknownCommandIsAUsageError()
    {
        const Result r = zef({QStringLiteral("voar")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QLatin1String("voar")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
