#include "app/widgets/db_grid.h"

#include "widget_fixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

using zef::Dataset;
using zef::DBGrid;
using widget_test::Fixture;

class TestDBGrid : public QObject
{
    Q_OBJECT

    enum Column { Codigo, Nome, Valor, IE };

    struct Window {
        QWidget window;
        DBGrid *grid;
        QLineEdit *other;
        explicit Window(Dataset *ds)
        {
            auto *layout = new QVBoxLayout(&window);
            grid = new DBGrid(&window);
            other = new QLineEdit(&window);
            layout->addWidget(grid);
            layout->addWidget(other);
            grid->setDataset(ds);
            grid->addColumn(QStringLiteral("Codigo"), QStringLiteral("Código"), 40, true);
            grid->addColumn(QStringLiteral("Nome"), QStringLiteral("Nome"));
            grid->addColumn(QStringLiteral("Valor"), QStringLiteral("Valor"), 120);
            grid->addColumn(QStringLiteral("IE"), QStringLiteral("Inscrição"));
        }
        // Enter in a cell closes it once the event loop turns.
        void enter(QLineEdit *editor)
        {
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
        }
        // Types into the current cell as the user does: the key opens the cell editor.
        QLineEdit *type(const QString &text)
        {
            QTest::keyClicks(grid, text.left(1));
            auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            if (editor && text.size() > 1)
                QTest::keyClicks(editor, text.mid(1));
            return editor;
        }
    };

private slots:
    void init() { QLocale::setDefault(widget_test::brazil()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void currentRowFollowsTheDatasetBothWays()
    {
        Fixture fx;
        Window w(fx.table.get());
        QCOMPARE(w.grid->currentIndex().row(), 0);
        fx.table->last();
        QCOMPARE(w.grid->currentIndex().row(), 2);
        w.grid->setCurrentIndex(w.grid->model()->index(1, Nome));
        QCOMPARE(fx.table->recNo(), 2);
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        QTest::keyClick(w.grid, Qt::Key_Up);
        QCOMPARE(fx.table->recNo(), 1);
        QCOMPARE(w.grid->currentIndex().column(), int(Nome));
    }

    void typedCellIsWrittenAndPosted()
    {
        Fixture fx;
        Window w(fx.table.get());
        QSignalSpy edited(w.grid, &DBGrid::edited);
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setCurrentIndex(w.grid->model()->index(1, Valor));
        QCOMPARE(fx.table->recNo(), 2);
        QLineEdit *editor = w.type(QStringLiteral("77,5"));
        QVERIFY(editor);
        QVERIFY(w.grid->isEditing());
        // The first change put the record into edit; the field waits for the cell to close.
        QCOMPARE(fx.table->state(), Dataset::State::Edit);
        QCOMPARE(editor->text(), QStringLiteral("77,5"));
        w.enter(editor);
        QVERIFY(!w.grid->isEditing());
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Valor"))->asFloat(), 77.5);
        QCOMPARE(w.grid->model()->index(1, Valor).data().toString(), QStringLiteral("77,50"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0).at(0).toInt(), int(Valor));
        fx.table->post();
        QCOMPARE(fx.stored(QStringLiteral("002"), QStringLiteral("Valor")).toDouble(), 77.5);
        QCOMPARE(fx.table->recNo(), 2);
        QCOMPARE(w.grid->currentIndex(), w.grid->model()->index(1, Valor));
    }

    void cancelRestoresTheCell()
    {
        Fixture fx;
        Window w(fx.table.get());
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setFocusColumn(Nome);
        QLineEdit *editor = w.type(QStringLiteral("Outro"));
        QVERIFY(editor);
        w.enter(editor);
        QCOMPARE(w.grid->model()->index(0, Nome).data().toString(), QStringLiteral("Outro"));
        fx.table->cancel();
        QCOMPARE(w.grid->model()->index(0, Nome).data().toString(), QStringLiteral("Alfa"));
        QCOMPARE(fx.stored(QStringLiteral("001"), QStringLiteral("Nome")).toString(), QStringLiteral("Alfa"));
    }

    void maskedCellStoresTheDigits()
    {
        Fixture fx;
        Window w(fx.table.get());
        fx.table->setRecNo(2);
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setFocusColumn(IE);
        QLineEdit *editor = w.type(QStringLiteral("123456789"));
        QVERIFY(editor);
        QCOMPARE(editor->displayText(), QStringLiteral("12.345.678-9"));
        w.enter(editor);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("IE"))->asString(), QStringLiteral("123456789"));
        QCOMPARE(w.grid->model()->index(1, IE).data().toString(), QStringLiteral("12.345.678-9"));
    }

    void emptyGridGetsARowWhenTheWindowAppends()
    {
        Fixture fx(0);
        Window w(fx.table.get());
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setFocusColumn(Nome);
        QTest::keyClicks(w.grid, QStringLiteral("N"));
        QVERIFY(!w.grid->isEditing());
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
        fx.table->append();
        QCOMPARE(w.grid->currentIndex(), w.grid->model()->index(0, Nome));
        QLineEdit *editor = w.type(QStringLiteral("Novo"));
        QVERIFY(editor);
        w.enter(editor);
        QCOMPARE(fx.table->state(), Dataset::State::Insert);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Novo"));
        fx.table->cancel();
        QCOMPARE(w.grid->model()->rowCount(), 0);
    }

