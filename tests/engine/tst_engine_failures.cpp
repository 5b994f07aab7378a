#include "engine/collation.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/query.h"
#include "engine/statement.h"
#include "engine/table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

#include <functional>
#include <memory>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

QList<TableDef> towns()
{
    TableDef t;
    t.fileName = u"Municip.DB"_s;
    FieldDef code;
    code.name = u"Codigo"_s;
    code.size = 7;
    FieldDef name;
    name.name = u"Descricao"_s;
    name.size = 50;
    t.fields = {code, name};
    IndexDef primary;
    primary.fields = {u"Codigo"_s};
    IndexDef byName;
    byName.name = u"IDXDESCRICAO"_s;
    byName.fields = {u"Descricao"_s};
    byName.caseInsensitive = true;
    t.indexes = {primary, byName};
    return {t};
}

// A connection of another program: plain SQLite, none of the program's collations.
class OtherProgram
{
public:
    explicit OtherProgram(const QString &file)
    {
        sqlite3_open_v2(file.toUtf8().constData(), &m_handle, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherProgram() { sqlite3_close(m_handle); }
    OtherProgram(const OtherProgram &) = delete;
    OtherProgram &operator=(const OtherProgram &) = delete;

    // SQLite's own result and message.
    std::pair<int, QString> exec(const QString &sql)
    {
        char *error = nullptr;
        const int rc = sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString text = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        return {rc, text};
    }

private:
    sqlite3 *m_handle = nullptr;
};

enum class Damage { Locked, Malformed, NotADatabase, Empty, Foreign, DiskFull, ReadOnly };

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestEngineFailures : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString file() const { return QDir(m_dir->path()).filePath(QString::fromLatin1(Database::kFileName)); }
    QString shownFile() const { return QDir::toNativeSeparators(file()); }

    std::unique_ptr<Database> open(int lockWaitMs = Database::kLockWaitMs,
                                   std::function<void(bool)> onLockWait = {})
    {
        auto db = std::make_unique<Database>();
        db->onLockWait = std::move(onLockWait);
        db->setParam(u"PATH"_s, m_dir->path());
        db->addPassword(u"segredo"_s);
        db->setCatalogue(towns());
        db->setLockWait(lockWaitMs);
        db->connect();
        return db;
    }

    static void exec(Database &db, const QString &sql)
    {
        Query q(db, sql);
        q.execSql();
    }

    void overwrite(qint64 offset, const QByteArray &bytes)
    {
        QFile f(file());
        QVERIFY(f.open(offset == 0 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadWrite));
        QVERIFY(f.seek(offset));
        QCOMPARE(f.write(bytes), bytes.size());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        Database db;
        db.setParam(u"PATH"_s, m_dir->path());
        db.addPassword(u"segredo"_s);
        db.setCatalogue(towns());
        db.connect(true);
        const TableDef table = towns().constFirst();
        db.createTable(table);
        for (const IndexDef &i : table.indexes)
            db.addIndex(u"Municip"_s, i);
        exec(db, u"insert into Municip (Codigo, Descricao) values ('0000001', 'Alto Alegre')"_s);
        exec(db, u"insert into Municip (Codigo, Descricao) values ('0000002', 'Água Fria')"_s);
    }

    void cleanup() { m_dir.reset(); }

    void messagesSayWhatWhereAndWhatToDo_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("expected");
        const QString restore = u"Restaure uma cópia de segurança da pasta Db e abra o programa de novo."_s;
        QTest::newRow("locked by another program")
            << Damage::Locked
            << u"O banco de dados %1 está sendo usado por outro programa. Feche o outro programa (ou a outra janela "
               u"do ZEF) e tente de novo."_s;
        QTest::newRow("malformed") << Damage::Malformed << u"O banco de dados %1 está danificado. "_s + restore;
        QTest::newRow("not a database")
            << Damage::NotADatabase << u"O arquivo %1 não é um banco de dados do ZEF ou está danificado. "_s + restore;
        QTest::newRow("0 bytes") << Damage::Empty << u"O banco de dados %1 está vazio (0 bytes). "_s + restore;
        QTest::newRow("another program's database")
            << Damage::Foreign << u"O arquivo %1 não é um banco de dados do ZEF. "_s + restore;
        QTest::newRow("disk full")
            << Damage::DiskFull
            << u"Não há espaço livre no disco para gravar no banco de dados %1. Libere espaço em disco e tente de "
               u"novo."_s;
        QTest::newRow("read-only")
            << Damage::ReadOnly
            << u"O banco de dados %1 não pode ser alterado: o arquivo ou a pasta Db está protegido contra gravação. "
               u"Permita a gravação na pasta Db e tente de novo."_s;
    }

