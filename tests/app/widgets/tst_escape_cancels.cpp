#include "app/widgets/escape_cancels.h"

#include "app/widgets/db_grid.h"
#include "widget_fixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>

using zef::Dataset;
using zef::EscapeCancels;

class TestEscapeCancels : public QObject
{
    Q_OBJECT

    struct Window {
        QDialog window;
        QLineEdit *edit;
        QPushButton *cancelar;
        Window()
        {
            auto *layout = new QVBoxLayout(&window);
            edit = new QLineEdit(&window);
            cancelar = new QPushButton(QStringLiteral("&Cancelar"), &window);
            layout->addWidget(edit);
            layout->addWidget(cancelar);
            EscapeCancels::install(&window, cancelar);
        }
    };

private slots:
    void escapeClicksTheMarkedButton()
    {
        Window w;
        QVERIFY(widget_test::showActive(w.window));
        QSignalSpy clicked(w.cancelar, &QPushButton::clicked);
        w.edit->setFocus();
        QTest::keyClick(w.edit, Qt::Key_Escape);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edit));
    }

    void unavailableButtonIsNotPressedAndTheWindowStays_data()
    {
        QTest::addColumn<bool>("disable");
        QTest::newRow("disabled") << true;
        QTest::newRow("hidden") << false;
    }

    void unavailableButtonIsNotPressedAndTheWindowStays()
    {
        QFETCH(bool, disable);
        Window w;
        if (disable)
            w.cancelar->setEnabled(false);
        else
            w.cancelar->hide();
        QVERIFY(widget_test::showActive(w.window));
        QSignalSpy clicked(w.cancelar, &QPushButton::clicked);
        QSignalSpy rejected(&w.window, &QDialog::rejected);
        w.edit->setFocus();
        QTest::keyClick(w.edit, Qt::Key_Escape);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(rejected.count(), 0);
        QVERIFY(w.window.isVisible());
    }

    void openGridCellIsDroppedAndTheRecordCancelled()
    {
        widget_test::Fixture fx;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *grid = new zef::DBGrid(&window);
        auto *cancelar = new QPushButton(QStringLiteral("Cancelar"), &window);
        layout->addWidget(grid);
        layout->addWidget(cancelar);
        grid->setDataset(fx.table.get());
        grid->addColumn(QStringLiteral("Nome"));
        QObject::connect(cancelar, &QPushButton::clicked, fx.table.get(), [&] { fx.table->cancel(); });
        EscapeCancels::install(&window, cancelar);
        QVERIFY(widget_test::showActive(window));
        grid->setFocus();
        QTest::keyClicks(grid, QStringLiteral("Zeta"));
        QVERIFY(grid->isEditing());
        QCOMPARE(fx.table->state(), Dataset::State::Edit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(!grid->isEditing());
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Alfa"));
        QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("Alfa"));
    }

    void otherWindowsAreLeftAlone()
    {
        Window w;
        QDialog other;
        auto *edit = new QLineEdit(&other);
        QSignalSpy clicked(w.cancelar, &QPushButton::clicked);
        QSignalSpy rejected(&other, &QDialog::rejected);
        QVERIFY(widget_test::showActive(other));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(rejected.count(), 1);
    }
};

QTEST_MAIN(TestEscapeCancels)
#include "tst_escape_cancels.moc"
