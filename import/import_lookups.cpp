#include "import/import_lookups.h"

#include "data/declaration_key.h"
#include "data/lookups.h"
#include "engine/database.h"
#include "engine/query.h"

namespace zef {
namespace {

// Entries kept per look-up before the cache starts over.
constexpr qsizetype kMaxCached = 4096;

int count(Database &db, const QString &sql, const QString &value)
{
    Query q(db, sql);
    q.setParam(QStringLiteral("Valor"), value);
    return q.scalar().toInt();
}

} // namespace

template <typename T, typename F>
T ImportLookups::cached(QHash<QString, T> &cache, const QString &key, F &&lookup)
{
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() >= kMaxCached)
        cache.clear();
    T value = lookup();
    cache.insert(key, value);
    return value;
}

std::optional<QString> ImportLookups::razaoSocial(const QString &inscricao)
{
    return cached(m_empresas, inscricao, [&]() -> std::optional<QString> {
        Query q(m_db, QStringLiteral("Select RazaoSocial from Empresa where InscricaoEmpresa = :Valor"));
        q.setParam(QStringLiteral("Valor"), inscricao);
        q.open();
        if (q.isEmpty())
            return std::nullopt;
        return q.fieldByName(QStringLiteral("RazaoSocial"))->asString();
    });
}

bool ImportLookups::existeMunicipio(const QString &code)
{
    return cached(m_municipios, code, [&] { return ExisteMunicipio(m_db, code); });
}

bool ImportLookups::existeAtividade(const QString &code)
{
    return cached(m_atividades, code, [&] { return ExisteAtividade(m_db, code); });
}

bool ImportLookups::exigeItem07(const QString &year, const QString &code)
{
    // The year's length leads the key, so no year and code can pass for another pair.
    const QString key = QString::number(year.size()) + u':' + year + code;
    return cached(m_item07, key, [&] { return ExigeItem07(m_db, year, code); });
}

bool ImportLookups::existeContador(const QString &cpf)
{
    return cached(m_contadores, cpf, [&] {
        return count(m_db, QStringLiteral("Select count(*) from Contador where CPFContador = :Valor"), cpf) > 0;
    });
}

bool ImportLookups::existeCodigoCFOP(const QString &code)
{
    return cached(m_cfops, code, [&] {
        return count(m_db, QStringLiteral("Select count(*) from cfop where CFOPCod = :Valor"), code) > 0;
    });
}

bool ImportLookups::existeDeclaracao(const QString &year, const QString &inscricao)
{
    Query q(m_db, QStringLiteral("Select count(*) from zef where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"));
    bindKey(q, {year, inscricao});
    return q.scalar().toInt() > 0;
}

} // namespace zef
