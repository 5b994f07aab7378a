#include "app/trata_excecao.h"
#include "data/scripted_dialogs.h"
#include "engine/engine_error.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace zef;
using namespace Qt::StringLiterals;

using Thrower = std::function<void()>;
Q_DECLARE_METATYPE(Thrower)

namespace {

QDateTime at(int day, int hour, int minute, int second, int ms = 0)
{
    return QDateTime(QDate(2026, 2, day), QTime(hour, minute, second, ms));
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TstTrataExcecao : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void linhaLog_data();
    void linhaLog();
    void twoErrorsGiveTwoLinesOldestFirst();
    void earlierLinesAreKept();
    void missingIndexStartsTheRebuildInstead_data();
    void missingIndexStartsTheRebuildInstead();
    void failedRebuildIsLoggedOnce();
    void exceptionKinds_data();
    void exceptionKinds();
    void activeWindowNameByDefault();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TrataExcecao> m_trata;
    QList<QDateTime> m_clock;   // next times the handler reads, in order
};

void TstTrataExcecao::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_trata = std::make_unique<TrataExcecao>(*m_dialogs, m_dir->path());
    m_clock = {at(20, 9, 15, 7), at(20, 9, 15, 8), at(21, 0, 0, 1)};
    m_trata->relogio = [this] { return m_clock.isEmpty() ? at(28, 23, 59, 59) : m_clock.takeFirst(); };
    m_trata->nomeJanelaAtiva = [] { return u"fCadZEF"_s; };
}

void TstTrataExcecao::cleanup()
{
    m_trata.reset();
    m_dialogs.reset();
    m_dir.reset();
}

void TstTrataExcecao::linhaLog_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("line");

    QTest::newRow("plain") << at(20, 14, 3, 5) << u"Key violation."_s << u"fCompra"_s
                           << u"\"20/02/2026 14:03:05\";\"Key violation.\";\"fCompra\""_s;
    QTest::newRow("no active window") << at(1, 8, 0, 0) << u"Tabela não encontrada: Zef"_s << QString()
                                      << u"\"01/02/2026 08:00:00\";\"Tabela não encontrada: Zef\";\"\""_s;
    QTest::newRow("midnight exactly drops the time") << at(3, 0, 0, 0) << u"Erro"_s << u"fPrincipal"_s
                                                     << u"\"03/02/2026\";\"Erro\";\"fPrincipal\""_s;
    QTest::newRow("a millisecond past midnight keeps it") << at(3, 0, 0, 0, 1) << u"Erro"_s << u"fPrincipal"_s
                                                          << u"\"03/02/2026 00:00:00\";\"Erro\";\"fPrincipal\""_s;
    QTest::newRow("quotes in the message stay as they are")
        << at(9, 10, 11, 12) << u"O campo \"UF\" é inválido"_s << u"fEntradas"_s
        << u"\"09/02/2026 10:11:12\";\"O campo \"UF\" é inválido\";\"fEntradas\""_s;
}

void TstTrataExcecao::linhaLog()
{
    QFETCH(QDateTime, when);
    QFETCH(QString, message);
    QFETCH(QString, window);
    QFETCH(QString, line);
    QCOMPARE(TrataExcecao::linhaLog(when, message, window), line);
}

void TstTrataExcecao::twoErrorsGiveTwoLinesOldestFirst()
{
    m_trata->trata(u"Primeiro erro"_s);
    m_trata->trata(u"Segundo erro"_s);

    QCOMPARE(m_trata->arquivoLog(), m_dir->filePath(u"Erros.log"_s));
    QCOMPARE(fileLines(m_trata->arquivoLog()),
             (QStringList{u"\"20/02/2026 09:15:07\";\"Primeiro erro\";\"fCadZEF\""_s,
                          u"\"20/02/2026 09:15:08\";\"Segundo erro\";\"fCadZEF\""_s}));
    const auto &boxes = m_dialogs->boxes();
    QCOMPARE(boxes.size(), size_t(2));
    QCOMPARE(boxes[0].text, u"Primeiro erro"_s);
    QCOMPARE(boxes[1].text, u"Segundo erro"_s);
    for (const ScriptedDialogs::Shown &box : boxes) {
        QCOMPARE(box.icon, Dialogs::Icon::Error);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
    }
}

