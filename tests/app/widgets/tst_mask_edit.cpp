#include "app/widgets/mask_edit.h"

#include "widget_fixture.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

using zef::MaskEdit;

class TestMaskEdit : public QObject
{
    Q_OBJECT

    struct Window {
        QWidget window;
        MaskEdit *edit;
        QLineEdit *other;
        explicit Window(const QString &mask)
        {
            auto *layout = new QVBoxLayout(&window);
            edit = new MaskEdit(mask, &window);
            other = new QLineEdit(&window);
            layout->addWidget(edit);
            layout->addWidget(other);
        }
    };

private slots:
    void typedDigitsAreTheValue()
    {
        Window w(QStringLiteral("99.999.999-9;0;"));
        QVERIFY(widget_test::showActive(w.window));
        w.edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.edit, QStringLiteral("290000017"));
        QCOMPARE(w.edit->displayText(), QStringLiteral("29.000.001-7"));
        QCOMPARE(w.edit->value(), QStringLiteral("290000017"));
        QVERIFY(!w.edit->isMaskEmpty());
    }

    void emptyMaskShowsItsLiterals()
    {
        Window w(QStringLiteral("99/99/9999"));
        QCOMPARE(w.edit->displayText(), QStringLiteral("  /  /    "));
        QVERIFY(w.edit->isMaskEmpty());
        QCOMPARE(w.edit->value(), QString());
    }

    void oneUserEditEmitsOnceWhenLeft()
    {
        Window w(QStringLiteral("9999;0;_"));
        QVERIFY(widget_test::showActive(w.window));
        QSignalSpy edited(w.edit, &MaskEdit::edited);
        QSignalSpy exited(w.edit, &MaskEdit::exited);
        w.edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.edit, QStringLiteral("2026"));
        QVERIFY(w.edit->isPending());
        QCOMPARE(edited.count(), 0);
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(exited.count(), 1);
        QCOMPARE(exited.at(0).at(0).value<QWidget *>(), static_cast<QWidget *>(w.other));
        // Passing through without a change is no edit.
        w.edit->setFocus(Qt::TabFocusReason);
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(exited.count(), 2);
    }

    void enterEndsTheEdit()
    {
        Window w{QString()};
        QVERIFY(widget_test::showActive(w.window));
        QSignalSpy edited(w.edit, &MaskEdit::edited);
        w.edit->setFocus();
        QTest::keyClicks(w.edit, QStringLiteral("abc"));
        QTest::keyClick(w.edit, Qt::Key_Return);
        QCOMPARE(edited.count(), 1);
        QVERIFY(!w.edit->isPending());
    }

    void valueFromCodeEmitsNothing()
    {
        Window w(QStringLiteral("99.999.999-9"));
        QVERIFY(widget_test::showActive(w.window));
        QSignalSpy edited(w.edit, &MaskEdit::edited);
        QSignalSpy typed(w.edit, &QLineEdit::textEdited);
        w.edit->setFocus();
        w.edit->setValue(QStringLiteral("123456789"));
        w.other->setFocus();
        QCOMPARE(w.edit->displayText(), QStringLiteral("12.345.678-9"));
        QCOMPARE(edited.count(), 0);
        QCOMPARE(typed.count(), 0);
    }

    void escapeRestoresTheTextTheEditStartedFrom()
    {
        Window w{QString()};
        QVERIFY(widget_test::showActive(w.window));
        w.edit->setValue(QStringLiteral("old"));
        w.edit->setFocus();
        w.edit->selectAll();
        QTest::keyClicks(w.edit, QStringLiteral("new"));
        QCOMPARE(w.edit->text(), QStringLiteral("new"));
        QTest::keyClick(w.edit, Qt::Key_Escape);
        QCOMPARE(w.edit->text(), QStringLiteral("old"));
        QVERIFY(!w.edit->isPending());
    }
};

QTEST_MAIN(TestMaskEdit)
#include "tst_mask_edit.moc"
