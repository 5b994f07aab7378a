#pragma once

#include "engine/database.h"
#include "import/previous_tables.h"

namespace zef {

// An earlier installation of this program: its database file in the folder, opened with the
// table password on a connection of its own and only read.
class OwnDatabaseTables final : public PreviousTables
{
public:
    explicit OwnDatabaseTables(const QString &folder);

    QList<QVariantList> rows(const QString &table, const QStringList &columns) override;

private:
    Database m_db;
};

} // namespace zef
