#include "app/widgets/dataset_model.h"

#include "widget_fixture.h"

#include <QBrush>
#include <QSignalSpy>

using zef::Dataset;
using zef::DatasetModel;
using zef::GridColumn;
using widget_test::Fixture;

namespace {

GridColumn col(const char *field, const char *title = "", bool readOnly = false)
{
    GridColumn c;
    c.field = QString::fromLatin1(field);
    c.title = QString::fromUtf8(title);
    c.readOnly = readOnly;
    return c;
}

} // namespace

class TestDatasetModel : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(widget_test::brazil()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void cellsShowTheFieldsFormats_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("edit");
        QTest::newRow("amount") << 0 << QStringLiteral("Valor") << QStringLiteral("1.234.567,89")
                                << QStringLiteral("1234567,89");
        QTest::newRow("negative amount") << 2 << QStringLiteral("Valor") << QStringLiteral("-5,25")
                                         << QStringLiteral("-5,25");
        QTest::newRow("masked text") << 0 << QStringLiteral("IE") << QStringLiteral("29.000.001-7")
                                     << QStringLiteral("290000017");
        QTest::newRow("null masked text") << 1 << QStringLiteral("IE") << QString() << QString();
        QTest::newRow("date") << 2 << QStringLiteral("Inicio") << QStringLiteral("31/12/2023")
                              << QStringLiteral("31/12/2023");
        QTest::newRow("integer") << 1 << QStringLiteral("Finalidade") << QStringLiteral("2") << QStringLiteral("2");
        QTest::newRow("plain text") << 2 << QStringLiteral("Nome") << QStringLiteral("Gama") << QStringLiteral("Gama");
    }

    void cellsShowTheFieldsFormats()
    {
        QFETCH(int, row);
        QFETCH(QString, field);
        QFETCH(QString, display);
        QFETCH(QString, edit);
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        const int column = model.columnOf(field);
        QVERIFY(column >= 0);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(row, column)).toString(), display);
        QCOMPARE(model.data(model.index(row, column), Qt::EditRole).toString(), edit);
    }

    void definedColumnsCarryTitlesAndColours()
    {
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        QCOMPARE(model.columnCount(), fx.table->fieldCount());
        GridColumn valor = col("Valor", "3.3 - Valor Contábil");
        valor.color = QColor(0xE4E4E4);
        valor.titleColor = Qt::gray;
        model.setColumns({col("Nome", "Nome"), valor});
        QCOMPARE(model.columnCount(), 2);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("3.3 - Valor Contábil"));
        QCOMPARE(model.data(model.index(0, 1), Qt::BackgroundRole).value<QBrush>().color(), QColor(0xE4E4E4));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));
        QVERIFY(!model.data(model.index(0, 0), Qt::BackgroundRole).isValid());
        QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
        // A column's title may change later (titles set when a window opens).
        model.setColumnTitle(1, QStringLiteral("3.2 - Valor Contábil"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("3.2 - Valor Contábil"));
        model.setColumnTitle(1, QString());
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Valor"));
    }

    void rowsFollowInsertPostAndCancel()
    {
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        model.setColumns({col("Codigo"), col("Nome")});
        fx.table->setRecNo(2);
        fx.table->insert();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("*"));
        fx.table->cancel();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(1, 1)).toString(), QStringLiteral("Beta"));

        fx.table->append();
        fx.table->fieldByName(QStringLiteral("Codigo"))->setAsString(QStringLiteral("004"));
        fx.table->fieldByName(QStringLiteral("Nome"))->setAsString(QStringLiteral("Delta"));
        QCOMPARE(model.data(model.index(3, 1)).toString(), QStringLiteral("Delta"));
        fx.table->post();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.data(model.index(3, 1)).toString(), QStringLiteral("Delta"));
        fx.table->close();
        QCOMPARE(model.rowCount(), 0);
    }

    void indicatorMarksTheCurrentRecordAndItsState()
    {
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("\u25B6"));
        QVERIFY(model.headerData(1, Qt::Vertical).toString().isEmpty());
        QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
        fx.table->next();
        QVERIFY(header.count() >= 2);
        QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("\u25B6"));
        fx.table->edit();
        QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("I"));
    }

    void fieldChangesRepaintTheirRow()
    {
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        model.setColumns({col("Nome"), col("Valor")});
        fx.table->setRecNo(3);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        fx.table->edit();
        changed.clear();
        fx.table->fieldByName(QStringLiteral("Valor"))->setAsFloat(10.0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(2, 0));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(2, 1));
        QCOMPARE(model.data(model.index(2, 1)).toString(), QStringLiteral("10,00"));
    }

    void editableOnlyWhereEverythingAllowsIt()
    {
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        model.setColumns({col("Nome"), col("Codigo", "", true)});
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
        model.setColumnReadOnly(1, false);
        QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
        fx.table->fieldByName(QStringLiteral("Nome"))->setReadOnly(true);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        model.setReadOnly(true);
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("009")));
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
    }

    void settingACellMovesEditsAndWrites()
    {
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        model.setColumns({col("Nome"), col("Valor"), col("IE")});
        QSignalSpy edited(&model, &DatasetModel::cellEdited);
        QVERIFY(model.setData(model.index(2, 1), QStringLiteral("1.500,5")));
        QCOMPARE(fx.table->recNo(), 3);
        QCOMPARE(fx.table->state(), Dataset::State::Edit);
        QCOMPARE(fx.table->fieldByName(QStringLiteral("Valor"))->asFloat(), 1500.5);
        QCOMPARE(edited.count(), 1);
        QVERIFY(model.setData(model.index(2, 2), QStringLiteral("987654321")));
        QCOMPARE(model.data(model.index(2, 2)).toString(), QStringLiteral("98.765.432-1"));
        // Another row: the pending record is posted on the way, as any move does.
        QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Alfa 2")));
        QCOMPARE(fx.stored(QStringLiteral("003"), QStringLiteral("Valor")).toDouble(), 1500.5);
        QCOMPARE(fx.table->recNo(), 1);
        QCOMPARE(edited.count(), 3);
    }

    void refusedValueLeavesTheRecordAlone()
    {
        widget_test::ErrorCatcher errors;
        Fixture fx;
        DatasetModel model;
        model.setDataset(fx.table.get());
        model.setColumns({col("Valor")});
        QSignalSpy edited(&model, &DatasetModel::cellEdited);
        QVERIFY(!model.setData(model.index(1, 0), QStringLiteral("doze")));
        QCOMPARE(errors.messages, QStringList{QStringLiteral("'doze' não é um valor numérico válido.")});
        QCOMPARE(fx.table->recNo(), 1);
        QCOMPARE(fx.table->state(), Dataset::State::Browse);
        QCOMPARE(edited.count(), 0);
    }
};

QTEST_MAIN(TestDatasetModel)
#include "tst_dataset_model.moc"
