#include "app/abre_janela.h"
#include "app/main_window.h"
#include "app/programa.h"
#include "app/progress.h"
#include "app/zef_application.h"
#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/index_list.h"
#include "data/index_rebuild.h"
#include "data/scripted_dialogs.h"
#include "engine/engine_error.h"
#include "engine/query.h"
#include "engine/statement.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace zef;
using namespace Qt::StringLiterals;

using Thrower = std::function<void()>;
Q_DECLARE_METATYPE(Thrower)

namespace {

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// The indexes of every table of the list that are missing from the database.
QStringList missingListedIndexes(Database &db, const QString &iniPath)
{
    QStringList missing;
    const QList<IndexListEntry> entries = readIndexList(iniPath);
    if (entries.isEmpty())
        missing.append(u"(empty list)"_s);
    for (const IndexListEntry &e : entries) {
        bool found = false;
        for (const IndexDef &i : db.indexes(e.table))
            found = found || (i.name.compare(e.index, Qt::CaseInsensitive) == 0 && i.fields == e.fields);
        if (!found)
            missing.append(e.table + u'/' + e.index);
    }
    return missing;
}

} // namespace

class TstPrograma : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void errorInAnEventHandlerReachesTheHandler_data();
    void errorInAnEventHandlerReachesTheHandler();
    void startUpWithAMissingIndexRebuildsAndEnds();
    void startUpErrorIsShownAndTheMainWindowStillOpens();
    void openingATableWithoutItsIndexRebuilds();
    void menuRebuildReopensTheDatabase();
    void progressWindowDuringTheRebuild();
    void previousInstallationImportIsPluggable();
    void anotherProgramsLockShowsTheHourglassThenSaysSo();
    void startUpConvertsAnEarlierVersionsDatabase();

private:
    QString home() const { return m_home->path(); }
    QString iniPath() const { return QDir(home()).filePath(QString::fromLatin1(kIndexListFile)); }
    QString logPath() const { return QDir(home()).filePath(u"Erros.log"_s); }
    std::unique_ptr<Programa> novoPrograma();

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

void TstPrograma::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    m_dialogs = std::make_unique<ScriptedDialogs>();
}

void TstPrograma::cleanup()
{
    defineGanchoJanelaModal({});
    m_dialogs.reset();
    m_home.reset();
}

std::unique_ptr<Programa> TstPrograma::novoPrograma()
{
    auto programa = std::make_unique<Programa>(*m_dialogs, home());
    programa->trataExcecao().nomeJanelaAtiva = [] { return u"fPrincipal"_s; };
    return programa;
}

void TstPrograma::errorInAnEventHandlerReachesTheHandler_data()
{
    QTest::addColumn<Thrower>("thrower");
    QTest::addColumn<QString>("message");   // null: nothing logged, nothing shown

    QTest::newRow("engine error") << Thrower([] { throw EngineError(u"Key violation."_s); }) << u"Key violation."_s;
    QTest::newRow("standard exception") << Thrower([] { throw std::out_of_range("fora do intervalo"); })
                                        << u"fora do intervalo"_s;
    QTest::newRow("silent abort") << Thrower([] { throw SilentAbort(); }) << QString();
}

void TstPrograma::errorInAnEventHandlerReachesTheHandler()
{
    QFETCH(Thrower, thrower);
    QFETCH(QString, message);

    createDatabase(home());
    auto programa = novoPrograma();
    programa->criaModuloDados();
    QVERIFY(m_dialogs->boxes().empty());

    // Two clicks in a row on a button whose handler throws: the program survives both.
    QPushButton botao(u"Falha"_s);
    int clicks = 0;
    QObject::connect(&botao, &QPushButton::clicked, [&] {
        ++clicks;
        thrower();
    });
    botao.show();
    QVERIFY(QTest::qWaitForWindowExposed(&botao));
    QTest::mouseClick(&botao, Qt::LeftButton);
    QTest::mouseClick(&botao, Qt::LeftButton);

    QCOMPARE(clicks, 2);
    if (message.isNull()) {
        QVERIFY(!QFile::exists(logPath()));
        QVERIFY(m_dialogs->boxes().empty());
    } else {
        const QStringList lines = fileLines(logPath());
        QCOMPARE(lines.size(), 2);
        for (const QString &line : lines)
            QVERIFY2(line.endsWith(u";\""_s + message + u"\";\"fPrincipal\""_s), qPrintable(line));
        QCOMPARE(m_dialogs->texts(), (QStringList{message, message}));
    }
    QVERIFY(!programa->encerrado());
}

