#include "engine/query.h"

#include "engine/database.h"
#include "engine/statement.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace zef {
namespace {

QString normalName(const QString &name)
{
    QString n = name.trimmed();
    if (n.startsWith(QLatin1Char(':')))
        n.remove(0, 1);
    return n.toLower();
}

// Binds every named parameter of the statement from the map; one not set binds null.
void bindParams(Statement &st, const QHash<QString, QVariant> &params)
{
    for (int i = 1; i <= st.parameterCount(); ++i) {
        const QString name = st.parameterName(i);
        const auto it = params.constFind(normalName(name));
        QVariant v = it == params.constEnd() ? QVariant() : *it;
        if (v.typeId() == QMetaType::QDate)
            v = toStored(v, FieldType::Date);
        st.bind(i, v);
    }
}

FieldType typeOfValue(int storage)
{
    switch (storage) {
    case SQLITE_INTEGER: return FieldType::Integer;
    case SQLITE_FLOAT: return FieldType::Float;
    default: return FieldType::String;
    }
}

} // namespace

QString resultColumnName(const QString &sqliteName)
{
    static const QRegularExpression sum(QStringLiteral("^\\s*sum\\s*\\(\\s*(?:[A-Za-z_][A-Za-z0-9_]*\\.)?([A-Za-z_][A-Za-z0-9_]*)\\s*\\)\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = sum.match(sqliteName);
    if (m.hasMatch())
        return QStringLiteral("SUM OF ") + m.captured(1);
    return sqliteName;
}

Query::Query(Database &db, QObject *parent) : Dataset(db, parent) {}

Query::Query(Database &db, const QString &sql, QObject *parent) : Dataset(db, parent)
{
    setSql(sql);
}

void Query::setSql(const QString &sql)
{
    if (active())
        close();
    m_lines = sql.isEmpty() ? QStringList() : QStringList{sql};
}

void Query::addLine(const QString &line)
{
    if (active())
        close();
    m_lines.append(line);
}

void Query::setParam(const QString &name, const QVariant &value)
{
    m_params.insert(normalName(name), value);
}

QVariant Query::param(const QString &name) const
{
    return m_params.value(normalName(name));
}

int Query::execSql()
{
    Database &db = database();
    Statement st(db.handle(), sql());
    bindParams(st, m_params);
    while (st.step()) {
    }
    m_rowsAffected = st.changes();
    return m_rowsAffected;
}

QVariant Query::scalar()
{
    close();
    open();
    QVariant v = isEmpty() || fieldCount() == 0 ? QVariant() : field(0)->value();
    close();
    return v;
}

void Query::doOpen(std::vector<Row> &rows)
{
    Database &db = database();
    Statement st(db.handle(), sql());
    bindParams(st, m_params);
    const int n = st.columnCount();
    if (n == 0)
        throw EngineError(QStringLiteral("A consulta não retorna registros: %1").arg(sql().simplified()));

    // Column types come from the declared type of table columns; expressions take the
    // type of their first value (sums are numbers even over no rows).
    QList<FieldDef> defs;
    QList<bool> typed;
    for (int i = 0; i < n; ++i) {
        FieldDef f;
        f.name = resultColumnName(st.columnName(i));
        const QString decl = st.columnDeclType(i);
        if (!decl.isEmpty()) {
            f.type = typeFromDecl(decl);
        } else if (f.name.startsWith(QLatin1String("SUM OF "))) {
            f.type = FieldType::Float;
        }
        typed.append(!decl.isEmpty() || f.name.startsWith(QLatin1String("SUM OF ")));
        defs.append(f);
    }
    std::vector<QVector<QVariant>> raw;
    bool first = true;
    while (st.step()) {
        if (first) {
            for (int i = 0; i < n; ++i)
                if (!typed[i] && st.columnStorageType(i) != SQLITE_NULL) {
                    defs[i].type = typeOfValue(st.columnStorageType(i));
                    typed[i] = true;
                }
            first = false;
        }
        QVector<QVariant> values(n);
        for (int i = 0; i < n; ++i)
            values[i] = st.column(i);
        raw.push_back(std::move(values));
    }
    // Names repeated in the select list ("Codigo" from two tables) get a suffix, as the
    // original engine did, so fields by name stay unambiguous.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (defs[i].name.compare(defs[j].name, Qt::CaseInsensitive) == 0) {
                defs[i].name += QStringLiteral("_") + QString::number(i);
                break;
            }
    defineDataFields(defs);
    for (auto &values : raw) {
        Row r;
        r.values.resize(slotCount());
        for (int i = 0; i < n; ++i)
            r.values[i] = fromStored(values[i], defs[i].type);
        rows.push_back(std::move(r));
    }
}

} // namespace zef
