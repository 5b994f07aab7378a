#pragma once

#include <QString>

namespace zef {

// Where the program's files live. home holds what the program writes: Db, Zef.ini, Erros.log and
// the files the user saves; pages holds the help pages, which the program only shows.
struct ProgramFolders {
    QString home;
    QString pages;
    bool userDataFolder = false;   // home is the user's data folder, to be prepared on first start
};

// The help pages' folder of an installed program, relative to the folder of its programs.
QString installedPagesDir(const QString &programDir);

// The user's data folder of the program: $XDG_DATA_HOME/zef2026, by default ~/.local/share/zef2026.
QString userDataDir();

// The one decision of where the files live. A chosen home (zef --home) always wins. Otherwise a
// program run from a folder it may write to (a build folder, a portable copy) keeps everything
// beside itself; an installed program, or one whose folder is read-only, keeps its files in the
// user's data folder and shows the help pages from its installed share folder. An installed
// program never writes beside itself, not even when run by an administrator who could.
ProgramFolders programFolders(const QString &programDir, const QString &chosenHome = {});

// Prepares home like `zef init` when it holds no database yet; an existing database is left as it
// is. Returns true when it prepared the folder. Throws SetupError when that fails.
bool prepareHome(const QString &home);

} // namespace zef
