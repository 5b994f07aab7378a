#include "app/widgets/db_navigator.h"

#include "app/widgets/db_edit.h"
#include "widget_fixture.h"

#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

using zef::Dataset;
using zef::DBNavigator;
using widget_test::Fixture;

namespace {

// Which of first, prior, next, last are enabled, as "1100".
QString enabled(const DBNavigator &nav)
{
    QString s;
    for (auto b : {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last})
        s += nav.button(b)->isEnabled() ? u'1' : u'0';
    return s;
}

} // namespace

class TestDBNavigator : public QObject
{
    Q_OBJECT

private slots:
    void buttonsCarryTheirHints()
    {
        DBNavigator nav;
        QCOMPARE(nav.button(DBNavigator::First)->toolTip(), QStringLiteral("Primeiro"));
        QCOMPARE(nav.button(DBNavigator::Prior)->toolTip(), QStringLiteral("Anterior"));
        QCOMPARE(nav.button(DBNavigator::Next)->toolTip(), QStringLiteral("Próximo"));
        QCOMPARE(nav.button(DBNavigator::Last)->toolTip(), QStringLiteral("Último"));
        QCOMPARE(enabled(nav), QStringLiteral("0000"));
    }

    void buttonsMoveAndDisableAtTheEnds_data()
    {
        QTest::addColumn<int>("startAt");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<QString>("state");
        QTest::newRow("next from the first") << 1 << int(DBNavigator::Next) << 2 << QStringLiteral("1111");
        QTest::newRow("next onto the last") << 2 << int(DBNavigator::Next) << 3 << QStringLiteral("1100");
        QTest::newRow("last") << 1 << int(DBNavigator::Last) << 3 << QStringLiteral("1100");
        QTest::newRow("prior onto the first") << 2 << int(DBNavigator::Prior) << 1 << QStringLiteral("0011");
        QTest::newRow("first") << 3 << int(DBNavigator::First) << 1 << QStringLiteral("0011");
        QTest::newRow("prior inside") << 3 << int(DBNavigator::Prior) << 2 << QStringLiteral("1111");
    }

    void buttonsMoveAndDisableAtTheEnds()
    {
        QFETCH(int, startAt);
        QFETCH(int, button);
        QFETCH(int, recNo);
        QFETCH(QString, state);
        Fixture fx;
        DBNavigator nav;
        nav.setDataset(fx.table.get());
        fx.table->setRecNo(startAt);
        QSignalSpy clicked(&nav, &DBNavigator::clicked);
        QTest::mouseClick(nav.button(DBNavigator::Button(button)), Qt::LeftButton);
        QCOMPARE(fx.table->recNo(), recNo);
        QCOMPARE(enabled(nav), state);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<DBNavigator::Button>(), DBNavigator::Button(button));
    }

    void followsMovesMadeElsewhere()
    {
        Fixture fx;
        DBNavigator nav;
        nav.setDataset(fx.table.get());
        QCOMPARE(enabled(nav), QStringLiteral("0011"));
        fx.table->last();
        QCOMPARE(enabled(nav), QStringLiteral("1100"));
        fx.table->close();
        QCOMPARE(enabled(nav), QStringLiteral("0000"));
    }

    void singleOrNoRecordLeavesNothingToDo_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("empty") << 0;
        QTest::newRow("one record") << 1;
    }

    void singleOrNoRecordLeavesNothingToDo()
    {
        QFETCH(int, rows);
        Fixture fx(rows);
        DBNavigator nav;
        nav.setDataset(fx.table.get());
        QCOMPARE(enabled(nav), QStringLiteral("0000"));
    }

    void movingWritesWhatWasKeyedAndPostsIt()
    {
        QLocale::setDefault(widget_test::brazil());
        Fixture fx;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new zef::DBEdit(fx.table.get(), QStringLiteral("Nome"), &window);
        auto *nav = new DBNavigator(&window);
        layout->addWidget(edit);
        layout->addWidget(nav);
        nav->setDataset(fx.table.get());
        QVERIFY(widget_test::showActive(window));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Alfa Nova"));
        QVERIFY(edit->hasFocus());   // the navigator's buttons take no focus
        QTest::mouseClick(nav->button(DBNavigator::Next), Qt::LeftButton);
        QCOMPARE(fx.table->recNo(), 2);
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
        QCOMPARE(fx.stored(QStringLiteral("001"), QStringLiteral("Nome")).toString(), QStringLiteral("Alfa Nova"));
        QCOMPARE(edit->text(), QStringLiteral("Beta"));
        QLocale::setDefault(QLocale::c());
    }

    void refusedPostStaysOnTheRecord()
    {
        widget_test::ErrorCatcher errors;
        Fixture fx;
        DBNavigator nav;
        nav.setDataset(fx.table.get());
        fx.table->edit();
        fx.table->fieldByName(QStringLiteral("Codigo"))->clear();
        QTest::mouseClick(nav.button(DBNavigator::Last), Qt::LeftButton);
        QCOMPARE(errors.messages, QStringList{QStringLiteral("O campo 'Codigo' deve ser preenchido.")});
        QCOMPARE(fx.table->recNo(), 1);
        QCOMPARE(fx.table->state(), Dataset::State::Edit);
    }
};

QTEST_MAIN(TestDBNavigator)
#include "tst_db_navigator.moc"
