#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace zef {

class Database;

// The registers and reference tables the import checks every line against. The import reads them
// thousands of times while nothing changes them, so each answer is kept for the rest of the run
// (within a bound: a file of endless different codes must not fill the memory).
class ImportLookups
{
public:
    explicit ImportLookups(Database &db) : m_db(db) {}

    // `RazaoSocial` of the taxpayer with that registration number; none when there is no such
    // taxpayer (an empty name when the row has none).
    std::optional<QString> razaoSocial(const QString &inscricao);
    bool existeMunicipio(const QString &code);                  // ExisteMunicipio
    bool existeAtividade(const QString &code);                  // ExisteAtividade
    bool exigeItem07(const QString &year, const QString &code); // ExigeItem07
    bool existeContador(const QString &cpf);
    bool existeCodigoCFOP(const QString &code);                 // ExisteCodigoCFOP
    // Not kept: the import itself adds declarations.
    bool existeDeclaracao(const QString &year, const QString &inscricao);

private:
    template <typename T, typename F>
    T cached(QHash<QString, T> &cache, const QString &key, F &&lookup);

    Database &m_db;
    QHash<QString, std::optional<QString>> m_empresas;
    QHash<QString, bool> m_municipios;
    QHash<QString, bool> m_atividades;
    QHash<QString, bool> m_item07;
    QHash<QString, bool> m_contadores;
    QHash<QString, bool> m_cfops;
};

} // namespace zef
