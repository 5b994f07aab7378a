#include "app/widgets/db_radio_group.h"

#include "widget_fixture.h"

#include <QAbstractButton>
#include <QSignalSpy>

using zef::Dataset;
using zef::DBRadioGroup;
using widget_test::Fixture;

class TestDBRadioGroup : public QObject
{
    Q_OBJECT

    static void setSimNao(DBRadioGroup &group)
    {
        group.setItems({QStringLiteral("SIM"), QStringLiteral("NÃO")}, {QStringLiteral("S"), QStringLiteral("N")});
    }

    static int checkedButton(const DBRadioGroup &group)
    {
        for (int i = 0; i < group.count(); ++i)
            if (group.button(i)->isChecked())
                return i;
        return -1;
    }

private slots:
    void showsTheButtonOfTheFieldsCode_data()
    {
        QTest::addColumn<int>("recNo");
        QTest::addColumn<int>("index");
        QTest::newRow("S") << 1 << 0;
        QTest::newRow("N") << 2 << 1;
        QTest::newRow("empty") << 3 << -1;
    }

    void showsTheButtonOfTheFieldsCode()
    {
        QFETCH(int, recNo);
        QFETCH(int, index);
        Fixture fx;
        DBRadioGroup group(QStringLiteral("2.1 - HOUVE MUDANÇA DE DOMICÍLIO"));
        setSimNao(group);
        group.setDataField(fx.table.get(), QStringLiteral("Regime"));
        fx.table->setRecNo(recNo);
        QCOMPARE(group.itemIndex(), index);
        QCOMPARE(checkedButton(group), index);
    }

    void clickWritesTheCodeAndEmitsOnce()
    {
        Fixture fx;
        DBRadioGroup group;
        setSimNao(group);
        group.setDataField(fx.table.get(), QStringLiteral("Regime"));
        QSignalSpy changed(&group, &DBRadioGroup::changed);
        QTest::mouseClick(group.button(1), Qt::LeftButton);
        QCOMPARE(fx.table->state(), Dataset::State::Edit);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Regime"))->asString(), QStringLiteral("N"));
        QCOMPARE(group.value(), QStringLiteral("N"));
        QCOMPARE(changed.count(), 1);
        // The button already chosen is no change.
        QTest::mouseClick(group.button(1), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        fx.table->cancel();
        QCOMPARE(group.itemIndex(), 0);
    }

    void integerCodesWork()
    {
        Fixture fx;
        DBRadioGroup group;
        group.setItems({QStringLiteral("BAIXA VOLUNTÁRIA"), QStringLiteral("SUSPENSÃO VOLUNTÁRIA")},
                       {QStringLiteral("2"), QStringLiteral("4")});
        group.setDataField(fx.table.get(), QStringLiteral("Finalidade"));
        fx.table->setRecNo(2);
        QCOMPARE(group.itemIndex(), 0);
        QTest::mouseClick(group.button(1), Qt::LeftButton);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Finalidade"))->asInteger(), 4);
        // Items rebuilt while bound show the field again.
        group.setItems({QStringLiteral("INFORMAÇÃO ANUAL")}, {QStringLiteral("1")});
        QCOMPARE(group.itemIndex(), -1);
        QCOMPARE(group.count(), 1);
    }

    void choiceFromCodeEmitsAndWritesNothing()
    {
        Fixture fx;
        DBRadioGroup group;
        setSimNao(group);
        group.setDataField(fx.table.get(), QStringLiteral("Regime"));
        QSignalSpy changed(&group, &DBRadioGroup::changed);
        group.setItemIndex(1);
        QCOMPARE(checkedButton(group), 1);
        group.setValue(QStringLiteral("X"));
        QCOMPARE(checkedButton(group), -1);
        fx.table->next();
        QCOMPARE(group.itemIndex(), 1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
        QCOMPARE(fx.stored(QStringLiteral("001"), QStringLiteral("Regime")).toString(), QStringLiteral("S"));
    }

    void refusedEditKeepsTheChoice()
    {
        Fixture fx;
        fx.table->beforeEdit = [](Dataset &) { throw zef::SilentAbort(); };
        DBRadioGroup group;
        setSimNao(group);
        group.setDataField(fx.table.get(), QStringLiteral("Regime"));
        QSignalSpy changed(&group, &DBRadioGroup::changed);
        QTest::mouseClick(group.button(1), Qt::LeftButton);
        QCOMPARE(checkedButton(group), 0);
        QCOMPARE(changed.count(), 0);
        group.setReadOnly(true);
        fx.table->beforeEdit = nullptr;
        QTest::mouseClick(group.button(1), Qt::LeftButton);
        QCOMPARE(checkedButton(group), 0);
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
    }

    void unboundGroupIsAPlainChoice()
    {
        DBRadioGroup group;
        group.setItems({QStringLiteral("Normal"), QStringLiteral("Simples Nacional")},
                       {QStringLiteral("3"), QStringLiteral("4")});
        QCOMPARE(group.itemIndex(), -1);
        QSignalSpy changed(&group, &DBRadioGroup::changed);
        QTest::mouseClick(group.button(1), Qt::LeftButton);
        QCOMPARE(group.value(), QStringLiteral("4"));
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_MAIN(TestDBRadioGroup)
#include "tst_db_radio_group.moc"
