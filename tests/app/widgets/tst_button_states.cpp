#include "app/widgets/button_states.h"

#include "app/widgets/db_navigator.h"
#include "widget_fixture.h"

#include <QPushButton>
#include <QSignalSpy>

using zef::ButtonStates;
using zef::Dataset;

class TestButtonStates : public QObject
{
    Q_OBJECT

    struct Window {
        QWidget window;
        QPushButton *novo = new QPushButton(QStringLiteral("&Novo"), &window);
        QPushButton *gravar = new QPushButton(QStringLiteral("&Gravar"), &window);
        QPushButton *cancelar = new QPushButton(QStringLiteral("&Cancelar"), &window);
        QPushButton *excluir = new QPushButton(QStringLiteral("&Excluir"), &window);
        QPushButton *continua = new QPushButton(QStringLiteral("C&ontinua"), &window);
        QPushButton *localizar = new QPushButton(QStringLiteral("&Localizar"), &window);
        zef::DBNavigator *navegador = new zef::DBNavigator(&window);
        ButtonStates states;
        Window() { states.setStandardButtons(novo, gravar, cancelar, excluir, continua, localizar, navegador); }

        // "1" for each enabled of novo, gravar, cancelar, excluir, continua, localizar, navigator.
        QString enabled() const
        {
            QString s;
            for (QWidget *w : std::initializer_list<QWidget *>{novo, gravar, cancelar, excluir, continua, localizar,
                                                               navegador})
                s += w->isEnabled() ? u'1' : u'0';
            return s;
        }
    };

    static const QString &browsing()
    {
        static const QString s = QStringLiteral("1001111");
        return s;
    }
    static const QString &editing()
    {
        static const QString s = QStringLiteral("0110000");
        return s;
    }

private slots:
    void buttonsFollowTheDatasetsState_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("insert") << QStringLiteral("insert") << editing();
        QTest::newRow("append") << QStringLiteral("append") << editing();
        QTest::newRow("edit") << QStringLiteral("edit") << editing();
        QTest::newRow("edit, then post") << QStringLiteral("edit post") << browsing();
        QTest::newRow("insert, then post") << QStringLiteral("insert post") << browsing();
        QTest::newRow("insert, then cancel") << QStringLiteral("insert cancel") << browsing();
        QTest::newRow("edit, then cancel") << QStringLiteral("edit cancel") << browsing();
        QTest::newRow("close") << QStringLiteral("close") << browsing();
    }

    void buttonsFollowTheDatasetsState()
    {
        QFETCH(QString, operation);
        QFETCH(QString, expected);
        widget_test::Fixture fx;
        Window w;
        w.states.follow(fx.table.get());
        QCOMPARE(w.enabled(), browsing());
        for (const QString &op : operation.split(u' ')) {
            if (op == u"insert" || op == u"append") {
                op == u"insert" ? fx.table->insert() : fx.table->append();
                fx.table->fieldByName(QStringLiteral("Codigo"))->setAsString(QStringLiteral("009"));
            } else if (op == u"edit") {
                fx.table->edit();
            } else if (op == u"post") {
                fx.table->post();
            } else if (op == u"cancel") {
                fx.table->cancel();
            } else if (op == u"close") {
                fx.table->close();
            }
        }
        QCOMPARE(w.enabled(), expected);
    }

    void refusedPostKeepsTheEditingButtons()
    {
        widget_test::Fixture fx;
        Window w;
        w.states.follow(fx.table.get());
        fx.table->insert();
        QVERIFY_THROWS_EXCEPTION(zef::EngineError, fx.table->post());
        QCOMPARE(w.enabled(), editing());
    }

    void applyIsTheWindowsHabilitaBotoes()
    {
        Window w;
        QSignalSpy applied(&w.states, &ButtonStates::applied);
        w.states.apply(true);
        QCOMPARE(w.enabled(), editing());
        QVERIFY(w.states.editing());
        w.states.apply(false);
        QCOMPARE(w.enabled(), browsing());
        QCOMPARE(applied.count(), 2);
        // Controls added later take the current state at once.
        auto *combo = new QPushButton(&w.window);
        w.states.apply(true);
        w.states.addBrowsingControl(combo);
        QVERIFY(!combo->isEnabled());
    }
};

QTEST_MAIN(TestButtonStates)
#include "tst_button_states.moc"
