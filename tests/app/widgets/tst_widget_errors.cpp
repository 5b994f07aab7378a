#include "app/widgets/widget_errors.h"

#include "engine/engine_error.h"

#include <QtTest>
#include <stdexcept>

class TestWidgetErrors : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { zef::setWidgetErrorHandler({}); }

    void errorsGoToTheHandlerAndSilentAbortsNowhere()
    {
        QStringList seen;
        zef::setWidgetErrorHandler([&seen](const std::exception &e) { seen.append(QString::fromUtf8(e.what())); });
        QVERIFY(zef::runForUser([] {}));
        QVERIFY(!zef::runForUser([] { throw zef::SilentAbort(); }));
        QVERIFY(seen.isEmpty());
        QVERIFY(!zef::runForUser([] { throw zef::EngineError(QStringLiteral("Key violation.")); }));
        QVERIFY(!zef::runForUser([] { throw std::runtime_error("disco cheio"); }));
        QCOMPARE(seen, (QStringList{QStringLiteral("Key violation."), QStringLiteral("disco cheio")}));
    }

    void withoutAHandlerTheMessageIsLogged()
    {
        QTest::ignoreMessage(QtWarningMsg, "Registro duplicado!");
        QVERIFY(!zef::runForUser([] { throw zef::EngineError(QStringLiteral("Registro duplicado!")); }));
    }
};

QTEST_GUILESS_MAIN(TestWidgetErrors)
#include "tst_widget_errors.moc"
