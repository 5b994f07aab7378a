#include "tests/support/fresh_install.h"

#include "data/catalogue.h"
#include "data/data_module.h"
#include "data/database_setup.h"
#include "engine/database.h"
#include "engine/query.h"

#include <QDir>

namespace zef::testsupport {

namespace {

template<class Statement>
void bindAll(Statement &q, const QVariantMap &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        q.setParam(it.key(), it.value());
}

} // namespace

FreshInstall::FreshInstall()
{
    if (!m_home.isValid())
        qFatal("no temporary folder for the installation");
    createDatabase(m_home.path());
}

QString FreshInstall::dbDir() const
{
    return QDir(m_home.path()).filePath(QString::fromLatin1(kDatabaseDir));
}

std::unique_ptr<Database> FreshInstall::connect(const QString &name) const
{
    return connect(m_home.path(), name);
}

std::unique_ptr<Database> FreshInstall::connect(const QString &home, const QString &name)
{
    auto db = std::make_unique<Database>(name);
    db->addPassword(QString::fromLatin1(kTablePassword));
    db->setParam(QStringLiteral("PATH"), QDir(home).filePath(QString::fromLatin1(kDatabaseDir)));
    db->setCatalogue(tableCatalogue());
    db->connect();
    return db;
}

DataModuleInstall::DataModuleInstall()
{
    dm = std::make_unique<TfDmDados>(dialogs, m_install.home());
    dm->DataModuleCreate();
}

DataModuleInstall::~DataModuleInstall() = default;

Database &DataModuleInstall::db()
{
    return dm->dtbBaseDados;
}

int DataModuleInstall::exec(const QString &sql, const QVariantMap &values)
{
    Query q(db(), sql);
    bindAll(q, values);
    return q.execSql();
}

QVariant DataModuleInstall::value(const QString &sql, const QVariantMap &values)
{
    Query q(db(), sql);
    bindAll(q, values);
    return q.scalar();
}

} // namespace zef::testsupport
