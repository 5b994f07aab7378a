#include "app/widgets/enter_moves_focus.h"

#include "app/widgets/db_edit.h"
#include "app/widgets/db_grid.h"
#include "widget_fixture.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QSignalSpy>
#include <QVBoxLayout>

using zef::EnterMovesFocus;

class TestEnterMovesFocus : public QObject
{
    Q_OBJECT

    // Controls in tab order: first, disabled, hidden, combo, label (no focus), last, button, memo.
    struct Window {
        QDialog window;
        QLineEdit *first, *disabled, *hidden, *last;
        QComboBox *combo;
        QPushButton *button;
        QPlainTextEdit *memo;
        EnterMovesFocus *enter;
        Window()
        {
            auto *layout = new QVBoxLayout(&window);
            first = new QLineEdit(&window);
            disabled = new QLineEdit(&window);
            disabled->setEnabled(false);
            hidden = new QLineEdit(&window);
            combo = new QComboBox(&window);
            combo->addItems({QStringLiteral("01 - COMPRAS"), QStringLiteral("02 - TRANSFERÊNCIAS")});
            auto *label = new QLabel(QStringLiteral("ANO BASE"), &window);
            last = new QLineEdit(&window);
            button = new QPushButton(QStringLiteral("&Gravar"), &window);
            button->setDefault(true);
            memo = new QPlainTextEdit(&window);
            for (QWidget *w : std::initializer_list<QWidget *>{first, disabled, hidden, combo, label, last, button, memo})
                layout->addWidget(w);
            hidden->hide();
            enter = EnterMovesFocus::install(&window);
        }
        void press() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    };

private slots:
    void enterGoesToTheNextControlThatTakesTab()
    {
        Window w;
        QVERIFY(widget_test::showActive(w.window));
        w.first->setFocus();
        w.press();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.combo));
        w.press();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.last));
        w.press();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.button));
        // The dialog's default button was not pressed on the way.
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.window.result(), 0);
    }

    // After a mouse click (which tells the style the user is not on the keyboard), the control
    // Enter moves to is drawn with its focus mark: the style sees a keyboard focus change.
    void theControlReachedByEnterIsMarked()
    {
        QDialog window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new QLineEdit(&window);
        auto *radio = new QRadioButton(QStringLiteral("SIM"), &window);
        auto *button = new QPushButton(QStringLiteral("&Gravar"), &window);
        for (QWidget *w : std::initializer_list<QWidget *>{edit, radio, button})
            layout->addWidget(w);
        EnterMovesFocus::install(&window);
        QVERIFY(widget_test::showActive(window));
        QTest::mouseClick(edit, Qt::LeftButton);
        QVERIFY(edit->hasFocus());
        for (QWidget *expected : std::initializer_list<QWidget *>{radio, button}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), expected);
            QStyleOption option;
            option.initFrom(expected);
            QVERIFY(option.state & QStyle::State_HasFocus);
            QVERIFY2(option.state & QStyle::State_KeyboardFocusChange, expected->metaObject()->className());
        }
    }

    void keypadEnterToo()
    {
        Window w;
        QVERIFY(widget_test::showActive(w.window));
        w.first->setFocus();
        QTest::keyClick(w.first, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.combo));
    }

    void enterWrapsRound()
    {
        Window w;
        w.enter->exclude(w.first);   // irrelevant to the wrap, checks exclusion is per control
        w.memo->setFocusPolicy(Qt::NoFocus);
        w.button->setFocusPolicy(Qt::NoFocus);
        QVERIFY(widget_test::showActive(w.window));
        w.last->setFocus();
        w.press();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.first));
    }

    void focusedButtonIsPressed()
    {
        Window w;
        QVERIFY(widget_test::showActive(w.window));
        QSignalSpy clicked(w.button, &QPushButton::clicked);
        w.button->setFocus();
        w.press();
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.button));
    }

    void multiLineTextAndExcludedControlsKeepEnter()
    {
        Window w;
        QVERIFY(widget_test::showActive(w.window));
        w.memo->setFocus();
        QTest::keyClicks(w.memo, QStringLiteral("a"));
        w.press();
        QTest::keyClicks(w.memo, QStringLiteral("b"));
        QCOMPARE(w.memo->toPlainText(), QStringLiteral("a\nb"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.memo));

        w.enter->exclude(w.last);
        QSignalSpy returned(w.last, &QLineEdit::returnPressed);
        w.last->setFocus();
        w.press();
        QCOMPARE(returned.count(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.last));
    }

    void otherWindowsAreLeftAlone()
    {
        Window w;
        QWidget other;
        auto *layout = new QVBoxLayout(&other);
        auto *a = new QLineEdit(&other);
        auto *b = new QLineEdit(&other);
        layout->addWidget(a);
        layout->addWidget(b);
        QVERIFY(widget_test::showActive(other));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(a));
    }

    void leavingByEnterWritesABoundEdit()
    {
        QLocale::setDefault(widget_test::brazil());
        widget_test::Fixture fx;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *valor = new zef::DBEdit(fx.table.get(), QStringLiteral("Valor"), &window);
        auto *nome = new zef::DBEdit(fx.table.get(), QStringLiteral("Nome"), &window);
        layout->addWidget(valor);
        layout->addWidget(nome);
        EnterMovesFocus::install(&window);
        QVERIFY(widget_test::showActive(window));
        valor->setFocus();
        valor->selectAll();
        QTest::keyClicks(valor, QStringLiteral("10,5"));
        QTest::keyClick(valor, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(nome));
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Valor"))->asFloat(), 10.5);
        QCOMPARE(valor->text(), QStringLiteral("10,50"));
        QLocale::setDefault(QLocale::c());
    }

    void openGridCellKeepsEnter()
    {
        widget_test::Fixture fx;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *grid = new zef::DBGrid(&window);
        auto *after = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(after);
        grid->setDataset(fx.table.get());
        grid->addColumn(QStringLiteral("Nome"));
        EnterMovesFocus::install(&window);
        QVERIFY(widget_test::showActive(window));
        grid->setFocus();
        QTest::keyClicks(grid, QStringLiteral("X"));
        QVERIFY(grid->isEditing());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!grid->isEditing());
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("X"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(grid));
        // With the cell closed, Enter leaves the grid.
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(after));
    }
};

QTEST_MAIN(TestEnterMovesFocus)
#include "tst_enter_moves_focus.moc"
