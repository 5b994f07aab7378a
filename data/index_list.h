#pragma once

#include "engine/table_def.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zef {

// One entry of the index list "Zef.ini": the index of one table that the index rebuild recreates.
// An empty index name stands for the table's primary key.
struct IndexListEntry {
    QString table;      // table file name, "Zef.DB"
    QString index;      // empty for the primary key
    QStringList fields;

    bool operator==(const IndexListEntry &) const = default;
};

// The index list file's text for these tables: an INI file with the sections "Tabelas",
// "Indices" and "Campos", keyed by the entry number written with three digits ("001", ...), and
// the entry count under "Indices"/"Total". Entries of one table stand together, the primary key
// first.
QString indexListText(const QList<TableDef> &tables);

// A table's indexes with its primary key first, the order they are created in.
QList<IndexDef> primaryFirst(const QList<IndexDef> &indexes);

// Writes that text to path through a temporary file renamed into place, so a failure never
// leaves a half-written list. Throws EngineError naming the file on failure.
void writeIndexList(const QString &path, const QList<TableDef> &tables);

// The entries of the index list at path, values trimmed. A missing file, or one without
// "Indices"/"Total", has no entries.
QList<IndexListEntry> readIndexList(const QString &path);

// The same from the file's text.
QList<IndexListEntry> parseIndexList(const QString &text);

} // namespace zef
