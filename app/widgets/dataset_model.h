#pragma once

#include "engine/dataset.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QLocale>
#include <QPointer>
#include <QString>

namespace zef {

// One column of a grid over a dataset.
struct GridColumn {
    QString field;
    QString title;          // empty: the field's display label
    int width = -1;         // pixels; -1 leaves the view's default
    bool readOnly = false;
    bool visible = true;
    QColor color;           // cell background; invalid: the view's own
    QColor textColor;
    QColor titleColor;
};

// The rows of a dataset as a table: one row per record (the record being inserted included),
// one column per GridColumn. It follows the dataset's signals; editing a cell moves the
// dataset to that row, puts it into edit and writes the field.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DatasetModel(QObject *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_dataset; }

    // Without columns of its own the model shows every visible field of the dataset.
    void setColumns(const QList<GridColumn> &columns);
    int addColumn(const GridColumn &column);
    const QList<GridColumn> &columns() const { return m_columns; }
    const GridColumn &column(int index) const { return m_columns.at(index); }
    int columnOf(const QString &fieldName) const;   // -1 when absent
    Field *fieldAt(int column) const;

    void setColumnTitle(int column, const QString &title);
    void setColumnReadOnly(int column, bool readOnly);
    void setColumnVisible(int column, bool visible);
    void setColumnWidth(int column, int width);
    void setColumnColor(int column, const QColor &color);
    void setColumnTextColor(int column, const QColor &color);
    void setColumnTitleColor(int column, const QColor &color);

    // The locale numbers are shown and read in (the workstation's unless set).
    void setLocale(const QLocale &locale);
    const QLocale &locale() const { return m_locale; }

    // A model for looking only (list grids).
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Puts the dataset into edit on `row` for a cell about to change; false when refused.
    bool beginEdit(int row);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // Columns were added or changed in a way the view must apply (width, visibility).
    void columnsChanged();
    // The user's value was written into a cell's field.
    void cellEdited(const QModelIndex &index);

private:
    int datasetRows() const;
    void resetRows();
    void stateChanged();
    void fieldChanged(Field *field);
    void recordChanged();
    void refreshAutoColumns();
    bool cellEditable(int column) const;
    bool moveTo(int row);

    QPointer<Dataset> m_dataset;
    QList<GridColumn> m_columns;
    bool m_autoColumns = true;
    bool m_readOnly = false;
    QLocale m_locale;
    int m_rows = 0;
    int m_indicatorRow = -1;
};

} // namespace zef