void TstPrograma::startUpWithAMissingIndexRebuildsAndEnds()
{
    createDatabase(home());
    {
        // The taxpayer register, which start-up opens, has lost its primary index.
        Database db(u"tstDanifica"_s);
        db.addPassword(QString::fromLatin1(kTablePassword));
        db.setParam(u"PATH"_s, QDir(home()).filePath(QString::fromLatin1(kDatabaseDir)));
        db.connect();
        db.deletePrimaryIndex(u"Empresa.DB"_s);
        db.deleteIndex(u"Municip.DB"_s, u"IDXDESCRICAO"_s);
    }

    {
        auto programa = novoPrograma();
        programa->criaModuloDados();
        QVERIFY(programa->encerrado());
        QCOMPARE(m_dialogs->texts(), QStringList{textoFimReindexacao()});
        QVERIFY(!QFile::exists(logPath()));
        Database &db = programa->dm()->dtbBaseDados;
        if (!db.connected())
            db.connect();
        QCOMPARE(missingListedIndexes(db, iniPath()), QStringList());
    }

    // The next start works.
    m_dialogs->clear();
    auto programa = novoPrograma();
    TfDmDados &dm = programa->criaModuloDados();
    QVERIFY(!programa->encerrado());
    QVERIFY(m_dialogs->boxes().empty());
    QVERIFY(dm.tbEmpresa.active());
    QVERIFY(!QFile::exists(logPath()));
}

void TstPrograma::startUpErrorIsShownAndTheMainWindowStillOpens()
{
    // No Db folder at all.
    auto programa = novoPrograma();
    programa->criaModuloDados();

    QVERIFY(!programa->encerrado());
    const QStringList lines = fileLines(logPath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(u"Diretório do banco de dados não encontrado"_s), qPrintable(lines.first()));
    QCOMPARE(m_dialogs->boxes().size(), size_t(1));
    QCOMPARE(m_dialogs->boxes().front().icon, Dialogs::Icon::Error);

    TfPrincipal &principal = programa->criaJanelaPrincipal();
    principal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&principal));
}

void TstPrograma::openingATableWithoutItsIndexRebuilds()
{
    createDatabase(home());
    auto programa = novoPrograma();
    TfDmDados &dm = programa->criaModuloDados();
    dm.dtbBaseDados.deleteIndex(u"Municip.DB"_s, u"IDXDESCRICAO"_s);

    // A window's handler opens the municipality look-up, ordered by that index.
    QPushButton botao(u"Municípios"_s);
    QObject::connect(&botao, &QPushButton::clicked, [&dm] { dm.TblFindMunicip.open(); });
    botao.show();
    QVERIFY(QTest::qWaitForWindowExposed(&botao));
    QTest::mouseClick(&botao, Qt::LeftButton);

    QVERIFY(programa->encerrado());
    QCOMPARE(m_dialogs->texts(), QStringList{textoFimReindexacao()});
    QVERIFY(!QFile::exists(logPath()));
    if (!dm.dtbBaseDados.connected())
        dm.dtbBaseDados.connect();
    QCOMPARE(missingListedIndexes(dm.dtbBaseDados, iniPath()), QStringList());
}

void TstPrograma::menuRebuildReopensTheDatabase()
{
    createDatabase(home());
    auto programa = novoPrograma();
    TfDmDados &dm = programa->criaModuloDados();
    TfPrincipal &principal = programa->criaJanelaPrincipal();
    int finais = 0;
    programa->aoEncerrar = [&finais] { ++finais; };

    principal.findChild<QAction *>(u"miReindexar"_s)->trigger();

    QCOMPARE(finais, 1);
    QVERIFY(programa->encerrado());
    QVERIFY(dm.dtbBaseDados.connected());
    QCOMPARE(m_dialogs->texts(), QStringList{textoFimReindexacao()});
    QCOMPARE(missingListedIndexes(dm.dtbBaseDados, iniPath()), QStringList());
}

void TstPrograma::progressWindowDuringTheRebuild()
{
    createDatabase(home());
    auto programa = novoPrograma();
    programa->criaModuloDados();
    const int total = int(readIndexList(iniPath()).size());

    // The box at the end comes after the progress window has gone.
    bool progressGone = false;
    programa->avisoReindexacao = [&progressGone](const QString &) {
        progressGone = true;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<Tfrm *>(w) && w->isVisible())
                progressGone = false;
    };
    int maximum = -1;
    QObject probe;
    QTimer::singleShot(0, &probe, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *frm = qobject_cast<Tfrm *>(w))
                maximum = frm->Progresso()->maximum();
    });
    programa->reindexa(false);
    QCOMPARE(maximum, total);
    QVERIFY(progressGone);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TstPrograma::previousInstallationImportIsPluggable()
{
    createDatabase(home());
    const QTemporaryDir anterior;
    QVERIFY(anterior.isValid());
    auto programa = novoPrograma();
    QStringList pastas;
    programa->importarInstalacaoAnterior = [&pastas](const QString &pasta) { pastas.append(pasta); };

    // No older installation on this machine: nothing is imported.
    TfDmDados &dm = programa->criaModuloDados();
    QVERIFY(pastas.isEmpty());

    // With one, and the taxpayer register still empty, start-up hands its folder to the import.
    dm.previousInstallationDir = anterior.path();
    dm.DataModuleCreate();
    QCOMPARE(pastas, QStringList{anterior.path()});
    QVERIFY(m_dialogs->boxes().empty());
}

