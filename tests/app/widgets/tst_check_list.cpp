#include "app/widgets/check_list.h"

#include "widget_fixture.h"

#include <QSignalSpy>

using zef::CheckList;

class TestCheckList : public QObject
{
    Q_OBJECT

    static QPoint checkBoxOf(CheckList &list, int row)
    {
        // The box sits at the left of the entry, inside its first few pixels.
        const QRect r = list.visualItemRect(list.item(row));
        return QPoint(r.left() + r.height() / 2, r.center().y());
    }

private slots:
    void userTickEmitsOnce()
    {
        CheckList list;
        list.setItems({QStringLiteral("12.345.678-9  Alfa"), QStringLiteral("29.000.001-7  Beta")});
        QVERIFY(widget_test::showActive(list));
        QSignalSpy changed(&list, &CheckList::checkChanged);
        list.setCurrentRow(1);
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Space);
        QVERIFY(list.isChecked(1));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 1);
        QCOMPARE(changed.at(0).at(1).toBool(), true);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, checkBoxOf(list, 0));
        QVERIFY(list.isChecked(0));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(list.checkedRows(), (QList<int>{0, 1}));
    }

    void tickingFromCodeEmitsNothing()
    {
        CheckList list;
        list.setItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        QSignalSpy changed(&list, &CheckList::checkChanged);
        list.checkAll();
        QCOMPARE(list.checkedCount(), 3);
        list.setChecked(1, false);
        QCOMPARE(list.checkedRows(), (QList<int>{0, 2}));
        list.uncheckAll();
        QCOMPARE(list.checkedCount(), 0);
        list.addCheckItem(QStringLiteral("d"), true);
        QCOMPARE(list.checkedRows(), QList<int>{3});
        QCOMPARE(list.itemText(3), QStringLiteral("d"));
        QCOMPARE(changed.count(), 0);
    }

    void fixedPitchForColumns()
    {
        CheckList list;
        list.setFixedPitch(true);
        QVERIFY(list.font().fixedPitch());
        QCOMPARE(list.font().styleHint(), QFont::TypeWriter);
    }
};

QTEST_MAIN(TestCheckList)
#include "tst_check_list.moc"
