#include "engine/table.h"

#include "engine/collation.h"
#include "engine/database.h"
#include "engine/statement.h"

#include <QDate>

namespace zef {
namespace {

QString quoted(const QString &identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QStringList splitFields(const QString &fields)
{
    QStringList out;
    for (const QString &f : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out.append(f.trimmed());
    return out;
}

bool sameFields(const QStringList &a, const QStringList &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (a[i].compare(b[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

} // namespace

Table::Table(Database &db, const QString &tableName, QObject *parent) : Dataset(db, parent), m_tableName(tableName)
{
    setObjectName(tableName);
}

void Table::setTableName(const QString &name)
{
    if (active())
        throw EngineError(QStringLiteral("%1: feche a tabela antes de trocar seu nome.").arg(m_tableName));
    m_tableName = name;
}

void Table::setIndexFieldNames(const QString &fields)
{
    m_indexFields = splitFields(fields);
    m_indexName.clear();
    m_selectedByName = false;
    if (active())
        reload(-1, 0);
}

void Table::setIndexName(const QString &name)
{
    m_indexName = name.trimmed();
    m_indexFields.clear();
    m_selectedByName = !m_indexName.isEmpty();
    if (active())
        reload(-1, 0);
}

void Table::setMasterSource(Dataset *master, const QString &masterFields)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_masterFields = splitFields(masterFields);
    if (m_master) {
        connect(m_master, &Dataset::recordChanged, this, &Table::masterMoved);
        connect(m_master, &Dataset::fieldChanged, this, [this](Field *f) {
            if (f && m_masterFields.contains(f->fieldName(), Qt::CaseInsensitive))
                masterMoved();
        });
    }
    if (active())
        reload(-1, 0);
}

void Table::masterMoved()
{
    if (!active())
        return;
    if (editing())
        cancel();
    reload(-1, 0);
}

void Table::setFilter(const QString &expression)
{
    m_filter = FilterExpression(expression);
    if (active() && m_filtered)
        reload(-1, 0);
}

void Table::setFiltered(bool filtered)
{
    if (m_filtered == filtered)
        return;
    m_filtered = filtered;
    if (active())
        reload(-1, 0);
}

void Table::updateIndexDefs()
{
    m_indexDefs = database().indexes(m_tableName);
}

void Table::addIndex(const QString &name, const QString &fields, bool primary, bool caseInsensitive)
{
    IndexDef idx;
    idx.name = primary ? QString() : name.trimmed();
    idx.fields = splitFields(fields);
    idx.caseInsensitive = !primary && caseInsensitive;
    database().addIndex(m_tableName, idx);
    updateIndexDefs();
}

void Table::deleteIndex(const QString &name)
{
    database().deleteIndex(m_tableName, name);
    updateIndexDefs();
}

void Table::resolveIndex()
{
    updateIndexDefs();
    m_indexCaseInsensitive = false;
    if (m_selectedByName) {
        for (const IndexDef &i : std::as_const(m_indexDefs))
            if (!i.isPrimary() && i.name.compare(m_indexName, Qt::CaseInsensitive) == 0) {
                m_indexFields = i.fields;
                m_indexCaseInsensitive = i.caseInsensitive;
                return;
            }
        throw EngineError(QStringLiteral("%1: %2 (índice %3)")
                              .arg(m_tableName, QLatin1String(kNoIndexForFields), m_indexName));
    }
    if (!m_indexFields.isEmpty()) {
        const IndexDef *prefixMatch = nullptr;
        for (const IndexDef &i : std::as_const(m_indexDefs)) {
            if (sameFields(i.fields, m_indexFields)) {
                m_indexCaseInsensitive = i.caseInsensitive;
                return;
            }
            if (!prefixMatch && i.fields.size() > m_indexFields.size()
                && sameFields(i.fields.mid(0, m_indexFields.size()), m_indexFields))
                prefixMatch = &i;
        }
        if (prefixMatch) {
            m_indexCaseInsensitive = prefixMatch->caseInsensitive;
            return;
        }
        throw EngineError(QStringLiteral("%1: %2 %3")
                              .arg(m_tableName, QLatin1String(kNoIndexForFields), m_indexFields.join(QLatin1Char(';'))));
    }
}

QStringList Table::detailFields() const
{
    return orderFields().mid(0, m_masterFields.size());
}

void Table::doOpen(std::vector<Row> &rows)
{
    Database &db = database();
    m_storedName = db.storedTableName(m_tableName);
    if (m_storedName.isEmpty())
        throw EngineError(QStringLiteral("Tabela não encontrada: %1").arg(m_tableName));
    resolveIndex();

    const TableDef *def = db.tableDef(m_storedName);
    QList<FieldDef> defs;
    {
        Statement info(db.handle(), QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
        info.bind(1, m_storedName);
        while (info.step()) {
            const QString name = info.column(0).toString();
            const FieldDef *known = def ? def->field(name) : nullptr;
            if (known) {
                defs.append(*known);
            } else {
                FieldDef f;
                f.name = name;
                f.type = typeFromDecl(info.column(1).toString());
                defs.append(f);
            }
        }
    }
    defineDataFields(defs);

    QStringList cols;
    for (const FieldDef &f : std::as_const(defs))
        cols.append(quoted(f.name));
    QString sql = QStringLiteral("SELECT rowid, %1 FROM %2").arg(cols.join(QStringLiteral(", ")), quoted(m_storedName));

    QStringList where;
    QVariantList values;
    // An inactive master restricts nothing (the link is off); an empty one leaves no rows.
    if (m_master && m_master->active()) {
        const QStringList details = detailFields();
        if (m_master->recNo() == 0 || details.size() != m_masterFields.size()) {
            where.append(QStringLiteral("0"));
        } else {
            for (int i = 0; i < details.size(); ++i) {
                Field *own = fieldByName(details[i]);
                where.append(quoted(details[i]) + QStringLiteral(" IS ?"));
                values.append(toStored(own->coerce(m_master->fieldByName(m_masterFields[i])->value()), own->dataType()));
            }
        }
    }
    if (m_filtered && !m_filter.isEmpty()) {
        QVariantList filterValues;
        where.append(m_filter.toSql(filterValues, [this](const QString &c) { return quoted(fieldByName(c)->fieldName()); }));
        values.append(filterValues);
    }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));

    const QStringList order = orderFields();
    const bool ci = !m_indexFields.isEmpty() && m_indexCaseInsensitive;
    QStringList orderBy;
    for (const QString &f : std::as_const(order)) {
        QString term = quoted(f);
        const Field *field = findField(f);
        if (ci && field && field->dataType() == FieldType::String)
            term += QStringLiteral(" COLLATE ") + QLatin1String(kNameCollation);
        orderBy.append(term);
    }
    orderBy.append(QStringLiteral("rowid"));
    sql += QStringLiteral(" ORDER BY ") + orderBy.join(QStringLiteral(", "));

    Statement st(db.handle(), sql);
    st.bindAll(values);
    const int n = int(defs.size());
    while (st.step()) {
        Row r;
        r.rowid = st.column(0).toLongLong();
        r.values.resize(slotCount());
        for (int i = 0; i < n; ++i)
            r.values[i] = st.column(i + 1, defs[i].type);
        rows.push_back(std::move(r));
    }
}

void Table::initNewRow(Row &row)
{
    if (!m_master || !m_master->active() || m_master->recNo() == 0)
        return;
    const QStringList details = detailFields();
    for (int i = 0; i < details.size() && i < m_masterFields.size(); ++i) {
        Field *own = findField(details[i]);
        Field *theirs = m_master->findField(m_masterFields[i]);
        if (own && theirs)
            row.values[own->slot()] = own->coerce(theirs->value());
    }
}

void Table::doInsertRow(Row &row)
{
    QStringList cols, marks;
    QVariantList values;
    for (int i = 0; i < dataFieldCount(); ++i) {
        const Field *f = fields().at(i);
        cols.append(quoted(f->fieldName()));
        marks.append(QStringLiteral("?"));
        values.append(toStored(row.values.value(i), f->dataType()));
    }
    Database &db = database();
    Statement st(db.handle(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoted(m_storedName), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    st.bindAll(values);
    st.step();
    Statement id(db.handle(), QStringLiteral("SELECT last_insert_rowid()"));
    id.step();
    row.rowid = id.column(0).toLongLong();
}

void Table::doUpdateRow(const Row &old, const Row &row)
{
    QStringList sets;
    QVariantList values;
    for (int i = 0; i < dataFieldCount(); ++i) {
        const Field *f = fields().at(i);
        sets.append(quoted(f->fieldName()) + QStringLiteral(" = ?"));
        values.append(toStored(row.values.value(i), f->dataType()));
    }
    values.append(old.rowid);
    Statement st(database().handle(), QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                          .arg(quoted(m_storedName), sets.join(QStringLiteral(", "))));
    st.bindAll(values);
    st.step();
    if (st.changes() == 0)
        throw EngineError(QStringLiteral("%1: o registro foi alterado ou excluído por outro usuário.").arg(m_tableName));
}

void Table::doDeleteRow(const Row &row)
{
    Statement st(database().handle(), QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_storedName)));
    st.bind(1, row.rowid);
    st.step();
}

QStringList Table::orderFields() const
{
    if (!m_indexFields.isEmpty())
        return m_indexFields;
    for (const IndexDef &i : m_indexDefs)
        if (i.isPrimary())
            return i.fields;
    return {};
}

int Table::compareKey(const Row &row, const QList<int> &keySlots, const QVariantList &values) const
{
    for (int k = 0; k < keySlots.size() && k < values.size(); ++k) {
        const Field *f = fields().at(keySlots[k]);
        const QVariant a = row.values.value(keySlots[k]);
        const QVariant b = f->coerce(values[k]);
        if (a.isNull() || b.isNull()) {
            if (a.isNull() != b.isNull())
                return a.isNull() ? -1 : 1;
            continue;
        }
        int c = 0;
        switch (f->dataType()) {
        case FieldType::String:
            c = m_indexCaseInsensitive ? compareFolded(a.toString(), b.toString())
                                       : compareExact(a.toString(), b.toString());
            break;
        case FieldType::Date:
            c = a.toDate() < b.toDate() ? -1 : (b.toDate() < a.toDate() ? 1 : 0);
            break;
        default:
            c = a.toDouble() < b.toDouble() ? -1 : (a.toDouble() > b.toDouble() ? 1 : 0);
            break;
        }
        if (c != 0)
            return c;
    }
    return 0;
}

QList<int> Table::orderSlots(int keyCount) const
{
    const QStringList order = orderFields();
    if (keyCount > order.size())
        throw EngineError(QStringLiteral("%1: chave de busca com campos demais.").arg(m_tableName));
    QList<int> keySlots;
    for (const QString &f : order)
        keySlots.append(fieldByName(f)->slot());
    return keySlots;
}

bool Table::findKey(const QVariantList &values)
{
    checkBrowseMode();
    const QList<int> keySlots = orderSlots(int(values.size()));
    const auto &all = rows();
    for (int i = 0; i < int(all.size()); ++i) {
        if (compareKey(all[i], keySlots, values) == 0) {
            setRecNo(i + 1);
            return true;
        }
    }
    return false;
}

void Table::findNearest(const QVariantList &values)
{
    checkBrowseMode();
    const QList<int> keySlots = orderSlots(int(values.size()));
    const auto &all = rows();
    if (all.empty())
        return;
    for (int i = 0; i < int(all.size()); ++i) {
        if (compareKey(all[i], keySlots, values) >= 0) {
            setRecNo(i + 1);
            return;
        }
    }
    setRecNo(int(all.size()));
}

} // namespace zef
