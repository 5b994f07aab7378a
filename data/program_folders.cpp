#include "data/program_folders.h"

#include "data/database_setup.h"
#include "engine/database.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zef {

namespace {

using namespace Qt::StringLiterals;

#ifndef ZEF_PAGES_FROM_BIN
#define ZEF_PAGES_FROM_BIN "../share/zef2026"
#endif

} // namespace

QString installedPagesDir(const QString &programDir)
{
    return QDir::cleanPath(QDir(programDir).filePath(QString::fromLatin1(ZEF_PAGES_FROM_BIN)));
}

QString userDataDir()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(u"zef2026"_s);
}

ProgramFolders programFolders(const QString &programDir, const QString &chosenHome)
{
    const QString pages = installedPagesDir(programDir);
    const bool installed = QFileInfo(pages).isDir();
    ProgramFolders folders;
    folders.pages = installed ? pages : programDir;
    if (!chosenHome.isEmpty()) {
        folders.home = QDir(chosenHome).absolutePath();
    } else if (!installed && QFileInfo(programDir).isWritable()) {
        folders.home = programDir;
    } else {
        folders.home = userDataDir();
        folders.userDataFolder = true;
    }
    return folders;
}

bool prepareHome(const QString &home)
{
    const QString dbFile =
        QDir(QDir(home).filePath(QString::fromLatin1(kDatabaseDir))).filePath(QString::fromLatin1(Database::kFileName));
    if (QFileInfo::exists(dbFile))
        return false;
    createDatabase(home);
    return true;
}

} // namespace zef
