#include "engine/statement.h"

#include "engine/engine_error.h"
#include "engine/failure_messages.h"
#include "engine/lock_wait.h"

#include <QDate>
#include <sqlite3.h>

namespace zef {

QString engineMessage(sqlite3 *db, int rc)
{
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
        return QString::fromLatin1(kKeyViolation);
    if (const QString plain = databaseFailureMessage(extended, databaseFileName(db)); !plain.isEmpty())
        return plain;
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db), m_sql(sql)
{
    if (!m_db)
        throw EngineError(QStringLiteral("Banco de dados não conectado."));
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_stmt, nullptr);
    lockwait::finished(m_db);
    if (rc != SQLITE_OK)
        fail(rc);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::fail(int rc) const
{
    QString message = engineMessage(m_db, rc);
    if (message != QLatin1String(kKeyViolation) && (rc & 0xff) == SQLITE_ERROR)
        message += QStringLiteral("\nSQL: ") + m_sql.simplified();
    throw EngineError(message);
}

int Statement::parameterCount() const
{
    return m_stmt ? sqlite3_bind_parameter_count(m_stmt) : 0;
}

QString Statement::parameterName(int index) const
{
    const char *name = sqlite3_bind_parameter_name(m_stmt, index);
    return name ? QString::fromUtf8(name) : QString();
}

void Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (!m_stmt)
        return;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray iso = value.toDate().toString(Qt::ISODate).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(rc);
}

void Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
}

bool Statement::step()
{
    if (!m_stmt)
        return false;   // an empty statement (only a comment) does nothing
    const int rc = sqlite3_step(m_stmt);
    lockwait::finished(m_db);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    fail(rc);
}

void Statement::reset()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::columnDeclType(int i) const
{
    const char *decl = sqlite3_column_decltype(m_stmt, i);
    return decl ? QString::fromUtf8(decl) : QString();
}

int Statement::columnStorageType(int i) const
{
    return sqlite3_column_type(m_stmt, i);
}

QVariant Statement::column(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_NULL:
        return QVariant();
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, i)));
    }
    }
}

QVariant Statement::column(int i, FieldType type) const
{
    return fromStored(column(i), type);
}

int Statement::changes() const
{
    return sqlite3_changes(m_db);
}

QVariant fromStored(const QVariant &stored, FieldType type)
{
    if (stored.isNull())
        return QVariant();
    switch (type) {
    case FieldType::String: {
        const QString s = stored.typeId() == QMetaType::Double
            ? QString::number(stored.toDouble(), 'g', 15) : stored.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Float:
        return QVariant(stored.toDouble());
    case FieldType::Integer:
        return QVariant(int(stored.toLongLong()));
    case FieldType::Boolean:
        if (stored.typeId() == QMetaType::QString) {
            const QString s = stored.toString().toLower();
            return QVariant(s == QLatin1String("true") || s == QLatin1String("1"));
        }
        return QVariant(stored.toLongLong() != 0);
    case FieldType::Date: {
        const QDate d = QDate::fromString(stored.toString().left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    }
    return stored;
}

QVariant toStored(const QVariant &value, FieldType type)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (type) {
    case FieldType::String: {
        const QString s = value.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Float:
        return QVariant(value.toDouble());
    case FieldType::Integer:
        return QVariant(value.toLongLong());
    case FieldType::Boolean:
        return QVariant(value.toBool() ? 1 : 0);
    case FieldType::Date: {
        const QDate d = value.toDate();
        return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
    }
    }
    return value;
}

FieldType typeFromDecl(const QString &decl, FieldType fallback)
{
    const QString d = decl.trimmed().toUpper();
    if (d.isEmpty())
        return fallback;
    if (d.startsWith(QLatin1String("DATE")))
        return FieldType::Date;
    if (d.startsWith(QLatin1String("BOOL")))
        return FieldType::Boolean;
    if (d.contains(QLatin1String("INT")))
        return FieldType::Integer;
    if (d.contains(QLatin1String("REAL")) || d.contains(QLatin1String("FLOA")) || d.contains(QLatin1String("DOUB"))
        || d.contains(QLatin1String("NUM")))
        return FieldType::Float;
    return FieldType::String;
}

QString declForType(FieldType type)
{
    switch (type) {
    case FieldType::String: return QStringLiteral("TEXT");
    case FieldType::Float: return QStringLiteral("REAL");
    case FieldType::Integer: return QStringLiteral("INTEGER");
    case FieldType::Date: return QStringLiteral("DATE");
    case FieldType::Boolean: return QStringLiteral("BOOLEAN");
    }
    return QStringLiteral("TEXT");
}

} // namespace zef
