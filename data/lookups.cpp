#include "data/lookups.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/query.h"

namespace zef {
namespace {

int countOf(Database &db, const QString &sql, const QVariantList &values)
{
    Query q(db, sql);
    for (int i = 0; i < values.size(); ++i)
        q.setParam(QStringLiteral("p%1").arg(i), values.at(i));
    return q.scalar().toInt();
}

} // namespace

bool ExisteCampo(Database &db, const QString &table, const QString &column)
{
    // The table name is one of the program's own; it still has to name a stored table
    // before it goes into the statement.
    const QString stored = db.storedTableName(table);
    if (stored.isEmpty())
        throw EngineError(QStringLiteral("Tabela não encontrada: %1").arg(table));
    Query q(db, QStringLiteral("Select * from \"%1\" where AnoBase = ' and cgcempresa = '").arg(stored));
    q.open();
    const QString wanted = column.toLower();
    for (const Field *f : q.fields())
        if (f->fieldName().toLower() == wanted)
            return true;
    return false;
}

bool ExisteAtividade(Database &db, const QString &code)
{
    return countOf(db, QStringLiteral("select count(*) from atividades20 where cdatividade = :p0"), {code}) > 0;
}

bool ExisteMunicipio(Database &db, const QString &code)
{
    Query q(db, QStringLiteral("Select Codigo from Municip where Codigo = :p0"));
    q.setParam(QStringLiteral("p0"), code);
    q.open();
    return q.recordCount() == 1;
}

bool ExisteCFOP(Database &db, const QString &code, const QString &type)
{
    return countOf(db, QStringLiteral("Select count(*) from cfop where CFOPCod = :p0  and CFOPTipo = :p1"),
                   {code, type})
        == 1;
}

bool ExisteCNAE11(Database &db, const QString &code)
{
    return countOf(db, QStringLiteral("select count(*) from CNAE11 where cnae = :p0"), {code}) > 0;
}

QString grupoAnoBaseCampo7(const QString &baseYear)
{
    // Four-digit texts compare like the years they spell.
    if (baseYear >= QLatin1String("2025"))
        return QStringLiteral("2025");
    if (baseYear >= QLatin1String("2019"))
        return QStringLiteral("2019");
    if (baseYear >= QLatin1String("2015"))
        return QStringLiteral("2015");
    if (baseYear == QLatin1String("2014"))
        return QStringLiteral("2014");
    if (baseYear == QLatin1String("2013"))
        return QStringLiteral("2013");
    return QStringLiteral("2012");
}

bool ExigeItem07(Database &db, const QString &baseYear, const QString &activity)
{
    return countOf(db, QStringLiteral("select count(*) from AnoBaseCampo7 where cnae = :p0 and AnoBase = :p1"),
                   {activity, grupoAnoBaseCampo7(baseYear)})
        > 0;
}

} // namespace zef
