#include "../import/import_fixture.h"

#include "engine/statement.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <sqlite3.h>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

// The database as the stock tools and the `zef` commands meet it: Debian's sqlite3 shell checks,
// compacts, dumps and restores it, and every failure of the file reaches the user in Portuguese.
class TestDatabaseTools : public QObject
{
    Q_OBJECT

private:
    struct Result {
        int status = -1;
        QByteArray out;
        QString err;
    };

    static Result run(const QString &program, const QStringList &args, const QByteArray &input = {})
    {
        QProcess p;
        p.start(program, args);
        if (!input.isEmpty())
            p.write(input);
        p.closeWriteChannel();
        if (!p.waitForFinished(120000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                QString::fromUtf8(p.readAllStandardError())};
    }

    static Result zef(const QString &home, const QStringList &args)
    {
        return run(QStringLiteral(ZEF_PROGRAM), QStringList{u"--home"_s, home} + args);
    }

    static QString shell()
    {
        const QString found = QStandardPaths::findExecutable(u"sqlite3"_s);
        if (found.isEmpty())
            qFatal("the sqlite3 shell is missing: run scripts/install-deps.sh");
        return found;
    }

    static QString dbFile(const QString &home)
    {
        return QDir(home).filePath(u"Db/"_s + QString::fromLatin1(Database::kFileName));
    }

    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A declaration that passes every check of the export: its domicile, an activity that does not
    // oblige item 07 and one line of entries with nothing to add up.
    static QStringList clean(const QString &ie)
    {
        Line entries = lineC(ie);
        for (int field = 0; field < 4; ++field)
            entries.set(25 + 14 * field, amt(0));
        return declaracaoCom({lineB(ie), entries}, lineA(ie).set(16, kAtividade));
    }

    // A home with two imported declarations of 2025.
    static void importTwo(Fixture &fx)
    {
        const Result r = zef(fx.home(), {u"import"_s, fx.writeFile(clean(kIE1) + clean(kIE2))});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(!r.out.contains("Inscrição"), r.out.constData());
    }

    static QByteArray exported(const QString &home, const QString &out)
    {
        const Result r = zef(home, {u"export"_s, u"--ano"_s, u"2025"_s, u"--yes"_s, u"--out"_s, out});
        if (r.status != 0)
            qWarning("%s", qPrintable(r.err.right(400)));
        return r.status == 0 ? contents(out) : QByteArray();
    }

private slots:
    void stockShellChecksDumpsAndRestores()
    {
        Fixture fx;
        importTwo(fx);
        fx.db().disconnect();
        const QString file = dbFile(fx.home());

        Result r = run(shell(), {file, u"PRAGMA integrity_check;"_s});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, QByteArray("ok\n"));
        r = run(shell(), {file, u"VACUUM;"_s});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        r = run(shell(), {file, u".dump"_s});
        QCOMPARE(r.status, 0);
        const QByteArray dump = r.out;
        QVERIFY(dump.contains("CREATE INDEX"));

        // The dump restored into a new installation: the program opens it and writes the same file.
        QTemporaryDir restored;
        QVERIFY(QDir(restored.path()).mkpath(u"Db"_s));
        r = run(shell(), {dbFile(restored.path())}, dump);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(run(shell(), {dbFile(restored.path()), u"PRAGMA integrity_check;"_s}).out, QByteArray("ok\n"));

        QTemporaryDir out;
        const QByteArray original = exported(fx.home(), out.filePath(u"original.vd"_s));
        QVERIFY(original.startsWith("!HZL"));
        QCOMPARE(exported(restored.path(), out.filePath(u"restaurado.vd"_s)), original);
    }

    void reindexConvertsAnEarlierVersionsDatabase()
    {
        Fixture fx;
        importTwo(fx);
        {
            // The earlier version's schema: the case-insensitive indexes named the program's collation.
            QStringList legacy;
            Statement list(fx.db().handle(), u"SELECT name, sql FROM sqlite_master WHERE sql LIKE '%NOCASE%'"_s);
            while (list.step())
                legacy << list.column(0).toString() << list.column(1).toString();
            for (qsizetype i = 0; i < legacy.size(); i += 2) {
                Statement(fx.db().handle(), u"DROP INDEX \"%1\""_s.arg(legacy[i])).step();
                Statement(fx.db().handle(), QString(legacy[i + 1]).replace(u"NOCASE"_s, u"ZEFNOCASE"_s)).step();
            }
        }
        fx.db().disconnect();
        const QString file = dbFile(fx.home());
        QVERIFY(run(shell(), {file, u"PRAGMA integrity_check;"_s}).err.contains(u"ZEFNOCASE"_s));

        const Result r = zef(fx.home(), {u"reindex"_s});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(run(shell(), {file, u"PRAGMA integrity_check;"_s}).out, QByteArray("ok\n"));
        QCOMPARE(run(shell(), {file, u"SELECT count(*) FROM sqlite_master WHERE sql LIKE '%ZEFNOCASE%';"_s}).out,
                 QByteArray("0\n"));
    }

