#include "data/database_setup.h"

#include "data/catalogue.h"
#include "data/index_list.h"
#include "engine/database.h"
#include "engine/transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zef {

namespace {

using namespace Qt::StringLiterals;

void createTables(Database &db)
{
    Transaction transaction(db);
    for (const TableDef &table : tableCatalogue()) {
        db.createTable(table);
        for (const IndexDef &index : table.indexes)
            db.addIndex(table.sqlName(), index);
    }
    transaction.commit();
}

// The database file and the files SQLite may keep beside it.
void removeDatabaseFiles(const QString &file)
{
    for (const QString &suffix : {QString(), u"-journal"_s, u"-wal"_s, u"-shm"_s})
        QFile::remove(file + suffix);
}

} // namespace

void createDatabase(const QString &home, const QString &referenceDir)
{
    const QDir homeDir(home);
    const QString dbDir = homeDir.filePath(QString::fromLatin1(kDatabaseDir));
    const QString dbFile = QDir(dbDir).filePath(QString::fromLatin1(Database::kFileName));
    if (QFileInfo::exists(dbFile))
        throw SetupError(u"Já existe um banco de dados em %1; nada foi alterado."_s.arg(QDir::toNativeSeparators(dbFile)));

    const bool dirExisted = QFileInfo(dbDir).isDir();
    if (!dirExisted && !QDir().mkpath(dbDir))
        throw SetupError(u"Não foi possível criar a pasta %1."_s.arg(QDir::toNativeSeparators(dbDir)));

    try {
        {
            Database db(u"zefSetup"_s);
            db.setParam(u"PATH"_s, dbDir);
            db.addPassword(QString::fromLatin1(kTablePassword));
            db.setCatalogue(tableCatalogue());
            db.connect(true);
            createTables(db);
            loadReferenceData(db, referenceDir);
            db.disconnect();
        }
        // Last, so that a list naming indexes of a database that failed is never left behind.
        writeIndexList(homeDir.filePath(QString::fromLatin1(kIndexListFile)), tableCatalogue());
    } catch (...) {
        // The file did not exist when we started: whatever is there now is ours.
        removeDatabaseFiles(dbFile);
        if (!dirExisted)
            QDir().rmdir(dbDir);
        throw;
    }
}

} // namespace zef
