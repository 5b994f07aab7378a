#pragma once

#include "import/previous_tables.h"

namespace zef {

// The earlier Windows installation: Paradox tables (`Empresa.DB`, ...) in the folder, read
// through pxlib. File names are matched without regard to case; text is Windows-1252 and
// comes back as Unicode; tables protected with a password are read as pxlib decodes them.
// Keyed tables come back in the order of their key, others in the order stored.
class ParadoxTables final : public PreviousTables
{
public:
    explicit ParadoxTables(const QString &folder);

    QList<QVariantList> rows(const QString &table, const QStringList &columns) override;

private:
    QString filePath(const QString &table) const;

    QString m_folder;
};

} // namespace zef
