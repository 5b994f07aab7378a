#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

namespace zef {

// The tables of an earlier installation, read-only. Each table is read whole, in the order of
// its primary key, and only the columns asked for come back, in the order asked. Column and
// table names are matched without regard to case. Every failure (a missing table or column, a
// file that cannot be read) is an EngineError naming the table.
class PreviousTables
{
public:
    virtual ~PreviousTables() = default;

    // table: the name as the program spells it ("Empresa.DB").
    virtual QList<QVariantList> rows(const QString &table, const QStringList &columns) = 0;
};

// Messages of the readers: the table's file or name where the earlier installation keeps it.
QString textoTabelaNaoEncontrada(const QString &where);
QString textoCampoNaoEncontrado(const QString &where, const QString &column);

// The earlier installation in folder: this program's own database when the folder holds one,
// otherwise its Paradox tables. Throws EngineError when the folder does not exist.
std::unique_ptr<PreviousTables> openPreviousTables(const QString &folder);

} // namespace zef