    void readOnlyColumnsAndGridsDoNotOpen()
    {
        Fixture fx;
        Window w(fx.table.get());
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setFocusColumn(Codigo);
        w.type(QStringLiteral("9"));
        QVERIFY(!w.grid->isEditing());
        w.grid->setColumnReadOnly(Nome, true);
        w.grid->setFocusColumn(Nome);
        w.type(QStringLiteral("x"));
        QVERIFY(!w.grid->isEditing());
        w.grid->setColumnReadOnly(Nome, false);
        w.grid->setReadOnly(true);
        w.type(QStringLiteral("x"));
        QVERIFY(!w.grid->isEditing());
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
    }

    void openedAndLeftUnchangedIsNoEdit()
    {
        Fixture fx;
        Window w(fx.table.get());
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setFocusColumn(Nome);
        QTest::keyClick(w.grid, Qt::Key_F2);
        QVERIFY(w.grid->isEditing());
        w.other->setFocus();
        QVERIFY(!w.grid->isEditing());
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
    }

    void openCellIsCommittedOrDiscardedOnRequest()
    {
        Fixture fx;
        Window w(fx.table.get());
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setFocusColumn(Nome);
        w.type(QStringLiteral("Novo"));
        QVERIFY(w.grid->commitEditor());
        QVERIFY(!w.grid->isEditing());
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Novo"));
        w.type(QStringLiteral("Outro"));
        w.grid->discardEditor();
        QVERIFY(!w.grid->isEditing());
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Novo"));
    }

    void refusedCellKeepsTheRowAndReports()
    {
        widget_test::ErrorCatcher errors;
        Fixture fx;
        Window w(fx.table.get());
        QVERIFY(widget_test::showActive(w.window));
        w.grid->setFocus();
        w.grid->setFocusColumn(Valor);
        QLineEdit *editor = w.type(QStringLiteral("1"));
        QVERIFY(editor);
        editor->setText(QStringLiteral("um"));
        editor->setModified(true);
        QVERIFY(!w.grid->commitEditor());
        QCOMPARE(errors.messages, QStringList{QStringLiteral("'um' não é um valor numérico válido.")});
        QVERIFY(w.grid->isEditing());
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Valor"))->asFloat(), 1234567.891);
    }

    void moveRefusedByTheRecordStaysOnIt()
    {
        widget_test::ErrorCatcher errors;
        Fixture fx;
        Window w(fx.table.get());
        fx.table->edit();
        fx.table->fieldByName(QStringLiteral("Codigo"))->clear();   // required: the post fails
        w.grid->setCurrentIndex(w.grid->model()->index(2, Nome));
        QCOMPARE(errors.messages, QStringList{QStringLiteral("O campo 'Codigo' deve ser preenchido.")});
        QCOMPARE(fx.table->recNo(), 1);
        QCOMPARE(w.grid->currentIndex().row(), 0);
        QCOMPARE(fx.table->state(), Dataset::State::Edit);
    }

    void columnsKeepTheirLayoutAcrossRereads()
    {
        Fixture fx;
        Window w(fx.table.get());
        w.grid->setColumnVisible(IE, false);
        w.grid->setColumnWidth(Nome, 200);
        QVERIFY(w.grid->isColumnHidden(IE));
        fx.table->refresh();
        QVERIFY(w.grid->isColumnHidden(IE));
        QCOMPARE(w.grid->columnWidth(Nome), 200);
        QCOMPARE(w.grid->columnWidth(Valor), 120);
        w.grid->setColumnVisible(IE, true);
        QVERIFY(!w.grid->isColumnHidden(IE));
    }

    void focusColumnIsKeptWhileTheRecordMoves()
    {
        Fixture fx;
        Window w(fx.table.get());
        w.grid->setFocusColumn(Valor);
        QCOMPARE(w.grid->focusColumn(), int(Valor));
        fx.table->next();
        QCOMPARE(w.grid->currentIndex(), w.grid->model()->index(1, Valor));
        fx.table->refresh();
        QCOMPARE(w.grid->focusColumn(), int(Valor));
    }

    void columnsSetAtOnceKeepTheCurrentRecord()
    {
        Fixture fx;
        Window w(fx.table.get());
        fx.table->setRecNo(3);
        zef::GridColumn nome;
        nome.field = QStringLiteral("Nome");
        zef::GridColumn valor;
        valor.field = QStringLiteral("Valor");
        valor.visible = false;
        w.grid->setColumns({nome, valor});
        QCOMPARE(w.grid->currentIndex().row(), 2);
        QVERIFY(w.grid->isColumnHidden(1));
    }

    void indicatorCanBeHidden()
    {
        Fixture fx;
        Window w(fx.table.get());
        QVERIFY(!w.grid->verticalHeader()->isHidden());
        w.grid->setShowIndicator(false);
        QVERIFY(w.grid->verticalHeader()->isHidden());
    }
};

QTEST_MAIN(TestDBGrid)
#include "tst_db_grid.moc"
