#include "app/widgets/pending_edits.h"

#include "app/widgets/db_edit.h"
#include "app/widgets/db_grid.h"
#include "widget_fixture.h"

#include <QVBoxLayout>

using widget_test::Fixture;

class TestPendingEdits : public QObject
{
    Q_OBJECT

private slots:
    void writesPendingEditsOfTheDatasetAsked()
    {
        Fixture fx;
        Fixture other;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *nome = new zef::DBEdit(fx.table.get(), QStringLiteral("Nome"), &window);
        auto *otherNome = new zef::DBEdit(other.table.get(), QStringLiteral("Nome"), &window);
        auto *grid = new zef::DBGrid(&window);
        layout->addWidget(nome);
        layout->addWidget(otherNome);
        layout->addWidget(grid);
        grid->setDataset(fx.table.get());
        grid->addColumn(QStringLiteral("Valor"));
        QVERIFY(widget_test::showActive(window));

        grid->setFocus();
        QTest::keyClicks(grid, QStringLiteral("4"));   // opens the cell, which takes the rest
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
        QVERIFY(grid->isEditing());
        QVERIFY(zef::commitPendingEdits(&window, fx.table.get()));
        QVERIFY(!grid->isEditing());
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Valor"))->asFloat(), 42.0);

        // An edit of another dataset is left alone when one dataset is asked for.
        otherNome->setFocus();
        otherNome->selectAll();
        QTest::keyClicks(otherNome, QStringLiteral("Outro"));
        QVERIFY(zef::commitPendingEdits(&window, fx.table.get()));
        QVERIFY(otherNome->isPending());
        QCOMPARE(other.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Alfa"));
        QVERIFY(zef::commitPendingEdits(&window));
        QVERIFY(!otherNome->isPending());
        QCOMPARE(other.table->fieldByName(QStringLiteral("Nome"))->asString(), QStringLiteral("Outro"));
        QVERIFY(!nome->isPending());
    }

    void refusedValueIsReported()
    {
        widget_test::ErrorCatcher errors;
        Fixture fx;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *inicio = new zef::DBEdit(fx.table.get(), QStringLiteral("Inicio"), &window);
        layout->addWidget(inicio);
        QVERIFY(widget_test::showActive(window));
        inicio->setFocus();
        inicio->selectAll();
        QTest::keyClicks(inicio, QStringLiteral("99"));
        QVERIFY(!zef::commitPendingEdits(&window));
        QCOMPARE(errors.messages.size(), 1);
        QVERIFY(inicio->isPending());
    }
};

QTEST_MAIN(TestPendingEdits)
#include "tst_pending_edits.moc"
