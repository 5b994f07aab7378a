#include "app/widgets/dataset_model.h"

#include "data/field_text.h"
#include "app/widgets/widget_errors.h"
#include "engine/dataset.h"

#include <QBrush>

namespace zef {

DatasetModel::DatasetModel(QObject *parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset *dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (m_dataset) {
        connect(m_dataset, &Dataset::rowsReset, this, &DatasetModel::resetRows);
        connect(m_dataset, &Dataset::stateChanged, this, &DatasetModel::stateChanged);
        connect(m_dataset, &Dataset::recordChanged, this, &DatasetModel::recordChanged);
        connect(m_dataset, &Dataset::fieldChanged, this, &DatasetModel::fieldChanged);
        connect(m_dataset, &QObject::destroyed, this, [this] {
            m_dataset = nullptr;
            resetRows();
        });
    }
    resetRows();
}

// The record being inserted is a row of its own; recordCount() leaves it out.
int DatasetModel::datasetRows() const
{
    if (!m_dataset || !m_dataset->active())
        return 0;
    return m_dataset->recordCount() + (m_dataset->state() == Dataset::State::Insert ? 1 : 0);
}

void DatasetModel::resetRows()
{
    beginResetModel();
    if (m_autoColumns)
        refreshAutoColumns();
    m_rows = datasetRows();
    m_indicatorRow = m_dataset ? m_dataset->currentRow() : -1;
    endResetModel();
    if (m_autoColumns)
        emit columnsChanged();
}

void DatasetModel::refreshAutoColumns()
{
    m_columns.clear();
    if (!m_dataset)
        return;
    for (Field *f : m_dataset->fields())
        if (f->visible()) {
            GridColumn c;
            c.field = f->fieldName();
            m_columns.append(c);
        }
}

void DatasetModel::stateChanged()
{
    // Cancelling an insert takes its row away only once the state has changed.
    if (datasetRows() != m_rows) {
        resetRows();
        return;
    }
    // Only the indicator: entering edit changes no value, and repainting the cells would
    // reload an open cell editor over the key that started the edit.
    const int row = m_dataset ? m_dataset->currentRow() : -1;
    if (row >= 0 && row < m_rows)
        emit headerDataChanged(Qt::Vertical, row, row);
}

void DatasetModel::recordChanged()
{
    if (datasetRows() != m_rows) {
        resetRows();
        return;
    }
    if (m_rows == 0 || m_columns.isEmpty())
        return;
    const int previous = m_indicatorRow;
    m_indicatorRow = m_dataset ? m_dataset->currentRow() : -1;
    emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
    if (previous >= 0 && previous < m_rows)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (m_indicatorRow >= 0 && m_indicatorRow < m_rows)
        emit headerDataChanged(Qt::Vertical, m_indicatorRow, m_indicatorRow);
}

void DatasetModel::fieldChanged(Field *)
{
    if (!m_dataset || m_dataset->controlsDisabled() || m_columns.isEmpty())
        return;
    const int row = m_dataset->currentRow();
    if (row < 0 || row >= m_rows)
        return;
    // The whole row: calculated fields follow any field of the record.
    emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

void DatasetModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_autoColumns = false;
    endResetModel();
    emit columnsChanged();
}

int DatasetModel::addColumn(const GridColumn &column)
{
    QList<GridColumn> columns = m_autoColumns ? QList<GridColumn>() : m_columns;
    columns.append(column);
    setColumns(columns);
    return int(m_columns.size()) - 1;
}

int DatasetModel::columnOf(const QString &fieldName) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).field.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field *DatasetModel::fieldAt(int column) const
{
    if (!m_dataset || !m_dataset->active() || column < 0 || column >= m_columns.size())
        return nullptr;
    return m_dataset->findField(m_columns.at(column).field);
}

