#pragma once

// A data module over a fresh installation, with scripted dialogs and fake windows, for the
// tests of the record rules.

#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/field_edit.h"
#include "data/scripted_dialogs.h"
#include "data/window_links.h"
#include "engine/query.h"
#include "tests/support/fresh_install.h"

#include <QDate>
#include <QHash>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtTest>

#include <memory>
#include <utility>

namespace zef::fixture {

inline const QString kYear = QStringLiteral("2025");
inline const QString kTaxpayer = QStringLiteral("290000017");   // a valid registration of Vardelo
inline const QString kVardelopolis = QStringLiteral("1721000"); // municipalities of Vardelo
inline const QString kAldeia = QStringLiteral("1702356");
inline const QString kBarraDOuro = QStringLiteral("1708650");    // BARRA D'OURO
inline const QString kOlhoDAgua = QStringLiteral("1759802");     // OLHO D'ÁGUA
inline const QString kAriquemes = QStringLiteral("1100023");     // a municipality of another state

inline QDate d(int day, int month, int year)
{
    return QDate(year, month, day);
}

// Records the button states a window was given.
class ButtonLog
{
public:
    QList<bool> states;
};

class FakeHeader final : public HeaderWindow, public ButtonLog
{
public:
    DomicileAnswer answer = DomicileAnswer::Nao;
    bool simples = false;
    // The domicile display: start and end dates shown per letter.
    QHash<QChar, std::pair<QString, QString>> display;
    PlainFieldEdit periodStart{QStringLiteral("  /  /    ")};
    PlainFieldEdit periodEnd{QStringLiteral("  /  /    ")};
    int refills = 0;

    DomicileAnswer domicileAnswer() const override { return answer; }
    bool simplesSelected() const override { return simples; }
    QString domicileStart(QChar letter) const override { return display.value(letter).first; }
    QString domicileEnd(QChar letter) const override { return display.value(letter).second; }
    FieldEdit &periodStartEdit() override { return periodStart; }
    FieldEdit &periodEndEdit() override { return periodEnd; }
    void refillDomicileDisplay() override { ++refills; }
    void HabilitaBotoes(bool editing) override { states.append(editing); }
};

class FakeDomicileWindow final : public DomicileWindow, public ButtonLog
{
public:
    PlainFieldEdit start;
    PlainFieldEdit end;

    FieldEdit &startDateEdit() override { return start; }
    FieldEdit &endDateEdit() override { return end; }
    void HabilitaBotoes(bool editing) override { states.append(editing); }
};

class FakeEditor final : public SectionEditor, public ButtonLog
{
public:
    FakeEditor(Database &db, const QString &table)
        : list(db, QStringLiteral("select * from %1 where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa").arg(table))
    {
        list.afterOpen = [this](Dataset &) {
            ++reopened;
            params = {list.param(QStringLiteral("AnoBase")).toString(), list.param(QStringLiteral("CGCEmpresa")).toString()};
        };
    }

    Query list;
    int reopened = 0;
    std::pair<QString, QString> params;
    int selectedColumn = -1;
    PlainFieldEdit state;
    PlainFieldEdit registration;

    Query &listQuery() override { return list; }
    void selectGridColumn(int index) override { selectedColumn = index; }
    FieldEdit *stateEdit() override { return &state; }
    FieldEdit *registrationEdit() override { return &registration; }
    void HabilitaBotoes(bool editing) override { states.append(editing); }
};

class FakeWindow final : public EditingWindow, public ButtonLog
{
public:
    void HabilitaBotoes(bool editing) override { states.append(editing); }
};

// A fresh installation with its data module started.
class DataModuleFixture : public testsupport::DataModuleInstall
{
public:

    // Stores a row as the editors' insert buffers and the import do, past the data module's rules.
    void insertRow(const QString &table, const QVariantMap &values)
    {
        QStringList columns, marks;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            columns.append(it.key());
            marks.append(QLatin1Char(':') + it.key());
        }
        exec(QStringLiteral("insert into %1 (%2) values (%3)")
                 .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
             values);
    }

    // A declaration with its taxpayer; statusDRF "S" when the domicile moved.
    void addDeclaration(const QString &year = kYear, const QString &taxpayer = kTaxpayer,
                        const QString &statusDRF = QStringLiteral("N"), const QString &regime = QStringLiteral("3"),
                        const QString &municipality = kVardelopolis)
    {
        if (value(QStringLiteral("select count(*) from Empresa where InscricaoEmpresa = :i"), {{QStringLiteral("i"), taxpayer}})
                .toInt()
            == 0)
            insertRow(QStringLiteral("Empresa"), {{QStringLiteral("InscricaoEmpresa"), taxpayer},
                                                  {QStringLiteral("CGCEmpresa"), QStringLiteral("11222333000181")},
                                                  {QStringLiteral("RazaoSocial"), QStringLiteral("D'ÁVILA COMÉRCIO LTDA")},
                                                  {QStringLiteral("CodigoMunicipio"), municipality},
                                                  {QStringLiteral("UF"), QStringLiteral("VD")}});
        insertRow(QStringLiteral("Zef"), {{QStringLiteral("AnoBase"), year},
                                          {QStringLiteral("CGCEmpresa"), taxpayer},
                                          {QStringLiteral("CodigoMunicipio"), municipality},
                                          {QStringLiteral("RegimeApuracao"), regime},
                                          {QStringLiteral("TipoEscrita"), QStringLiteral("1")},
                                          {QStringLiteral("Finalidade"), QStringLiteral("1")},
                                          {QStringLiteral("TipoEstabelecimento"), QStringLiteral("1")},
                                          {QStringLiteral("Retificacao"), QStringLiteral("N")},
                                          {QStringLiteral("StatusDRF"), statusDRF}});
    }

    void addDomicile(const QString &letter, const QString &municipality, const QDate &start, const QDate &end,
                     const QString &year = kYear, const QString &taxpayer = kTaxpayer)
    {
        insertRow(QStringLiteral("ZefMunAnterior"), {{QStringLiteral("AnoBase"), year},
                                                     {QStringLiteral("CGCEmpresa"), taxpayer},
                                                     {QStringLiteral("TipoDomicilio"), letter},
                                                     {QStringLiteral("CodMunicipioAnt"), municipality},
                                                     {QStringLiteral("DataDRFAntI"), start},
                                                     {QStringLiteral("DataDRFAntF"), end}});
    }

    // Makes the declaration current in tbZEF.
    void openDeclaration(const QString &year = kYear, const QString &taxpayer = kTaxpayer)
    {
        dm->tbZEF.open();
        QVERIFY(dm->tbZEF.findKey({year, taxpayer}));
    }

    QDate stampOf(const QString &year = kYear, const QString &taxpayer = kTaxpayer)
    {
        return value(QStringLiteral("select DataDeclaracao from Zef where AnoBase = :a and CGCEmpresa = :c"),
                     {{QStringLiteral("a"), year}, {QStringLiteral("c"), taxpayer}})
            .toDate();
    }

    void clearStamp()
    {
        exec(QStringLiteral("update Zef set DataDeclaracao = NULL"));
    }
};

// Runs a store and tells whether a rule abandoned it.
template <typename F>
bool abandoned(F &&store)
{
    try {
        store();
    } catch (const SilentAbort &) {
        return true;
    }
    return false;
}

} // namespace zef::fixture