    void messagesSayWhatWhereAndWhatToDo()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, expected);

        std::unique_ptr<OtherProgram> other;
        switch (damage) {
        case Damage::Locked:
            other = std::make_unique<OtherProgram>(file());
            QCOMPARE(other->exec(u"BEGIN EXCLUSIVE"_s).first, SQLITE_OK);
            break;
        case Damage::Malformed: {
            // Every page after the first (the schema) spoilt: the tables' own pages.
            const qint64 size = QFileInfo(file()).size();
            overwrite(4096, QByteArray(int(size - 4096), '\xA5'));
            break;
        }
        case Damage::NotADatabase:
            overwrite(0, QByteArray("Este arquivo foi salvo por cima do banco.\n").repeated(200));
            break;
        case Damage::Empty:
            overwrite(0, QByteArray());
            break;
        case Damage::Foreign:
            QVERIFY(QFile::remove(file()));
            {
                sqlite3 *h = nullptr;
                sqlite3_open(file().toUtf8().constData(), &h);
                sqlite3_exec(h, "CREATE TABLE notas (texto TEXT)", nullptr, nullptr, nullptr);
                sqlite3_close(h);
            }
            break;
        default:
            break;
        }

        QList<bool> waits;
        QString message;
        try {
            // A lock held already meets the program while it connects.
            auto db = open(150, [&waits](bool waiting) { waits.append(waiting); });
            if (damage == Damage::DiskFull) {
                Statement(db->handle(), u"PRAGMA max_page_count = 1"_s).step();
                for (int i = 0; i < 200; ++i)
                    exec(*db, u"insert into Municip (Codigo, Descricao) values ('%1', '%2')"_s.arg(i).arg(
                                  QString(400, u'x')));
            } else if (damage == Damage::ReadOnly) {
                Statement(db->handle(), u"PRAGMA query_only = 1"_s).step();
                exec(*db, u"insert into Municip (Codigo, Descricao) values ('0000003', 'Bom Jesus')"_s);
            } else {
                Table t(*db, u"Municip.DB"_s);
                t.setIndexName(u"IDXDESCRICAO"_s);
                t.open();
                exec(*db, u"insert into Municip (Codigo, Descricao) values ('0000003', 'Bom Jesus')"_s);
            }
            QFAIL("the damage went unnoticed");
        } catch (const EngineError &e) {
            message = e.message();
        }
        QCOMPARE(message, expected.arg(shownFile()));
        if (damage == Damage::Locked)
            QCOMPARE(waits, (QList<bool>{true, false}));
        else
            QCOMPARE(waits, QList<bool>());
    }

    void anotherProgramsLockIsWaitedFor()
    {
        QCOMPARE(Database().lockWait(), 30000);

        // Given up after the limit, not at once.
        auto db = open(400);
        OtherProgram other(file());
        QCOMPARE(other.exec(u"BEGIN EXCLUSIVE"_s).first, SQLITE_OK);
        QElapsedTimer clock;
        clock.start();
        QVERIFY_THROWS_EXCEPTION(EngineError, exec(*db, u"delete from Municip where Codigo = '0000001'"_s));
        QVERIFY(clock.elapsed() >= 400);

        // Released during the wait: the statement goes through, and the wait is over for its owner.
        QList<bool> waits;
        db->onLockWait = [&](bool waiting) {
            waits.append(waiting);
            if (waiting)
                other.exec(u"COMMIT"_s);
        };
        exec(*db, u"delete from Municip where Codigo = '0000001'"_s);
        QCOMPARE(waits, (QList<bool>{true, false}));
        QCOMPARE(Query(*db, u"select count(*) from Municip"_s).scalar().toInt(), 1);
    }

    void storedSchemaNamesOnlyBuiltInCollations()
    {
        {
            auto db = open();
            Statement st(db->handle(), u"SELECT count(*) FROM sqlite_master WHERE sql LIKE '%ZEFNOCASE%'"_s);
            st.step();
            QCOMPARE(st.column(0).toInt(), 0);
            QVERIFY(db->indexes(u"Municip"_s).at(1).caseInsensitive);
        }
        // Another program writes a name; the program still reads the names in Portuguese order.
        OtherProgram other(file());
        QCOMPARE(other.exec(u"insert into Municip (Codigo, Descricao) values ('0000003', 'aldeia')"_s),
                 (std::pair<int, QString>{SQLITE_OK, QString()}));
        QCOMPARE(other.exec(u"PRAGMA integrity_check"_s).first, SQLITE_OK);
        auto db = open();
        Table t(*db, u"Municip.DB"_s);
        t.setIndexName(u"IDXDESCRICAO"_s);
        t.open();
        QStringList names;
        for (t.first(); !t.eof(); t.next())
            names << t.fieldByName(u"Descricao"_s)->asString();
        QCOMPARE(names, (QStringList{u"Água Fria"_s, u"aldeia"_s, u"Alto Alegre"_s}));
    }

    void earlierVersionsIndexesAreConverted()
    {
        {
            auto db = open();
            Statement(db->handle(), u"DROP INDEX \"Municip$IDXDESCRICAO\""_s).step();
            Statement(db->handle(),
                      u"CREATE INDEX \"Municip$IDXDESCRICAO\" ON \"Municip\" (\"Descricao\" COLLATE ZEFNOCASE)"_s)
                .step();
        }
        {
            // What another program met: no insert into the table.
            OtherProgram other(file());
            const auto [rc, text] = other.exec(u"insert into Municip (Codigo, Descricao) values ('0000003', 'x')"_s);
            QCOMPARE(rc, SQLITE_ERROR);
            QVERIFY2(text.contains(u"ZEFNOCASE"_s), qPrintable(text));
        }
        auto db = open();
        QCOMPARE(db->convertStoredCollations(), 1);
        QCOMPARE(db->convertStoredCollations(), 0);
        const QList<IndexDef> indexes = db->indexes(u"Municip"_s);
        QCOMPARE(indexes.size(), 2);
        QCOMPARE(indexes.at(1).name, u"IDXDESCRICAO"_s);
        QVERIFY(indexes.at(1).caseInsensitive);
        db.reset();
        OtherProgram other(file());
        QCOMPARE(other.exec(u"insert into Municip (Codigo, Descricao) values ('0000003', 'x')"_s).first, SQLITE_OK);
    }
};

QTEST_GUILESS_MAIN(TestEngineFailures)
#include "tst_engine_failures.moc"