void TstPrograma::anotherProgramsLockShowsTheHourglassThenSaysSo()
{
    createDatabase(home());
    auto programa = novoPrograma();
    TfDmDados &dm = programa->criaModuloDados();
    Database &db = dm.dtbBaseDados;
    db.disconnect();
    db.setLockWait(300);
    db.connect();

    // What the cursor is once the program has heard of each wait.
    QList<int> cursors;
    const auto ampulheta = db.onLockWait;
    QVERIFY(ampulheta);
    sqlite3 *outro = nullptr;
    QCOMPARE(sqlite3_open(db.filePath().toUtf8().constData(), &outro), SQLITE_OK);
    bool libera = false;
    db.onLockWait = [&](bool esperando) {
        ampulheta(esperando);
        cursors.append(QApplication::overrideCursor() ? int(QApplication::overrideCursor()->shape()) : -1);
        if (esperando && libera)
            sqlite3_exec(outro, "COMMIT", nullptr, nullptr, nullptr);
    };
    QPushButton botao(u"Grava"_s);
    QObject::connect(&botao, &QPushButton::clicked,
                     [&] { Query(db, u"delete from Contador where CPFContador = '1'"_s).execSql(); });
    botao.show();
    QVERIFY(QTest::qWaitForWindowExposed(&botao));

    // Never released: after the wait the user reads what happened, where, and what to do.
    QCOMPARE(sqlite3_exec(outro, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QTest::mouseClick(&botao, Qt::LeftButton);
    const QString mensagem = u"O banco de dados %1 está sendo usado por outro programa. Feche o outro programa (ou a "
                             u"outra janela do ZEF) e tente de novo."_s.arg(QDir::toNativeSeparators(db.filePath()));
    QCOMPARE(cursors, (QList<int>{int(Qt::WaitCursor), -1}));
    QCOMPARE(m_dialogs->texts(), QStringList{mensagem});
    const QStringList lines = fileLines(logPath());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().endsWith(u";\""_s + mensagem + u"\";\"fPrincipal\""_s), qPrintable(lines.first()));

    // Released while the program waits: the work goes through and nothing is shown.
    cursors.clear();
    m_dialogs->clear();
    libera = true;
    QTest::mouseClick(&botao, Qt::LeftButton);
    QCOMPARE(cursors, (QList<int>{int(Qt::WaitCursor), -1}));
    QVERIFY(m_dialogs->boxes().empty());
    sqlite3_close(outro);
}

void TstPrograma::startUpConvertsAnEarlierVersionsDatabase()
{
    createDatabase(home());
    {
        // The earlier version's case-insensitive indexes named the program's own collation.
        Database db(u"tstAntigo"_s);
        db.addPassword(QString::fromLatin1(kTablePassword));
        db.setParam(u"PATH"_s, QDir(home()).filePath(QString::fromLatin1(kDatabaseDir)));
        db.connect();
        QStringList antigos;
        Statement lista(db.handle(), u"SELECT name, sql FROM sqlite_master WHERE sql LIKE '%COLLATE NOCASE%'"_s);
        while (lista.step())
            antigos << lista.column(0).toString() << lista.column(1).toString();
        QVERIFY(antigos.size() > 10);
        for (qsizetype i = 0; i < antigos.size(); i += 2) {
            Statement(db.handle(), u"DROP INDEX \"%1\""_s.arg(antigos[i])).step();
            Statement(db.handle(), QString(antigos[i + 1]).replace(u"NOCASE"_s, u"ZEFNOCASE"_s)).step();
        }
    }
    auto programa = novoPrograma();
    TfDmDados &dm = programa->criaModuloDados();
    QVERIFY(m_dialogs->boxes().empty());
    QVERIFY(!programa->encerrado());
    {
        Statement resto(dm.dtbBaseDados.handle(),
                        u"SELECT count(*) FROM sqlite_master WHERE sql LIKE '%ZEFNOCASE%'"_s);
        QVERIFY(resto.step());
        QCOMPARE(resto.column(0).toInt(), 0);
    }
    // Another program can now write the registers.
    sqlite3 *outro = nullptr;
    QCOMPARE(sqlite3_open(dm.dtbBaseDados.filePath().toUtf8().constData(), &outro), SQLITE_OK);
    QCOMPARE(sqlite3_exec(outro, "insert into Empresa (InscricaoEmpresa, RazaoSocial) values ('1', 'x')", nullptr,
                          nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(outro);
}

int main(int argc, char *argv[])
{
    ZefApplication app(argc, argv);
    TstPrograma test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programa.moc"