void DatasetModel::setColumnTitle(int column, const QString &title)
{
    m_columns[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void DatasetModel::setColumnReadOnly(int column, bool readOnly)
{
    m_columns[column].readOnly = readOnly;
    if (m_rows > 0)
        emit dataChanged(index(0, column), index(m_rows - 1, column));
}

void DatasetModel::setColumnVisible(int column, bool visible)
{
    m_columns[column].visible = visible;
    emit columnsChanged();
}

void DatasetModel::setColumnWidth(int column, int width)
{
    m_columns[column].width = width;
    emit columnsChanged();
}

void DatasetModel::setColumnColor(int column, const QColor &color)
{
    m_columns[column].color = color;
    if (m_rows > 0)
        emit dataChanged(index(0, column), index(m_rows - 1, column), {Qt::BackgroundRole});
}

void DatasetModel::setColumnTextColor(int column, const QColor &color)
{
    m_columns[column].textColor = color;
    if (m_rows > 0)
        emit dataChanged(index(0, column), index(m_rows - 1, column), {Qt::ForegroundRole});
}

void DatasetModel::setColumnTitleColor(int column, const QColor &color)
{
    m_columns[column].titleColor = color;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void DatasetModel::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return QVariant();
    const GridColumn &c = m_columns.at(index.column());
    switch (role) {
    case Qt::BackgroundRole:
        return c.color.isValid() ? QVariant(QBrush(c.color)) : QVariant();
    case Qt::ForegroundRole:
        return c.textColor.isValid() ? QVariant(QBrush(c.textColor)) : QVariant();
    default:
        break;
    }
    Field *f = fieldAt(index.column());
    if (!f)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return FieldText::display(*f, m_dataset->valueAt(index.row(), f->slot()), m_locale);
    case Qt::EditRole:
        return FieldText::edit(*f, m_dataset->valueAt(index.row(), f->slot()), m_locale);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(FieldText::isNumeric(*f) ? Qt::AlignRight | Qt::AlignVCenter
                                                            : Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole || !m_dataset || section != m_dataset->currentRow())
            return QVariant();
        switch (m_dataset->state()) {
        case Dataset::State::Edit: return QStringLiteral("I");
        case Dataset::State::Insert: return QStringLiteral("*");
        default: return QStringLiteral("\u25B6");
        }
    }
    if (section < 0 || section >= m_columns.size())
        return QVariant();
    const GridColumn &c = m_columns.at(section);
    switch (role) {
    case Qt::DisplayRole:
        if (!c.title.isEmpty())
            return c.title;
        if (Field *f = fieldAt(section))
            return f->displayLabel();
        return c.field;
    case Qt::ForegroundRole:
        return c.titleColor.isValid() ? QVariant(QBrush(c.titleColor)) : QVariant();
    default:
        return QVariant();
    }
}

bool DatasetModel::cellEditable(int column) const
{
    if (m_readOnly || !m_dataset || !m_dataset->active() || !m_dataset->canModify())
        return false;
    if (column < 0 || column >= m_columns.size() || m_columns.at(column).readOnly)
        return false;
    Field *f = fieldAt(column);
    return f && !f->readOnly();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (cellEditable(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::moveTo(int row)
{
    if (m_dataset->currentRow() != row)
        m_dataset->setRecNo(row + 1);
    return m_dataset->currentRow() == row;
}

void DatasetModel::setLocale(const QLocale &locale)
{
    beginResetModel();
    m_locale = locale;
    endResetModel();
}

bool DatasetModel::beginEdit(int row)
{
    if (!m_dataset || row < 0 || row >= m_rows)
        return false;
    return runForUser([&] {
        if (!moveTo(row))
            throw SilentAbort();
        m_dataset->edit();
    });
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !cellEditable(index.column()))
        return false;
    const int row = index.row();
    const int column = index.column();
    const bool ok = runForUser([&] {
        Field *f = fieldAt(column);
        const QVariant v = value.typeId() == QMetaType::QString ? FieldText::parse(*f, value.toString(), m_locale) : value;
        if (!moveTo(row))
            throw SilentAbort();
        m_dataset->edit();
        f->setValue(v);
    });
    if (ok)
        emit cellEdited(this->index(row, column));
    return ok;
}

} // namespace zef
