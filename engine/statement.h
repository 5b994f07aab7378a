#pragma once

#include "engine/table_def.h"

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace zef {

// One prepared SQLite statement. Values are bound, never spliced into the text;
// a failure throws EngineError with the engine's message.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    int parameterCount() const;
    QString parameterName(int index) const;       // 1-based, with its ':' prefix
    void bind(int index, const QVariant &value);  // 1-based
    void bindAll(const QVariantList &values);

    // Advances to the next row; false when the statement is done.
    bool step();
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    QString columnDeclType(int i) const;          // empty for expressions
    int columnStorageType(int i) const;           // SQLITE_INTEGER, ... of the current row
    QVariant column(int i, FieldType type) const;
    QVariant column(int i) const;                 // by the value's storage type

    int changes() const;

private:
    [[noreturn]] void fail(int rc) const;

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
};

// A stored value converted to the form the program works with: dates from ISO text,
// logicals from 0/1, empty text as null.
QVariant fromStored(const QVariant &stored, FieldType type);
// And back, for binding.
QVariant toStored(const QVariant &value, FieldType type);

// Type of a column from its declared SQL type ("DATE", "BOOLEAN", ...).
FieldType typeFromDecl(const QString &decl, FieldType fallback = FieldType::String);
QString declForType(FieldType type);

// The engine's message for an SQLite failure: key clashes read "Key violation.".
QString engineMessage(sqlite3 *db, int rc);

} // namespace zef
