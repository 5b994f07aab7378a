#pragma once

#include "engine/dataset.h"

#include <QHash>
#include <QStringList>

namespace zef {

// An SQL statement with named parameters (":AnoBase"). open() runs a select and reads
// its rows; execSql() runs anything else. Values are always bound, never spliced.
class Query : public Dataset
{
    Q_OBJECT

public:
    explicit Query(Database &db, QObject *parent = nullptr);
    Query(Database &db, const QString &sql, QObject *parent = nullptr);

    void setSql(const QString &sql);
    void addLine(const QString &line);   // appends a line to the text, as SQL.Add does
    void clearSql() { setSql(QString()); }
    QString sql() const { return m_lines.join(QLatin1Char('\n')); }

    void setParam(const QString &name, const QVariant &value);   // name with or without ':'
    void setParamDate(const QString &name, const QDate &date) { setParam(name, QVariant(date)); }
    QVariant param(const QString &name) const;
    void clearParams() { m_params.clear(); }

    // Runs a statement that returns no rows; returns the number of rows changed.
    int execSql();
    int rowsAffected() const { return m_rowsAffected; }

    // Convenience for one-value selects (count(*), sum(...)).
    QVariant scalar();

protected:
    void doOpen(std::vector<Row> &rows) override;

private:
    QStringList m_lines;
    QHash<QString, QVariant> m_params;
    int m_rowsAffected = 0;
};

// Name a select result column gets: an unaliased sum(col) reads "SUM OF col".
QString resultColumnName(const QString &sqliteName);

} // namespace zef
