#include "app/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

using namespace zef;
using namespace Qt::StringLiterals;

using Icon = Dialogs::Icon;
using Buttons = Dialogs::Buttons;
using Button = Dialogs::Button;

namespace {

// What the box looked like while it was up.
struct Seen {
    bool found = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QWidget *parent = nullptr;
    Qt::CursorShape cursor = Qt::BitmapCursor;
};

// Once the box is up: notes what it shows, then closes it with `press` (a standard button) or, with
// NoButton, through Escape.
void closeWhenShown(Seen &seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, qApp, [&seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            closeWhenShown(seen, press);
            return;
        }
        seen.found = true;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.parent = box->parentWidget();
        seen.cursor = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                     : Qt::BitmapCursor;
        if (press == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(press)->click();
    });
}

} // namespace

class TstQtDialogs : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void box_data();
    void box();
    void withoutActiveWindow();
    void givenTitle();
    void namedDefault_data();
    void namedDefault();
    void escape_data();
    void escape();
};

void TstQtDialogs::cleanup()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TstQtDialogs::box_data()
{
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<Button>("expected");
    QTest::addColumn<int>("qtIcon");
    QTest::addColumn<int>("qtButtons");
    QTest::addColumn<int>("qtDefault");

    using MB = QMessageBox;
    QTest::newRow("warning") << Icon::Exclamation << Buttons::Ok << int(MB::Ok) << Button::Ok
                             << int(MB::Warning) << int(MB::Ok) << int(MB::Ok);
    QTest::newRow("error") << Icon::Error << Buttons::Ok << int(MB::Ok) << Button::Ok
                           << int(MB::Critical) << int(MB::Ok) << int(MB::Ok);
    QTest::newRow("information") << Icon::Information << Buttons::Ok << int(MB::Ok) << Button::Ok
                                 << int(MB::Information) << int(MB::Ok) << int(MB::Ok);
    QTest::newRow("question yes") << Icon::Question << Buttons::YesNo << int(MB::Yes) << Button::Yes
                                  << int(MB::Question) << int(MB::Yes | MB::No) << int(MB::Yes);
    QTest::newRow("question no") << Icon::Question << Buttons::YesNo << int(MB::No) << Button::No
                                 << int(MB::Question) << int(MB::Yes | MB::No) << int(MB::Yes);
    QTest::newRow("deletion ok") << Icon::Question << Buttons::OkCancel << int(MB::Ok) << Button::Ok
                                 << int(MB::Question) << int(MB::Ok | MB::Cancel) << int(MB::Ok);
    QTest::newRow("deletion cancel") << Icon::Question << Buttons::OkCancel << int(MB::Cancel)
                                     << Button::Cancel << int(MB::Question) << int(MB::Ok | MB::Cancel)
                                     << int(MB::Ok);
}

void TstQtDialogs::box()
{
    QFETCH(Icon, icon);
    QFETCH(Buttons, buttons);
    QFETCH(int, press);
    QFETCH(Button, expected);
    QFETCH(int, qtIcon);
    QFETCH(int, qtButtons);
    QFETCH(int, qtDefault);

    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::activeWindow(), &window);

    // A long task has the hourglass up when it asks.
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));

    Seen seen;
    closeWhenShown(seen, QMessageBox::StandardButton(press));
    QtDialogs dialogs;
    QCOMPARE(dialogs.show(u"Confirma exclusão?"_s, icon, buttons), expected);

    QVERIFY(seen.found);
    QCOMPARE(seen.caption, u"ZEF2026"_s);
    QCOMPARE(seen.text, u"Confirma exclusão?"_s);
    QCOMPARE(int(seen.icon), qtIcon);
    QCOMPARE(int(seen.buttons), qtButtons);
    QCOMPARE(int(seen.defaultButton), qtDefault);
    QCOMPARE(seen.parent, &window);
    QCOMPARE(seen.cursor, Qt::ArrowCursor);

    // The caller's cursor is back, and only once on the stack.
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
    QVERIFY(!QApplication::overrideCursor());
}

void TstQtDialogs::withoutActiveWindow()
{
    QVERIFY(!QApplication::activeWindow());

    Seen seen;
    closeWhenShown(seen, QMessageBox::Ok);
    QtDialogs dialogs;
    QCOMPARE(dialogs.show(u"Aviso"_s, Icon::Exclamation, Buttons::Ok), Button::Ok);

    QVERIFY(seen.found);
    QVERIFY(seen.caption.isEmpty());
    QVERIFY(!seen.parent);
    QCOMPARE(seen.cursor, Qt::ArrowCursor);
    QVERIFY(!QApplication::overrideCursor());
}

// A box given its own title shows it, with or without an owner window.
void TstQtDialogs::givenTitle()
{
    QtDialogs dialogs;
    {
        Seen seen;
        closeWhenShown(seen, QMessageBox::Cancel);
        QCOMPARE(dialogs.show(u"Confirma exclusão?"_s, Icon::Question, Buttons::OkCancel, u"Domicílio"_s),
                 Button::Cancel);
        QCOMPARE(seen.caption, u"Domicílio"_s);
    }
    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Seen seen;
    closeWhenShown(seen, QMessageBox::Ok);
    QCOMPARE(dialogs.show(u"Confirma exclusão?"_s, Icon::Question, Buttons::OkCancel, u"ZEF"_s), Button::Ok);
    QCOMPARE(seen.caption, u"ZEF"_s);
    QCOMPARE(seen.parent, &window);
}

// A default named by the caller is the one Enter chooses.
void TstQtDialogs::namedDefault_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Button>("byDefault");
    QTest::newRow("yes/no, no") << Buttons::YesNo << Button::No;
    QTest::newRow("ok/cancel, cancel") << Buttons::OkCancel << Button::Cancel;
    QTest::newRow("yes/no, yes") << Buttons::YesNo << Button::Yes;
}

void TstQtDialogs::namedDefault()
{
    QFETCH(Buttons, buttons);
    QFETCH(Button, byDefault);
    bool found = false;
    QTimer::singleShot(0, qApp, [&found] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        found = true;
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtDialogs dialogs;
    QCOMPARE(dialogs.show(u"Confirma exclusão?"_s, Icon::Question, buttons, QString(), byDefault), byDefault);
    QVERIFY(found);
}

void TstQtDialogs::escape_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Button>("expected");
    QTest::newRow("ok") << Buttons::Ok << Button::Ok;
    QTest::newRow("yes/no") << Buttons::YesNo << Button::No;
    QTest::newRow("ok/cancel") << Buttons::OkCancel << Button::Cancel;
}

void TstQtDialogs::escape()
{
    QFETCH(Buttons, buttons);
    QFETCH(Button, expected);

    Seen seen;
    closeWhenShown(seen, QMessageBox::NoButton);
    QtDialogs dialogs;
    QCOMPARE(dialogs.show(u"Pergunta"_s, Icon::Question, buttons), expected);
    QVERIFY(seen.found);
}

QTEST_MAIN(TstQtDialogs)
#include "tst_qt_dialogs.moc"