    void damagedDatabaseIsReportedInPortuguese_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QString restore = u"Restaure uma cópia de segurança da pasta Db e abra o programa de novo.\n"_s;
        QTest::newRow("0 bytes") << QByteArray() << u"O banco de dados %1 está vazio (0 bytes). "_s + restore;
        QTest::newRow("not a database") << QByteArray(8192, 'x')
                                        << u"O arquivo %1 não é um banco de dados do ZEF ou está danificado. "_s
                + restore;
    }

    void damagedDatabaseIsReportedInPortuguese()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Fixture fx;
        fx.db().disconnect();
        const QString file = dbFile(fx.home());
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        }
        for (const QStringList &args : {QStringList{u"export"_s, u"--ano"_s, u"2025"_s},
                                        QStringList{u"import"_s, fx.writeFile(declaracao(kIE1))}}) {
            const Result r = zef(fx.home(), args);
            QCOMPARE(r.err, message.arg(QDir::toNativeSeparators(file)));
            QCOMPARE(r.status, 1);
        }
    }

    void anotherProgramsLockIsWaitedFor()
    {
        Fixture fx;
        importTwo(fx);
        fx.db().disconnect();
        const QString file = dbFile(fx.home());

        // The stock shell holds the whole file for a while.
        QProcess holder;
        holder.start(shell(), {file});
        QVERIFY(holder.waitForStarted());
        holder.write("BEGIN EXCLUSIVE;\n");
        QVERIFY(holder.waitForBytesWritten(10000));
        QElapsedTimer held;
        held.start();
        bool locked = false;
        while (!locked && held.elapsed() < 10000) {
            sqlite3 *h = nullptr;
            sqlite3_open(file.toUtf8().constData(), &h);
            locked = sqlite3_exec(h, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_BUSY;
            sqlite3_close(h);
            if (!locked)
                QThread::msleep(20);
        }
        QVERIFY(locked);

        QTemporaryDir out;
        QProcess exporting;
        QElapsedTimer clock;
        clock.start();
        exporting.start(QStringLiteral(ZEF_PROGRAM), {u"--home"_s, fx.home(), u"export"_s, u"--ano"_s, u"2025"_s,
                                                      u"--yes"_s, u"--out"_s, out.filePath(u"ZEF2025.vd"_s)});
        QVERIFY(exporting.waitForStarted());
        QThread::msleep(1500);
        QCOMPARE(exporting.state(), QProcess::Running);
        holder.write("COMMIT;\n.quit\n");
        QVERIFY(holder.waitForBytesWritten(10000));
        holder.closeWriteChannel();
        QVERIFY(exporting.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(exporting.readAllStandardError()), QString());
        QCOMPARE(exporting.exitCode(), 0);
        QVERIFY(clock.elapsed() >= 1500);
        QVERIFY(QFile::exists(out.filePath(u"ZEF2025.vd"_s)));
        holder.waitForFinished(10000);
    }

    void exportToAFullDiskSaysSo()
    {
        // A small file system of its own, filled up, in a namespace where an ordinary user may mount.
        Fixture fx;
        importTwo(fx);
        fx.db().disconnect();
        QTemporaryDir mount;
        const QString target = mount.filePath(u"ZEF2025.vd"_s);
        const QString script =
            u"d=\"$1\"; shift; mount -t tmpfs -o size=64k none \"$d\" || exit 77; "
            u"dd if=/dev/zero of=\"$d/cheio\" bs=1k count=128 2>/dev/null; \"$@\"; rc=$?; ls -A \"$d\" >&2; exit $rc"_s;
        const Result r = run(u"unshare"_s, {u"-rm"_s, u"sh"_s, u"-c"_s, script, u"sh"_s, mount.path(),
                                            QStringLiteral(ZEF_PROGRAM), u"--home"_s, fx.home(), u"export"_s,
                                            u"--ano"_s, u"2025"_s, u"--yes"_s, u"--out"_s, target});
        if (r.status == 77 || r.status == -1)
            QSKIP("no mount namespace for an ordinary user on this machine");
        QCOMPARE(QString::fromUtf8(r.out), QString());
        QCOMPARE(r.err, u"Não foi possível gravar o arquivo %1: não há espaço livre no disco. Libere espaço em disco "
                        u"e grave de novo.\n"
                        u"cheio\n"_s.arg(QDir::toNativeSeparators(target)));   // and no file beside the filler
        QCOMPARE(r.status, 1);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseTools)
#include "tst_database_tools.moc"
