#include "import/own_database_tables.h"

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "engine/engine_error.h"
#include "engine/table.h"

#include <QDir>

namespace zef {

OwnDatabaseTables::OwnDatabaseTables(const QString &folder) : m_db(QStringLiteral("anterior"))
{
    m_db.addPassword(QString::fromLatin1(kTablePassword));
    m_db.setParam(QStringLiteral("PATH"), folder);
    m_db.setCatalogue(tableCatalogue());
    m_db.connect();
}

QList<QVariantList> OwnDatabaseTables::rows(const QString &table, const QStringList &columns)
{
    const QString where = QDir(m_db.param(QStringLiteral("PATH"))).filePath(table);
    if (!m_db.tableExists(table))
        throw EngineError(textoTabelaNaoEncontrada(where));

    // A table of the engine opens in the order of its primary key when no index is chosen.
    Table source(m_db, table);
    source.setReadOnly(true);
    source.open();
    QList<Field *> fields;
    for (const QString &column : columns) {
        Field *f = source.findField(column);
        if (!f || f->kind() != FieldKind::Data)
            throw EngineError(textoCampoNaoEncontrado(where, column));
        fields.append(f);
    }
    QList<QVariantList> out;
    out.reserve(source.recordCount());
    for (source.first(); !source.eof(); source.next()) {
        QVariantList values;
        values.reserve(fields.size());
        for (const Field *f : std::as_const(fields))
            values.append(f->value());
        out.append(values);
    }
    return out;
}

} // namespace zef
