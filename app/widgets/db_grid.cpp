#include "app/widgets/db_grid.h"

#include "data/edit_mask.h"
#include "data/field_text.h"
#include "app/widgets/widget_errors.h"
#include "engine/dataset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QStyledItemDelegate>
#include <algorithm>

namespace zef {
namespace {

// The editor of one cell: the field's numeric keys only, as the bound edit takes them.
class CellEditor : public QLineEdit
{
public:
    CellEditor(DatasetModel *model, int column, QWidget *parent) : QLineEdit(parent), m_model(model), m_column(column) {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        Field *f = m_model ? m_model->fieldAt(m_column) : nullptr;
        const QString t = event->text();
        const QLocale locale = m_model ? m_model->locale() : QLocale();
        if (f && f->dataType() == FieldType::Float && (event->modifiers() & Qt::KeypadModifier)
            && (t == u"." || t == u",") && f->editMask().isEmpty()) {
            QKeyEvent translated(event->type(), event->key(), event->modifiers(), locale.decimalPoint());
            QLineEdit::keyPressEvent(&translated);
            return;
        }
        if (f && t.size() == 1 && t.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            && !FieldText::acceptsCharacter(*f, t.at(0), locale)
            && !(f->dataType() == FieldType::Float && t == locale.groupSeparator())) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    QPointer<DatasetModel> m_model;
    int m_column;
};

// Cell editors: the field's edit format or mask, and the dataset put into edit by the first
// change, as an edit on a window does.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    mutable bool lastWriteOk = true;

    static DatasetModel *modelOf(const QModelIndex &index)
    {
        return qobject_cast<DatasetModel *>(const_cast<QAbstractItemModel *>(index.model()));
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        DatasetModel *model = modelOf(index);
        auto *editor = new CellEditor(model, index.column(), parent);
        editor->setFrame(false);
        if (Field *f = model ? model->fieldAt(index.column()) : nullptr) {
            editor->setInputMask(EditMask(f->editMask()).inputMask());
            if (FieldText::isNumeric(*f))
                editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        const QPersistentModelIndex cell(index);
        auto *self = const_cast<CellDelegate *>(this);
        connect(editor, &QLineEdit::textEdited, editor, [self, editor, cell, model] {
            if (editor->property("zefEditing").toBool())
                return;
            if (model && cell.isValid() && model->beginEdit(cell.row())) {
                editor->setProperty("zefEditing", true);
                return;
            }
            editor->setModified(false);
            emit self->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        });
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = static_cast<QLineEdit *>(editor);
        line->setText(index.data(Qt::EditRole).toString());
        line->setModified(false);
        // The key that opens the cell replaces its text, as in an edit entered with Tab.
        line->selectAll();
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *line = static_cast<QLineEdit *>(editor);
        // Opening and leaving a cell is no change.
        if (!line->isModified())
            return;
        QString text = line->text();
        if (DatasetModel *m = modelOf(index))
            if (Field *f = m->fieldAt(index.column()))
                text = FieldText::keyedText(*f, line->displayText());
        const bool ok = model->setData(index, text, Qt::EditRole);
        lastWriteOk = ok;
        if (ok)
            line->setModified(false);
    }
};

} // namespace

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_model(new DatasetModel(this))
{
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setReadOnly(false);
    connect(m_model, &DatasetModel::columnsChanged, this, &DBGrid::applyColumns);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumns();
        followDataset();
    });
    connect(m_model, &DatasetModel::cellEdited, this, [this](const QModelIndex &index) { emit edited(index.column()); });
}

void DBGrid::setDataset(Dataset *dataset)
{
    if (Dataset *old = m_model->dataset())
        disconnect(old, nullptr, this, nullptr);
    // The model hears the dataset first, so the rows are there when the grid follows.
    m_model->setDataset(dataset);
    if (dataset) {
        connect(dataset, &Dataset::recordChanged, this, &DBGrid::followDataset);
        connect(dataset, &Dataset::rowsReset, this, &DBGrid::followDataset);
        connect(dataset, &Dataset::stateChanged, this, &DBGrid::followDataset);
    }
    followDataset();
}

int DBGrid::addColumn(const QString &field, const QString &title, int width, bool readOnly)
{
    GridColumn c;
    c.field = field;
    c.title = title;
    c.width = width;
    c.readOnly = readOnly;
    return m_model->addColumn(c);
}

void DBGrid::setReadOnly(bool readOnly)
{
    m_model->setReadOnly(readOnly);
    // A grid for looking only has no cells to go through: Tab leaves it for the next control.
    setTabKeyNavigation(!readOnly);
    if (readOnly) {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionBehavior(QAbstractItemView::SelectRows);
    } else {
        setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                        | QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
        setSelectionBehavior(QAbstractItemView::SelectItems);
    }
}

void DBGrid::setShowIndicator(bool show)
{
    verticalHeader()->setVisible(show);
}

void DBGrid::applyColumns()
{
    const QList<GridColumn> &columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        setColumnHidden(i, !columns.at(i).visible);
        // A column is never narrower than its heading: a cut heading names nothing.
        if (columns.at(i).width >= 0)
            QTableView::setColumnWidth(i, std::max(columns.at(i).width, horizontalHeader()->sectionSizeHint(i)));
    }
}

QWidget *DBGrid::openEditor() const
{
    return isEditing() ? indexWidget(currentIndex()) : nullptr;
}

bool DBGrid::commitEditor()
{
    QWidget *editor = openEditor();
    if (!editor)
        return true;
    auto *delegate = static_cast<CellDelegate *>(itemDelegate());
    delegate->lastWriteOk = true;
    commitData(editor);
    const bool ok = delegate->lastWriteOk;
    if (ok)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    return ok;
}

void DBGrid::discardEditor()
{
    if (QWidget *editor = openEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void DBGrid::setFocusColumn(int column)
{
    m_focusColumn = column;
    Dataset *ds = dataset();
    const int row = ds ? ds->currentRow() : -1;
    if (row < 0 || row >= m_model->rowCount() || column < 0 || column >= m_model->columnCount())
        return;
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}

int DBGrid::focusColumn() const
{
    return currentIndex().isValid() ? currentIndex().column() : m_focusColumn;
}

void DBGrid::followDataset()
{
    Dataset *ds = dataset();
    if (!ds || ds->controlsDisabled())
        return;
    const int row = ds->currentRow();
    if (row < 0 || row >= m_model->rowCount() || m_model->columnCount() == 0)
        return;
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row)
        return;
    // The record changed under an open cell (a rule, a navigator): what was keyed there
    // belonged to the record that left.
    if (isEditing())
        discardEditor();
    const int column = std::clamp(current.isValid() ? current.column() : m_focusColumn, 0, m_model->columnCount() - 1);
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        m_focusColumn = current.column();
    Dataset *ds = dataset();
    if (m_following || !ds || !current.isValid() || current.row() == ds->currentRow())
        return;
    const int row = current.row();
    if (!runForUser([ds, row] { ds->setRecNo(row + 1); }) || ds->currentRow() != row)
        followDataset();
}

} // namespace zef