void TstTrataExcecao::earlierLinesAreKept()
{
    // A log from an earlier run, its last line without a line break.
    {
        QFile log(m_trata->arquivoLog());
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("\"01/01/2026 10:00:00\";\"Antigo 1\";\"\"\n\"01/01/2026 10:00:01\";\"Antigo 2\";\"\"");
    }
    m_trata->trata(u"Novo"_s);
    QCOMPARE(fileLines(m_trata->arquivoLog()),
             (QStringList{u"\"01/01/2026 10:00:00\";\"Antigo 1\";\"\""_s, u"\"01/01/2026 10:00:01\";\"Antigo 2\";\"\""_s,
                          u"\"20/02/2026 09:15:07\";\"Novo\";\"fCadZEF\""_s}));
}

void TstTrataExcecao::missingIndexStartsTheRebuildInstead_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("opening a table") << u"Zef.DB: No index for fields AnoBase;CGCEmpresa"_s;
    QTest::newRow("index chosen by name") << u"Municip.DB: No index for fields (índice IDXDESCRICAO)"_s;
}

void TstTrataExcecao::missingIndexStartsTheRebuildInstead()
{
    QFETCH(QString, message);
    int rebuilds = 0;
    m_trata->reindexa = [&rebuilds] { ++rebuilds; };

    m_trata->trata(message);

    QCOMPARE(rebuilds, 1);
    QVERIFY(!QFile::exists(m_trata->arquivoLog()));
    QVERIFY(m_dialogs->boxes().empty());
}

void TstTrataExcecao::failedRebuildIsLoggedOnce()
{
    int rebuilds = 0;
    m_trata->reindexa = [&rebuilds] {
        ++rebuilds;
        throw EngineError(u"Tabela não encontrada: Inexistente.DB"_s);
    };

    m_trata->trata(u"Zef.DB: No index for fields AnoBase;CGCEmpresa"_s);

    QCOMPARE(rebuilds, 1);
    QCOMPARE(fileLines(m_trata->arquivoLog()),
             QStringList{u"\"20/02/2026 09:15:07\";\"Tabela não encontrada: Inexistente.DB\";\"fCadZEF\""_s});
    QCOMPARE(m_dialogs->texts(), QStringList{u"Tabela não encontrada: Inexistente.DB"_s});
}

void TstTrataExcecao::exceptionKinds_data()
{
    QTest::addColumn<Thrower>("thrower");
    QTest::addColumn<QString>("message");   // null: nothing logged, nothing shown

    QTest::newRow("engine error") << Thrower([] { throw EngineError(u"Key violation."_s); }) << u"Key violation."_s;
    QTest::newRow("standard exception") << Thrower([] { throw std::runtime_error("conversão inválida"); })
                                        << u"conversão inválida"_s;
    QTest::newRow("silent abort") << Thrower([] { throw SilentAbort(); }) << QString();
    QTest::newRow("anything else") << Thrower([] { throw 42; }) << u"Erro desconhecido."_s;
}

void TstTrataExcecao::exceptionKinds()
{
    QFETCH(Thrower, thrower);
    QFETCH(QString, message);

    try {
        thrower();
    } catch (...) {
        m_trata->trata(std::current_exception());
    }

    if (message.isNull()) {
        QVERIFY(!QFile::exists(m_trata->arquivoLog()));
        QVERIFY(m_dialogs->boxes().empty());
    } else {
        QCOMPARE(fileLines(m_trata->arquivoLog()),
                 QStringList{TrataExcecao::linhaLog(at(20, 9, 15, 7), message, u"fCadZEF"_s)});
        QCOMPARE(m_dialogs->texts(), QStringList{message});
    }
}

void TstTrataExcecao::activeWindowNameByDefault()
{
    TrataExcecao trata(*m_dialogs, m_dir->path());
    trata.relogio = [] { return at(20, 12, 0, 0); };

    QWidget window;
    window.setObjectName(u"fOpcoes"_s);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    trata.trata(u"Com janela"_s);
    window.close();
    QApplication::setActiveWindow(nullptr);
    trata.trata(u"Sem janela"_s);

    QCOMPARE(fileLines(trata.arquivoLog()),
             (QStringList{u"\"20/02/2026 12:00:00\";\"Com janela\";\"fOpcoes\""_s,
                          u"\"20/02/2026 12:00:00\";\"Sem janela\";\"\""_s}));
}

QTEST_MAIN(TstTrataExcecao)
#include "tst_trata_excecao.moc"
