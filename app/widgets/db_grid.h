#pragma once

#include "app/widgets/dataset_model.h"

#include <QTableView>

namespace zef {

// A grid over a dataset. The current cell's row is the dataset's current record, both ways:
// moving in the grid moves the dataset (posting a pending edit, as any move does) and moving
// the dataset moves the grid. Cells are edited in place: typing opens the cell, the first
// change puts the dataset into edit, Enter or leaving the cell writes the field.
class DBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_model->dataset(); }
    DatasetModel *datasetModel() const { return m_model; }

    int addColumn(const QString &field, const QString &title = QString(), int width = -1, bool readOnly = false);
    void setColumns(const QList<GridColumn> &columns) { m_model->setColumns(columns); }
    int columnOf(const QString &field) const { return m_model->columnOf(field); }

    void setColumnTitle(int column, const QString &title) { m_model->setColumnTitle(column, title); }
    void setColumnReadOnly(int column, bool readOnly) { m_model->setColumnReadOnly(column, readOnly); }
    void setColumnVisible(int column, bool visible) { m_model->setColumnVisible(column, visible); }
    void setColumnColor(int column, const QColor &color) { m_model->setColumnColor(column, color); }
    void setColumnTextColor(int column, const QColor &color) { m_model->setColumnTextColor(column, color); }
    void setColumnTitleColor(int column, const QColor &color) { m_model->setColumnTitleColor(column, color); }
    // Keeps the width across the dataset's rereads.
    void setColumnWidth(int column, int width) { m_model->setColumnWidth(column, width); }

    // The locale numbers are shown and typed in (the workstation's unless set).
    void setLocale(const QLocale &locale) { m_model->setLocale(locale); }

    // A grid for looking only; the whole row is selected.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_model->isReadOnly(); }
    // The record indicator beside the rows.
    void setShowIndicator(bool show);

    // The column of the current cell (the columns counted as defined, hidden ones included).
    void setFocusColumn(int column);
    int focusColumn() const;

    // An open cell: write it, or close it without writing.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    bool commitEditor();
    void discardEditor();

signals:
    // The user's value was written into the field of `column`.
    void edited(int column);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void applyColumns();
    void followDataset();
    QWidget *openEditor() const;

    DatasetModel *m_model;
    int m_focusColumn = 0;
    bool m_following = false;
};

} // namespace zef
