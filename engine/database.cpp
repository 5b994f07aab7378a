#include "engine/database.h"

#include "engine/collation.h"
#include "engine/engine_error.h"
#include "engine/failure_messages.h"
#include "engine/lock_wait.h"
#include "engine/statement.h"
#include "engine/transaction.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <sqlite3.h>

namespace zef {
namespace {

constexpr auto kMetaTable = "zef_engine";

QString quoted(const QString &identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString passwordDigest(const QString &password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayLiteral("zef2026:") + password.toUtf8(), QCryptographicHash::Sha256)
            .toHex());
}

sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3 *const *>(v.constData());
    return nullptr;
}

void run(sqlite3 *h, const QString &sql, const QVariantList &values = {})
{
    Statement st(h, sql);
    st.bindAll(values);
    while (st.step()) {
    }
}

} // namespace

QString storedIndexName(const QString &table, const IndexDef &index)
{
    return table + QLatin1Char('$') + (index.isPrimary() ? QStringLiteral("PK") : index.name);
}

Database::Database(const QString &name)
    : m_name(name),
      m_connection(name + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

Database::~Database()
{
    disconnect();
}

void Database::setParam(const QString &key, const QString &value)
{
    m_params.insert(key.toUpper(), value);
}

QString Database::param(const QString &key) const
{
    return m_params.value(key.toUpper());
}

QString Database::filePath() const
{
    return QDir(param(QStringLiteral("PATH"))).filePath(QString::fromLatin1(kFileName));
}

void Database::addPassword(const QString &password)
{
    if (!m_passwords.contains(password))
        m_passwords.append(password);
}

void Database::setCatalogue(const QList<TableDef> &tables)
{
    m_tables = tables;
}

const TableDef *Database::tableDef(const QString &name) const
{
    QString wanted = name.trimmed();
    const qsizetype dot = wanted.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        wanted = wanted.left(dot);
    for (const TableDef &t : m_tables)
        if (t.sqlName().compare(wanted, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

void Database::connect(bool create)
{
    if (connected())
        return;
    const QString dir = param(QStringLiteral("PATH"));
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        throw EngineError(QStringLiteral("Diretório do banco de dados não encontrado: %1")
                              .arg(QDir::toNativeSeparators(dir)));
    const QString file = filePath();
    if (!create && !QFileInfo::exists(file))
        throw EngineError(QStringLiteral("Banco de dados não encontrado: %1").arg(QDir::toNativeSeparators(file)));
    if (create && QFileInfo::exists(file))
        throw EngineError(QStringLiteral("O banco de dados já existe: %1").arg(QDir::toNativeSeparators(file)));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    if (!db.open()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw EngineError(databaseFailureMessage(SQLITE_CANTOPEN, QDir::toNativeSeparators(file)));
    }
    sqlite3 *h = handleOf(db);
    try {
        if (!h || !registerCollations(h))
            throw EngineError(QStringLiteral("O driver SQLite do Qt não expõe a conexão nativa."));
        sqlite3_extended_result_codes(h, 1);
        lockwait::install(h, m_lockWaitMs, &onLockWait);
        run(h, QStringLiteral("PRAGMA foreign_keys = OFF"));
        if (!create)
            requireOwnDatabase(h, file);
        if (create) {
            run(h, QStringLiteral("CREATE TABLE %1 (key TEXT PRIMARY KEY, value TEXT)").arg(QLatin1String(kMetaTable)));
            if (!m_passwords.isEmpty())
                run(h, QStringLiteral("INSERT INTO %1 (key, value) VALUES ('password', ?)").arg(QLatin1String(kMetaTable)),
                    {passwordDigest(m_passwords.constFirst())});
        } else {
            // The table password: a database stamped with one opens only when it was registered.
            Statement st(h, QStringLiteral("SELECT value FROM %1 WHERE key = 'password'").arg(QLatin1String(kMetaTable)));
            if (st.step()) {
                const QString stored = st.column(0).toString();
                bool ok = false;
                for (const QString &p : std::as_const(m_passwords))
                    ok = ok || passwordDigest(p) == stored;
                if (!ok)
                    throw EngineError(QStringLiteral("Senha inválida para as tabelas de %1.")
                                          .arg(QDir::toNativeSeparators(dir)));
            }
        }
    } catch (...) {
        if (h)
            lockwait::remove(h);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw;
    }
}

void Database::requireOwnDatabase(sqlite3 *h, const QString &file)
{
    // SQLite takes an empty file for an empty database; reading it is the first sign of a file that
    // is not a database at all, and the engine's message says so.
    Statement tables(h, QStringLiteral("SELECT count(*), sum(name = ?) FROM sqlite_master WHERE type = 'table'"));
    tables.bind(1, QString::fromLatin1(kMetaTable));
    tables.step();
    if (tables.column(0).toLongLong() == 0 && QFileInfo(file).size() == 0)
        throw EngineError(emptyDatabaseMessage(QDir::toNativeSeparators(file)));
    if (tables.column(1).toLongLong() == 0)
        throw EngineError(foreignDatabaseMessage(QDir::toNativeSeparators(file)));
}

void Database::disconnect()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        sqlite3 *h = handleOf(db);
        if (m_inTransaction) {
            if (h)
                sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
            m_inTransaction = false;
        }
        if (h)
            lockwait::remove(h);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool Database::connected() const
{
    return QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen();
}

QSqlDatabase Database::sql() const
{
    requireConnected();
    return QSqlDatabase::database(m_connection, false);
}

sqlite3 *Database::handle() const
{
    return handleOf(sql());
}

void Database::requireConnected() const
{
    if (!connected())
        throw EngineError(QStringLiteral("Banco de dados %1 não conectado.").arg(m_name));
}

void Database::startTransaction()
{
    if (m_inTransaction)
        throw EngineError(QStringLiteral("Já existe uma transação ativa."));
    run(handle(), QStringLiteral("BEGIN IMMEDIATE"));
    m_inTransaction = true;
}

void Database::commit()
{
    if (!m_inTransaction)
        throw EngineError(QStringLiteral("Nenhuma transação ativa."));
    run(handle(), QStringLiteral("COMMIT"));
    m_inTransaction = false;
}

void Database::rollback()
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    run(handle(), QStringLiteral("ROLLBACK"));
}

QString Database::storedTableName(const QString &table) const
{
    QString wanted = table.trimmed();
    const qsizetype dot = wanted.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        wanted = wanted.left(dot);
    Statement st(handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    st.bind(1, wanted);
    return st.step() ? st.column(0).toString() : QString();
}

bool Database::tableExists(const QString &table) const
{
    return !storedTableName(table).isEmpty();
}

QStringList Database::columns(const QString &table) const
{
    const QString name = storedTableName(table);
    if (name.isEmpty())
        throw EngineError(QStringLiteral("Tabela não encontrada: %1").arg(table));
    QStringList result;
    Statement st(handle(), QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    st.bind(1, name);
    while (st.step())
        result.append(st.column(0).toString());
    return result;
}

void Database::createTable(const TableDef &def)
{
    QStringList cols;
    for (const FieldDef &f : def.fields)
        cols.append(quoted(f.name) + QLatin1Char(' ') + declForType(f.type));
    run(handle(), QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(def.sqlName()), cols.join(QStringLiteral(", "))));
}

void Database::addIndex(const QString &table, const IndexDef &index)
{
    const QString name = storedTableName(table);
    if (name.isEmpty())
        throw EngineError(QStringLiteral("Tabela não encontrada: %1").arg(table));
    const TableDef *def = tableDef(name);
    // SQLite would index a quoted unknown name as a constant; the engine refuses it instead.
    const QStringList stored = columns(name);
    for (const QString &f : index.fields)
        if (!stored.contains(f.trimmed(), Qt::CaseInsensitive))
            throw EngineError(QStringLiteral("Campo %1 não existe na tabela %2.").arg(f.trimmed(), name));
    QStringList cols;
    for (const QString &f : index.fields) {
        QString col = quoted(f.trimmed());
        const FieldDef *fd = def ? def->field(f.trimmed()) : nullptr;
        if (index.caseInsensitive && (!fd || fd->type == FieldType::String))
            col += QStringLiteral(" COLLATE ") + QLatin1String(kStoredNoCaseCollation);
        cols.append(col);
    }
    const QString sql = QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                            .arg(index.isPrimary() ? QStringLiteral("UNIQUE ") : QString(),
                                 quoted(storedIndexName(name, index)), quoted(name), cols.join(QStringLiteral(", ")));
    run(handle(), sql);
}

void Database::deletePrimaryIndex(const QString &table)
{
    deleteIndex(table, QString());
}

void Database::deleteIndex(const QString &table, const QString &indexName)
{
    const QString name = storedTableName(table);
    if (name.isEmpty())
        throw EngineError(QStringLiteral("Tabela não encontrada: %1").arg(table));
    IndexDef idx;
    idx.name = indexName;
    run(handle(), QStringLiteral("DROP INDEX %1").arg(quoted(storedIndexName(name, idx))));
}

QList<IndexDef> Database::indexes(const QString &table) const
{
    const QString name = storedTableName(table);
    QList<IndexDef> result;
    if (name.isEmpty())
        return result;
    const QString prefix = name + QLatin1Char('$');
    Statement list(handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ? "
                                            "AND sql IS NOT NULL ORDER BY name"));
    list.bind(1, name);
    while (list.step()) {
        const QString stored = list.column(0).toString();
        IndexDef idx;
        const QString suffix = stored.startsWith(prefix, Qt::CaseInsensitive) ? stored.mid(prefix.size()) : stored;
        idx.name = suffix == QLatin1String("PK") ? QString() : suffix;
        Statement info(handle(), QStringLiteral("SELECT name, coll FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno"));
        info.bind(1, stored);
        while (info.step()) {
            idx.fields.append(info.column(0).toString());
            // The earlier version stored the program's own collation; such an index is read the
            // same until it is converted.
            const QString collation = info.column(1).toString();
            if (collation.compare(QLatin1String(kStoredNoCaseCollation), Qt::CaseInsensitive) == 0
                || collation.compare(QLatin1String(kNameCollation), Qt::CaseInsensitive) == 0)
                idx.caseInsensitive = true;
        }
        if (idx.isPrimary())
            result.prepend(idx);
        else
            result.append(idx);
    }
    return result;
}

int Database::convertStoredCollations()
{
    struct Stored {
        QString name;
        QString sql;
    };
    QList<Stored> legacy;
    {
        // LIKE ignores ASCII case, as SQLite does for collation names.
        Statement list(handle(), QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' "
                                                "AND sql IS NOT NULL AND sql LIKE ?"));
        list.bind(1, QStringLiteral("%%1%").arg(QLatin1String(kNameCollation)));
        while (list.step())
            legacy.append({list.column(0).toString(), list.column(1).toString()});
    }
    if (legacy.isEmpty())
        return 0;
    static const QRegularExpression collation(
        QStringLiteral("COLLATE\\s+([\"'`\\[]?)%1[\"'`\\]]?").arg(QLatin1String(kNameCollation)),
        QRegularExpression::CaseInsensitiveOption);
    Transaction transaction(*this);
    for (const Stored &index : std::as_const(legacy)) {
        QString sql = index.sql;
        sql.replace(collation, QStringLiteral("COLLATE ") + QLatin1String(kStoredNoCaseCollation));
        run(handle(), QStringLiteral("DROP INDEX %1").arg(quoted(index.name)));
        run(handle(), sql);
    }
    transaction.commit();
    return int(legacy.size());
}

} // namespace zef
