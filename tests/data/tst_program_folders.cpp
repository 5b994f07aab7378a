#include "data/database_setup.h"
#include "data/program_folders.h"
#include "engine/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

QString dbFile(const QString &home)
{
    return QDir(QDir(home).filePath(QString::fromLatin1(kDatabaseDir))).filePath(QString::fromLatin1(Database::kFileName));
}

} // namespace

// Where the files of a build folder, a portable copy and an installed program go. Each test has
// its own program folder and its own XDG data folder.
class TstProgramFolders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writableFolderKeepsEverythingBeside();
    void installedProgramUsesTheUserFolder();
    void readOnlyFolderUsesTheUserFolder();
    void chosenHomeWins();
    void preparingTwiceKeepsTheData();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString bin() const { return m_root->filePath(u"prefix/bin"_s); }
    QString userFolder() const { return m_root->filePath(u"xdg/zef2026"_s); }
    void install() const { QVERIFY(QDir().mkpath(m_root->filePath(u"prefix/share/zef2026"_s))); }
};

void TstProgramFolders::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QVERIFY(QDir().mkpath(bin()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root->filePath(u"xdg"_s)));
}

void TstProgramFolders::cleanup()
{
    QFile::setPermissions(bin(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_root.reset();
    qunsetenv("XDG_DATA_HOME");
}

void TstProgramFolders::writableFolderKeepsEverythingBeside()
{
    const ProgramFolders folders = programFolders(bin());
    QCOMPARE(folders.home, bin());
    QCOMPARE(folders.pages, bin());
    QVERIFY(!folders.userDataFolder);
}

// Installed: nothing is written beside the program, even by a user who could (an administrator);
// the first start prepares the user's folder like `zef init`.
void TstProgramFolders::installedProgramUsesTheUserFolder()
{
    install();
    const ProgramFolders folders = programFolders(bin());
    QCOMPARE(folders.home, userFolder());
    QCOMPARE(folders.pages, m_root->filePath(u"prefix/share/zef2026"_s));
    QVERIFY(folders.userDataFolder);

    QVERIFY(prepareHome(folders.home));
    QVERIFY(QFileInfo::exists(dbFile(userFolder())));
    QVERIFY(QFileInfo::exists(QDir(userFolder()).filePath(QString::fromLatin1(kIndexListFile))));
    QVERIFY(QDir(bin()).isEmpty());
}

void TstProgramFolders::readOnlyFolderUsesTheUserFolder()
{
    if (geteuid() == 0)
        QSKIP("the administrator may write to any folder");
    QVERIFY(QFile::setPermissions(bin(), QFile::ReadOwner | QFile::ExeOwner));
    const ProgramFolders folders = programFolders(bin());
    QCOMPARE(folders.home, userFolder());
    QCOMPARE(folders.pages, bin());
    QVERIFY(folders.userDataFolder);
}

// zef --home names the folder whatever the program's own folder is; the chosen folder is the
// user's own business, never prepared behind his back.
void TstProgramFolders::chosenHomeWins()
{
    const QString chosen = m_root->filePath(u"chosen"_s);
    for (const bool installed : {false, true}) {
        if (installed)
            install();
        const ProgramFolders folders = programFolders(bin(), chosen);
        QCOMPARE(folders.home, chosen);
        QVERIFY(!folders.userDataFolder);
    }
    // A relative choice is taken from the current folder.
    QCOMPARE(programFolders(bin(), u"rel"_s).home, QDir::current().absoluteFilePath(u"rel"_s));
}

void TstProgramFolders::preparingTwiceKeepsTheData()
{
    QVERIFY(prepareHome(userFolder()));
    QFile marca(dbFile(userFolder()));
    QVERIFY(marca.open(QIODevice::Append));
    marca.write("dados do usuário");
    marca.close();
    const qint64 size = QFileInfo(dbFile(userFolder())).size();

    QVERIFY(!prepareHome(userFolder()));
    QCOMPARE(QFileInfo(dbFile(userFolder())).size(), size);
}

QTEST_GUILESS_MAIN(TstProgramFolders)
#include "tst_program_folders.moc"
