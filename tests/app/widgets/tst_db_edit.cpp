#include "app/widgets/db_edit.h"

#include "widget_fixture.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

using zef::DBEdit;
using zef::Dataset;
using widget_test::Fixture;

class TestDBEdit : public QObject
{
    Q_OBJECT

    // A window with a bound edit and a plain edit to take the focus away.
    struct Window {
        QWidget window;
        QLineEdit *first;
        DBEdit *edit;
        QLineEdit *other;
        Window(Dataset *ds, const QString &field)
        {
            auto *layout = new QVBoxLayout(&window);
            first = new QLineEdit(&window);
            edit = new DBEdit(ds, field, &window);
            other = new QLineEdit(&window);
            layout->addWidget(first);
            layout->addWidget(edit);
            layout->addWidget(other);
        }
        // Enters the edit from the control before it, as Tab does.
        bool enter()
        {
            if (!widget_test::showActive(window))
                return false;
            first->setFocus(Qt::TabFocusReason);
            edit->setFocus(Qt::TabFocusReason);
            return edit->hasFocus();
        }
        void leave() { other->setFocus(Qt::TabFocusReason); }
    };

private slots:
    void init() { QLocale::setDefault(widget_test::brazil()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void maskShowsTheStoredDigitsWithLiterals()
    {
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("IE"));
        QCOMPARE(w.edit->displayText(), QStringLiteral("29.000.001-7"));
        fx.table->next();
        QCOMPARE(w.edit->displayText(), QStringLiteral("  .   .   - "));
        QVERIFY(w.edit->isMaskEmpty());
    }

    void typingIntoAMaskStoresTheDigits()
    {
        Fixture fx;
        fx.table->setRecNo(2);
        Window w(fx.table.get(), QStringLiteral("IE"));
        QSignalSpy edited(w.edit, &DBEdit::edited);
        QVERIFY(w.enter());
        QTest::keyClicks(w.edit, QStringLiteral("290000017"));
        // The first key put the record into edit; nothing is written before the edit is left.
        QCOMPARE(fx.table->state(), Dataset::State::Edit);
        QVERIFY(fx.table->fieldByName(QStringLiteral("IE"))->isNull());
        QCOMPARE(edited.count(), 0);
        w.leave();
        QCOMPARE(fx.table->fieldByName(QStringLiteral("IE"))->asString(), QStringLiteral("290000017"));
        QCOMPARE(w.edit->displayText(), QStringLiteral("29.000.001-7"));
        QCOMPARE(edited.count(), 1);
        fx.table->post();
        QCOMPARE(fx.stored(QStringLiteral("002"), QStringLiteral("IE")).toString(), QStringLiteral("290000017"));
    }

    void amountsShowTheDisplayFormatAtRestAndTheEditFormatWithTheFocus_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("atRest");
        QTest::addColumn<QString>("focused");
        QTest::newRow("comma decimal") << widget_test::brazil() << QStringLiteral("1.234.567,89")
                                       << QStringLiteral("1234567,89");
        QTest::newRow("point decimal") << widget_test::unitedStates() << QStringLiteral("1,234,567.89")
                                       << QStringLiteral("1234567.89");
    }

