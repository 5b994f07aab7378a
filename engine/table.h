#pragma once

#include "engine/dataset.h"
#include "engine/filter_expression.h"

#include <QStringList>

namespace zef {

// A navigational view of one stored table: rows in the order of the selected index,
// optionally restricted to the current record of a master dataset and by a static filter.
class Table : public Dataset
{
    Q_OBJECT

public:
    Table(Database &db, const QString &tableName, QObject *parent = nullptr);

    const QString &tableName() const { return m_tableName; }
    void setTableName(const QString &name);

    // The index that orders the rows, by its fields ("AnoBase;CGCEmpresa") or its name
    // ("IDXDESCRICAO"). Opening fails with "No index for fields" when it is not there.
    void setIndexFieldNames(const QString &fields);
    void setIndexName(const QString &name);
    QStringList indexFields() const { return m_indexFields; }

    // Restricts the rows to those whose leading index fields equal the master's fields.
    void setMasterSource(Dataset *master, const QString &masterFields);
    void setFilter(const QString &expression);
    QString filter() const { return m_filter.text(); }
    void setFiltered(bool filtered);
    bool filtered() const { return m_filtered; }
    void setExclusive(bool exclusive) { m_exclusive = exclusive; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    bool canModify() const override { return !m_readOnly; }

    // Exact match on the leading index fields; moves there and returns true, else stays.
    bool findKey(const QVariantList &values);
    // Moves to the first record whose index fields are not below the values, in the
    // index's own order; to the last record when all are below.
    void findNearest(const QVariantList &values);

    // Index maintenance, on the stored table.
    void updateIndexDefs();
    const QList<IndexDef> &indexDefs() const { return m_indexDefs; }
    void addIndex(const QString &name, const QString &fields, bool primary, bool caseInsensitive);
    void deleteIndex(const QString &name);

protected:
    void doOpen(std::vector<Row> &rows) override;
    void doInsertRow(Row &row) override;
    void doUpdateRow(const Row &old, const Row &row) override;
    void doDeleteRow(const Row &row) override;
    void initNewRow(Row &row) override;

private:
    void resolveIndex();
    QStringList detailFields() const;
    QStringList orderFields() const;
    QList<int> orderSlots(int keyCount) const;
    int compareKey(const Row &row, const QList<int> &keySlots, const QVariantList &values) const;
    void masterMoved();

    QString m_tableName;
    QString m_storedName;
    QString m_indexName;
    QStringList m_indexFields;
    bool m_indexCaseInsensitive = false;
    bool m_selectedByName = false;
    Dataset *m_master = nullptr;
    QStringList m_masterFields;
    FilterExpression m_filter;
    bool m_filtered = false;
    bool m_exclusive = false;
    bool m_readOnly = false;
    QList<IndexDef> m_indexDefs;
};

} // namespace zef
