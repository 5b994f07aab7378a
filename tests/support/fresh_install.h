#pragma once

// A new installation for the tests: the database with every table and the reference data in a
// temporary folder, and the program's data module started over it with scripted dialogs.

#include "data/scripted_dialogs.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantMap>

#include <memory>

namespace zef {
class Database;
class TfDmDados;
}

namespace zef::testsupport {

class FreshInstall
{
public:
    FreshInstall();

    QString home() const { return m_home.path(); }
    QString dbDir() const;

    // A connection of its own to the installation's database.
    std::unique_ptr<Database> connect(const QString &name = QStringLiteral("pathZEF")) const;
    static std::unique_ptr<Database> connect(const QString &home, const QString &name);

private:
    QTemporaryDir m_home;
};

class DataModuleInstall
{
public:
    DataModuleInstall();
    ~DataModuleInstall();
    DataModuleInstall(const DataModuleInstall &) = delete;
    DataModuleInstall &operator=(const DataModuleInstall &) = delete;

    QString home() const { return m_install.home(); }
    Database &db();

    // Runs a statement with its values bound by name; the number of rows it changed.
    int exec(const QString &sql, const QVariantMap &values = {});
    // The first column of the first row of a select.
    QVariant value(const QString &sql, const QVariantMap &values = {});

private:
    FreshInstall m_install;   // outlives the data module over it

public:
    ScriptedDialogs dialogs;
    std::unique_ptr<TfDmDados> dm;
};

} // namespace zef::testsupport