    void amountsShowTheDisplayFormatAtRestAndTheEditFormatWithTheFocus()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, atRest);
        QFETCH(QString, focused);
        QLocale::setDefault(locale);
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Valor"));
        QCOMPARE(w.edit->text(), atRest);
        QVERIFY(w.enter());
        QCOMPARE(w.edit->text(), focused);
        w.leave();
        QCOMPARE(w.edit->text(), atRest);
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
    }

    void typedAmountIsReadWithTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("atRest");
        QTest::newRow("comma decimal") << widget_test::brazil() << QStringLiteral("1500,5") << QStringLiteral("1.500,50");
        QTest::newRow("point decimal") << widget_test::unitedStates() << QStringLiteral("1500.5")
                                       << QStringLiteral("1,500.50");
    }

    void typedAmountIsReadWithTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(QString, atRest);
        QLocale::setDefault(locale);
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Valor"));
        QVERIFY(w.enter());
        w.edit->selectAll();
        QTest::keyClicks(w.edit, typed);
        w.leave();
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Valor"))->asFloat(), 1500.5);
        QCOMPARE(w.edit->text(), atRest);
    }

    void amountEditTakesOnlyNumberKeys()
    {
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Valor"));
        QVERIFY(w.enter());
        w.edit->selectAll();
        QTest::keyClicks(w.edit, QStringLiteral("12a.,5x"));
        QCOMPARE(w.edit->text(), QStringLiteral("12,5"));
        // The keypad's decimal key gives the workstation's separator.
        w.edit->selectAll();
        QTest::keyClicks(w.edit, QStringLiteral("7"));
        QTest::keyClick(w.edit, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(w.edit, QStringLiteral("25"));
        QCOMPARE(w.edit->text(), QStringLiteral("7,25"));
    }

    void emptyDateShowsTheEmptyMaskAndTakesADate()
    {
        Fixture fx;
        fx.table->setRecNo(2);
        Window w(fx.table.get(), QStringLiteral("Inicio"));
        QCOMPARE(w.edit->displayText(), QStringLiteral("  /  /    "));
        QVERIFY(w.edit->isMaskEmpty());
        QVERIFY(w.enter());
        QTest::keyClicks(w.edit, QStringLiteral("25122024"));
        w.leave();
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Inicio"))->asDate(), QDate(2024, 12, 25));
        QVERIFY(!w.edit->isMaskEmpty());
    }

    void clearingADateEmptiesTheField()
    {
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Inicio"));
        QCOMPARE(w.edit->displayText(), QStringLiteral("15/01/2024"));
        QVERIFY(w.enter());
        w.edit->selectAll();
        QTest::keyClick(w.edit, Qt::Key_Delete);
        QVERIFY(w.edit->isMaskEmpty());
        w.leave();
        QVERIFY(fx.table->fieldByName(QStringLiteral("Inicio"))->isNull());
    }

    void refusedValueStaysForCorrection()
    {
        widget_test::ErrorCatcher errors;
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Inicio"));
        QVERIFY(w.enter());
        w.edit->selectAll();
        QTest::keyClicks(w.edit, QStringLiteral("31022024"));
        w.leave();
        QCOMPARE(errors.messages, QStringList{QStringLiteral("'31/02/2024' não é uma data válida.")});
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Inicio"))->asDate(), QDate(2024, 1, 15));
        QVERIFY(w.edit->isPending());
        QCOMPARE(w.edit->displayText(), QStringLiteral("31/02/2024"));
        // The focus comes back to the edit once the move that failed is over.
        QTRY_VERIFY(w.edit->hasFocus());
    }

    void upperCaseMaskStoresUpperCase()
    {
        Fixture fx;
        fx.table->setRecNo(2);
        Window w(fx.table.get(), QStringLiteral("UF"));
        QVERIFY(w.enter());
        QTest::keyClicks(w.edit, QStringLiteral("vd"));
        w.leave();
        QCOMPARE(fx.table->fieldByName(QStringLiteral("UF"))->asString(), QStringLiteral("VD"));
    }

    void valuesFromTheDatasetEmitNothing()
    {
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Nome"));
        QSignalSpy edited(w.edit, &DBEdit::edited);
        QSignalSpy typed(w.edit, &QLineEdit::textEdited);
        QVERIFY(w.enter());
        fx.table->next();
        QCOMPARE(w.edit->text(), QStringLiteral("Beta"));
        fx.table->edit();
        fx.table->fieldByName(QStringLiteral("Nome"))->setAsString(QStringLiteral("Delta"));
        QCOMPARE(w.edit->text(), QStringLiteral("Delta"));
        w.leave();
        QCOMPARE(edited.count(), 0);
        QCOMPARE(typed.count(), 0);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Delta"));
    }

    void cancelDropsWhatWasKeyed()
    {
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Nome"));
        QVERIFY(w.enter());
        QTest::keyClicks(w.edit, QStringLiteral("Zeta"));
        QVERIFY(w.edit->isPending());
        fx.table->cancel();
        QVERIFY(!w.edit->isPending());
        QCOMPARE(w.edit->text(), QStringLiteral("Alfa"));
        w.leave();
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Alfa"));
    }

    void typingIntoAnEmptyDatasetInserts()
    {
        Fixture fx(0);
        Window w(fx.table.get(), QStringLiteral("Nome"));
        QVERIFY(w.enter());
        QTest::keyClicks(w.edit, QStringLiteral("Novo"));
        QCOMPARE(fx.table->state(), Dataset::State::Insert);
        QCOMPARE(w.edit->text(), QStringLiteral("Novo"));
        w.leave();
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Novo"));
    }

    void ruleRefusingTheEditKeepsTheRecord()
    {
        Fixture fx;
        fx.table->beforeEdit = [](Dataset &) { throw zef::SilentAbort(); };
        Window w(fx.table.get(), QStringLiteral("Nome"));
        QSignalSpy edited(w.edit, &DBEdit::edited);
        QVERIFY(w.enter());
        QTest::keyClicks(w.edit, QStringLiteral("x"));
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
        QCOMPARE(w.edit->text(), QStringLiteral("Alfa"));
        QVERIFY(!w.edit->isPending());
        w.leave();
        QCOMPARE(edited.count(), 0);
    }

    void readOnlyDatasetOrEditCannotBeKeyed()
    {
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Nome"));
        QVERIFY(!w.edit->isReadOnly());
        w.edit->setEditable(false);
        QVERIFY(w.edit->isReadOnly());
        w.edit->setEditable(true);
        fx.table->close();
        fx.table->setReadOnly(true);
        fx.table->open();
        QVERIFY(w.edit->isReadOnly());
        QVERIFY(w.enter());
        QTest::keyClicks(w.edit, QStringLiteral("x"));
        QCOMPARE(w.edit->text(), QStringLiteral("Alfa"));
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
    }

    void closedDatasetShowsNothing()
    {
        Fixture fx;
        Window w(fx.table.get(), QStringLiteral("Nome"));
        fx.table->close();
        QCOMPARE(w.edit->text(), QString());
        QVERIFY(w.edit->isReadOnly());
        fx.table->open();
        QCOMPARE(w.edit->text(), QStringLiteral("Alfa"));
    }
};

QTEST_MAIN(TestDBEdit)
#include "tst_db_edit.moc"
