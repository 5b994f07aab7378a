#pragma once

#include "engine/table_def.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

struct sqlite3;

namespace zef {

// The database object: one SQLite file in the folder given by the parameter "PATH".
// Table names are matched without regard to case and with or without their extension
// ("Municip.DB", "municip").
class Database
{
public:
    static constexpr auto kFileName = "zef2026.sqlite";
    // How long a statement waits for a lock another program holds before it fails.
    static constexpr int kLockWaitMs = 30000;

    explicit Database(const QString &name = QStringLiteral("pathZEF"));
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QString name() const { return m_name; }

    // Parameters as the program sets them ("PATH"); the folder is the one that holds the file.
    void setParam(const QString &key, const QString &value);
    QString param(const QString &key) const;
    QString filePath() const;

    // The table password registered before connecting. A database carrying a password
    // refuses to connect unless that password was registered.
    void addPassword(const QString &password);

    // Table definitions the engine builds datasets from.
    void setCatalogue(const QList<TableDef> &tables);
    const TableDef *tableDef(const QString &name) const;   // null when unknown
    const QList<TableDef> &catalogue() const { return m_tables; }

    // create == true makes a new empty file (the folder must exist) and stamps the
    // registered password on it. A file of 0 bytes, or one that is not this program's
    // database, is refused with a message saying so.
    void connect(bool create = false);
    void disconnect();
    bool connected() const;

    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    // The wait for another program's lock, in milliseconds (kLockWaitMs unless set; read when
    // connecting), and who hears when a statement starts waiting (true) and when it is over
    // (false): the windows show the hourglass meanwhile.
    void setLockWait(int milliseconds) { m_lockWaitMs = milliseconds; }
    int lockWait() const { return m_lockWaitMs; }
    std::function<void(bool waiting)> onLockWait;

    // Rewrites, in one transaction, the indexes of a database made by the earlier version, whose
    // stored schema names the program's own collation (no other SQLite tool could check or change
    // it), to SQLite's built-in one. Returns how many indexes were rewritten; 0 for a database
    // that needs nothing.
    int convertStoredCollations();

    // Schema work: tables and indexes of the catalogue.
    void createTable(const TableDef &def);
    void addIndex(const QString &table, const IndexDef &index);
    void deletePrimaryIndex(const QString &table);
    void deleteIndex(const QString &table, const QString &indexName);
    QList<IndexDef> indexes(const QString &table) const;
    QStringList columns(const QString &table) const;
    bool tableExists(const QString &table) const;
    QString storedTableName(const QString &table) const;   // as stored, or empty

    // For the engine's own classes.
    QSqlDatabase sql() const;
    sqlite3 *handle() const;
    QString connectionName() const { return m_connection; }

private:
    void requireConnected() const;
    void requireOwnDatabase(sqlite3 *h, const QString &file);

    QString m_name;
    QString m_connection;
    QHash<QString, QString> m_params;
    QStringList m_passwords;
    QList<TableDef> m_tables;
    bool m_inTransaction = false;
    int m_lockWaitMs = kLockWaitMs;
};

// Index names as stored: "<table>$PK" for the primary key, "<table>$<name>" otherwise.
QString storedIndexName(const QString &table, const IndexDef &index);

} // namespace zef
