#pragma once

// A fresh installation in a temporary folder, with helpers that store declarations row by row
// through bound statements, as the program's editors would leave them.

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "engine/database.h"
#include "engine/statement.h"
#include "tests/support/fresh_install.h"

#include <QDate>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>

#include <memory>

namespace zef::testing {

using namespace Qt::StringLiterals;

inline constexpr auto kYear = u"2025";
inline constexpr auto kIE = u"123456789";
inline constexpr auto kCPF = u"11122233396";
// Registered, and not among the activities that oblige item 07.
inline constexpr auto kActivity = u"0111302";
// Obliges item 07 from 2025 on.
inline constexpr auto kActivityItem07 = u"0111301";

class DeclarationFixture
{
public:
    DeclarationFixture() : m_db(m_install.connect(u"tstExport"_s)) {}

    Database &db() { return *m_db; }
    QString home() const { return m_install.home(); }

    // Stores one row; an empty text is stored as the engine stores it, as null.
    void insert(const QString &table, const QVariantMap &values)
    {
        QStringList columns;
        QStringList marks;
        QVariantList bound;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            columns.append(u"\""_s + it.key() + u"\""_s);
            marks.append(u"?"_s);
            const QVariant &v = it.value();
            bound.append(v.typeId() == QMetaType::QString && v.toString().isEmpty() ? QVariant() : v);
        }
        Statement st(m_db->handle(), u"INSERT INTO \"%1\" (%2) VALUES (%3)"_s.arg(table, columns.join(u", "_s),
                                                                                 marks.join(u", "_s)));
        st.bindAll(bound);
        while (st.step()) {
        }
    }

    void execute(const QString &sql)
    {
        Statement st(m_db->handle(), sql);
        while (st.step()) {
        }
    }

    void addContador(const QString &cpf = QString::fromUtf16(kCPF))
    {
        insert(u"Contador"_s, {{u"CPFContador"_s, cpf}, {u"NomeContador"_s, u"CONTADOR DE TESTE"_s}});
    }

    void addEmpresa(const QString &ie, const QString &razao, const QString &senha = u"S3nh"_s)
    {
        insert(u"Empresa"_s, {{u"InscricaoEmpresa"_s, ie},
                              {u"CGCEmpresa"_s, u"12345678000195"_s},
                              {u"RazaoSocial"_s, razao},
                              {u"CodigoMunicipio"_s, u"1700251"_s},
                              {u"UF"_s, u"VD"_s},
                              {u"Senha"_s, senha}});
    }

    // A declaration header that passes every check: registered accountant, known activity that does
    // not oblige item 07, no change of domicile, its current domicile stored. The overrides replace
    // columns of Zef.DB.
    void addDeclaracao(const QString &ie = QString::fromUtf16(kIE), const QVariantMap &overrides = {},
                       const QString &year = QString::fromUtf16(kYear), bool withDomicile = true)
    {
        if (!m_contadorAdded) {
            addContador();
            m_contadorAdded = true;
        }
        QVariantMap zef{{u"AnoBase"_s, year},
                        {u"CGCEmpresa"_s, ie},
                        {u"CodigoAtividade"_s, QString::fromUtf16(kActivity)},
                        {u"CodigoMunicipio"_s, u"1700251"_s},
                        {u"RegimeApuracao"_s, u"3"_s},
                        {u"TipoEscrita"_s, u"1"_s},
                        {u"Finalidade"_s, u"1"_s},
                        {u"PeriodoRefInicio"_s, QDate(2025, 1, 1)},
                        {u"PeriodoRefFinal"_s, QDate(2025, 12, 31)},
                        {u"CPFContador"_s, QString::fromUtf16(kCPF)},
                        {u"TipoEstabelecimento"_s, u"1"_s},
                        {u"Responsavel"_s, u"MARIA DA SILVA"_s},
                        {u"Retificacao"_s, u"N"_s},
                        {u"VlrCaixaI"_s, 1500.25},
                        {u"VlrCCaixaI"_s, 2000.0},
                        {u"VlrPatrimLiq"_s, 350000.0},
                        {u"StatusDRF"_s, u"N"_s}};
        for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
            zef.insert(it.key(), it.value());
        insert(u"Zef"_s, zef);
        if (withDomicile)
            addDomicilio(ie, u"A"_s, year);
    }

    void addDomicilio(const QString &ie, const QString &letter, const QString &year = QString::fromUtf16(kYear),
                      const QString &municipio = u"1700251"_s)
    {
        insert(u"ZefMunAnterior"_s, {{u"AnoBase"_s, year},
                                     {u"CGCEmpresa"_s, ie},
                                     {u"DataDRFAntI"_s, QDate(2025, 1, 1)},
                                     {u"DataDRFAntF"_s, QDate(2025, 12, 31)},
                                     {u"CodMunicipioAnt"_s, municipio},
                                     {u"TipoDomicilio"_s, letter}});
    }

    // A section row of the declaration: the key, the current domicile, then the values.
    void addLinha(const QString &table, const QVariantMap &values, const QString &ie = QString::fromUtf16(kIE),
                  const QString &year = QString::fromUtf16(kYear))
    {
        QVariantMap row{{u"AnoBase"_s, year}, {u"CGCEmpresa"_s, ie}, {u"TipoDomicilio"_s, u"A"_s}};
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            row.insert(it.key(), it.value());
        insert(table, row);
    }

private:
    testsupport::FreshInstall m_install;
    std::unique_ptr<Database> m_db;
    bool m_contadorAdded = false;
};

} // namespace zef::testing
