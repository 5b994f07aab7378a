// Record rules of the section tables (items 03 to 09): refused inserts, required columns,
// state codes, duplicates, CFOP codes, municipalities, suppliers and invoices, stock, the
// refresh of the open editor, the stamp, and texts with apostrophes.

#include "data/record_routines.h"
#include "data_module_fixture.h"

#include <QLocale>
#include <QtTest>

using namespace zef;
using namespace zef::fixture;

namespace {

const QString kOtherTaxpayer = QStringLiteral("290000025");
const QString kSupplier = QStringLiteral("290000033");

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// The declaration key plus the columns given.
QVariantMap line(const QVariantMap &columns, const QString &taxpayer = kTaxpayer, const QString &year = kYear)
{
    QVariantMap values = columns;
    values.insert(s("AnoBase"), year);
    values.insert(s("CGCEmpresa"), taxpayer);
    return values;
}

// The columns with one of them changed.
QVariantMap with(QVariantMap columns, const char *column, const QVariant &value)
{
    columns.insert(QString::fromUtf8(column), value);
    return columns;
}

QVariantMap compras(const char *type = "01 - COMPRAS", const char *domicile = "A")
{
    return {{s("TipoEntradas"), s(type)}, {s("TipoRegime"), s("A")}, {s("TipoDomicilio"), s(domicile)},
            {s("CodMunicipio"), kVardelopolis}};
}

QVariantMap vendas()
{
    return {{s("TipoVendas"), s("01 - VENDAS")}, {s("Tiporegime"), s("A")}, {s("TipoDomicilio"), s("A")},
            {s("CodMunicipio"), kVardelopolis}};
}

QVariantMap entrada(const char *state = "SP", const char *regime = "A")
{
    return {{s("UFEntrada"), s(state)}, {s("TipoRegime"), s(regime)}, {s("TipoDomicilio"), s("A")},
            {s("CodMunicipio"), kVardelopolis}, {s("VlrContabilEntrada"), 10.0}, {s("BaseCalculoEntrada"), 10.0}};
}

QVariantMap saidas(const char *state = "SP", const char *regime = "A")
{
    return {{s("UF"), s(state)}, {s("TipoRegime"), s(regime)}, {s("TipoDomicilio"), s("A")},
            {s("Codmunicipio"), kVardelopolis}, {s("VlrContSaidaContrib"), 10.0}, {s("BaseCalcSaidaContrib"), 10.0}};
}

QVariantMap cfop(int code = 1949, const char *direction = "E")
{
    return {{s("TipoEntSai"), s(direction)}, {s("CFOP"), code}, {s("TipoDomicilio"), s("A")},
            {s("CodMunicipio"), kVardelopolis}};
}

QVariantMap saidasMun(const QString &municipality = kAldeia)
{
    return {{s("TipoRegime"), s("A")}, {s("MunicipioID"), municipality}, {s("TipoDomicilio"), s("A")},
            {s("CodMunicipio"), kVardelopolis}, {s("VlrContabil"), 30.0}, {s("Devolucoes"), 12.5}};
}

QVariantMap prodDif(const QString &supplier = kSupplier, const char *domicile = "A", const char *regime = "A")
{
    return {{s("IEOrigem"), supplier}, {s("TipoRegime"), s(regime)}, {s("MunicipioID"), kAldeia},
            {s("TipoDomicilio"), s(domicile)}, {s("CodMunicipio"), kVardelopolis}};
}

} // namespace

class TestRulesSections : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DataModuleFixture> f;
    std::unique_ptr<FakeEditor> editor;

    Table &table(const QString &name)
    {
        TfDmDados &dm = *f->dm;
        const QHash<QString, Table *> tables{
            {s("Compras"), &dm.tbCompras},        {s("Vendas"), &dm.tbVendas},
            {s("Entrada"), &dm.tbEntrada},        {s("Saidas"), &dm.tbSaida},
            {s("CFOPOperacoes"), &dm.tbCFOPOperacoes}, {s("SaidasMun"), &dm.tblSaidasMun},
            {s("ProdutosDiferidos"), &dm.tbProdDif}, {s("ProdutosDiferidosNotas"), &dm.tbProdutosDiferidosNotas},
            {s("Estoque"), &dm.tbEstoque},        {s("Operacoes"), &dm.tbOperacoesA},
            {s("ZefMunAnterior"), &dm.tbDomicilio}, {s("Zef"), &dm.tbZEF},
        };
        return *tables.value(name);
    }

    SectionEditor **editorSlot(const QString &name)
    {
        TfDmDados &dm = *f->dm;
        const QHash<QString, SectionEditor **> windowPointers{
            {s("Compras"), &dm.fCompra},         {s("Vendas"), &dm.fVendas},      {s("Entrada"), &dm.fEntradas},
            {s("Saidas"), &dm.fSaidas},          {s("CFOPOperacoes"), &dm.fCFOP}, {s("SaidasMun"), &dm.fSaidaMunic},
            {s("ProdutosDiferidos"), &dm.fProdDiferido},
        };
        return windowPointers.value(name);
    }

    FakeEditor &openEditor(const QString &name)
    {
        editor = std::make_unique<FakeEditor>(f->db(), name);
        *editorSlot(name) = editor.get();
        return *editor;
    }

    void set(Dataset &ds, const QVariantMap &values)
    {
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            ds.fieldByName(it.key())->setValue(it.value());
    }

    // Stores the line past the rules, opens the declaration and puts the line in edit.
    Table &editStored(const QString &name, const QVariantMap &columns)
    {
        f->insertRow(name, line(columns));
        f->openDeclaration();
        Table &t = table(name);
        t.open();
        t.edit();
        return t;
    }

    int rows(const QString &name)
    {
        return f->value(s("select count(*) from %1").arg(name)).toInt();
    }

    // A message box, or none.
    QStringList shown(const QString &message)
    {
        return message.isEmpty() ? QStringList() : QStringList{message};
    }

private slots:
    void initTestCase()
    {
        // CFOP codes show grouped as on the workstations that use the program.
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    }

    void init()
    {
        f = std::make_unique<DataModuleFixture>();
        f->addDeclaration();
    }

    void cleanup()
    {
        editor.reset();
        f.reset();
    }

    void sectionTablesRefuseInserts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        for (const char *name : {"Compras", "Vendas", "Entrada", "Saidas", "CFOPOperacoes", "SaidasMun", "ProdutosDiferidos"})
            QTest::newRow(name) << s(name) << true;
        for (const char *name : {"Estoque", "ZefMunAnterior"})
            QTest::newRow(name) << s(name) << false;
    }

    void sectionTablesRefuseInserts()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        f->openDeclaration();
        Table &t = table(name);
        t.open();
        QCOMPARE(abandoned([&] { t.append(); }), refused);
        QCOMPARE(t.state(), refused ? Dataset::State::Browse : Dataset::State::Insert);
        QVERIFY(f->dialogs.texts().isEmpty());
        // Editing an empty table would create a row: refused the same way.
        if (refused)
            QVERIFY(abandoned([&] { t.edit(); }));
    }

    void requiredColumns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantMap>("columns");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("message");
        QTest::newRow("Compras") << s("Compras") << compras() << s("TipoEntradas")
                                 << s("Campo 3.1 ENTRADAS E/OU AQUISIÇÕES deve ser informado!");
        QTest::newRow("Vendas") << s("Vendas") << vendas() << s("TipoVendas")
                                << s("Campo 5.1 Saídas de Mercadorias, Bens e/ou Prestações de Serviços deve ser informado!");
        QTest::newRow("Entrada") << s("Entrada") << entrada() << s("UFEntrada")
                                 << s("Campo 4.1 Entradas de Mercadorias, Bens e/ou Aquisição de Serviços deve ser informado!");
        QTest::newRow("Saidas") << s("Saidas") << saidas() << s("UF")
                                << s("Campo 6.1 Saídas de Mercadorias, Bens e/ou Prestação de Serviços deve ser informado!");
        QTest::newRow("CFOPOperacoes") << s("CFOPOperacoes") << cfop() << s("CFOP")
                                       << s("Campo 11 - Outras Entradas - por CFOP deve ser informado!");
    }

    void requiredColumns()
    {
        QFETCH(QString, name);
        QFETCH(QVariantMap, columns);
        QFETCH(QString, column);
        QFETCH(QString, message);
        Table &t = editStored(name, columns);
        t.fieldByName(column)->clear();
        QVERIFY(abandoned([&] { t.post(); }));
        QCOMPARE(f->dialogs.texts(), shown(message));
        QVERIFY(t.editing());
        QVERIFY(!f->stampOf().isValid());
    }

    void stateCodes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantMap>("columns");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("valid");
        for (const char *name : {"Entrada", "Saidas"}) {
            const bool in = QByteArray(name) == "Entrada";
            const QVariantMap columns = in ? entrada() : saidas();
            const QString column = in ? s("UFEntrada") : s("UF");
            QTest::addRow("%s VD", name) << s(name) << columns << column << s("VD") << true;
            QTest::addRow("%s EX", name) << s(name) << columns << column << s("EX") << true;
            QTest::addRow("%s lower case", name) << s(name) << columns << column << s("mg") << false;
            QTest::addRow("%s unknown", name) << s(name) << columns << column << s("XX") << false;
        }
    }

    void stateCodes()
    {
        QFETCH(QString, name);
        QFETCH(QVariantMap, columns);
        QFETCH(QString, column);
        QFETCH(QString, state);
        QFETCH(bool, valid);
        FakeEditor &ed = openEditor(name);
        Table &t = editStored(name, columns);
        t.fieldByName(column)->setAsString(state);
        QCOMPARE(abandoned([&] { t.post(); }), !valid);
        QCOMPARE(f->dialogs.texts(), shown(valid ? QString() : s("UF inválida!")));
        QCOMPARE(ed.state.focused(), !valid);
    }

    void stateLinesNeedValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<bool>("refused");
        const QString message = s("Não é possível informar a UF sem valores!");
        QTest::newRow("Entrada, only substitution")
            << s("Entrada") << QVariantMap{{s("SubsTributaria"), 0.0}, {s("VlrContabilEntrada"), 0.0}, {s("BaseCalculoEntrada"), 0.0}}
            << true;
        QTest::newRow("Entrada, other products")
            << s("Entrada")
            << QVariantMap{{s("VlrContabilEntrada"), 0.0}, {s("BaseCalculoEntrada"), 0.0}, {s("OutrosProdutosEntrada"), 1.0}}
            << false;
        QTest::newRow("Entrada, petroleum")
            << s("Entrada") << QVariantMap{{s("VlrContabilEntrada"), 0.0}, {s("BaseCalculoEntrada"), 0.0}, {s("PetroleoEnergia"), 2.0}}
            << false;
        QTest::newRow("Saidas, only substitution")
            << s("Saidas") << QVariantMap{{s("VlrContSaidaContrib"), 0.0}, {s("BaseCalcSaidaContrib"), 0.0}, {s("SubsTributaria"), 5.0}}
            << true;
        QTest::newRow("Saidas, substitution ICMS")
            << s("Saidas") << QVariantMap{{s("VlrContSaidaContrib"), 0.0}, {s("BaseCalcSaidaContrib"), 0.0}, {s("ICMSSubTribSaidas"), 1.0}}
            << false;
    }

    void stateLinesNeedValues()
    {
        QFETCH(QString, name);
        QFETCH(QVariantMap, values);
        QFETCH(bool, refused);
        Table &t = editStored(name, name == QLatin1String("Entrada") ? entrada() : saidas());
        set(t, values);
        if (name == QLatin1String("Entrada") && values.contains(s("SubsTributaria")))
            t.fieldByName(s("SubsTributaria"))->setAsFloat(10.0);   // not one of the five values
        QCOMPARE(abandoned([&] { t.post(); }), refused);
        QCOMPARE(f->dialogs.texts(), shown(refused ? s("Não é possível informar a UF sem valores!") : QString()));
    }

    void duplicatesOnInsert_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QVariantMap>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("kept");

        QTest::newRow("Compras, same line")
            << s("Compras") << compras() << compras()
            << s("Já existe uma linha para o Tipo de Entrada: 01 - COMPRAS e Regime: A!") << false;
        QTest::newRow("Compras, another domicile") << s("Compras") << compras() << compras("01 - COMPRAS", "B")
                                                   << QString() << true;
        QTest::newRow("Entrada, normal regime") << s("Entrada") << entrada() << entrada()
                                                << s("UF SP já cadastrada para o tipo de regime normal") << false;
        QTest::newRow("Entrada, micro-enterprise") << s("Entrada") << entrada("SP", "B") << entrada("SP", "B")
                                                   << s("UF SP já cadastrada para o tipo de regime microempresa") << false;
        QTest::newRow("Entrada, another state") << s("Entrada") << entrada() << entrada("MG") << QString() << true;
        QTest::newRow("Saidas, normal regime") << s("Saidas") << saidas("RJ") << saidas("RJ")
                                               << s("UF RJ já cadastrada para o tipo de regime normal") << false;
        QTest::newRow("Saidas, micro-enterprise") << s("Saidas") << saidas("RJ", "B") << saidas("RJ", "B")
                                                  << s("UF RJ já cadastrada para o tipo de regime microempresa") << false;
        QTest::newRow("CFOP, same code") << s("CFOPOperacoes") << cfop() << cfop()
                                         << s("CodMunicipio 1721000 já cadastrada para o tipo de domicílio") << false;
        QTest::newRow("CFOP, other code") << s("CFOPOperacoes") << cfop() << cfop(1554) << QString() << true;
        // A repeated municipality of origin is dropped without a word.
        QTest::newRow("SaidasMun, same municipality") << s("SaidasMun") << saidasMun() << saidasMun() << QString() << false;
        QTest::newRow("SaidasMun, other municipality") << s("SaidasMun") << saidasMun() << saidasMun(kBarraDOuro)
                                                       << QString() << true;
    }

    // The editors add lines through buffers of their own; a table that took inserts would
    // still keep a repeated line out.
    void duplicatesOnInsert()
    {
        QFETCH(QString, name);
        QFETCH(QVariantMap, stored);
        QFETCH(QVariantMap, typed);
        QFETCH(QString, message);
        QFETCH(bool, kept);
        f->insertRow(name, line(stored));
        f->openDeclaration();
        Table &t = table(name);
        t.beforeInsert = nullptr;
        t.open();
        t.append();
        set(t, typed);
        QCOMPARE(abandoned([&] { t.post(); }), !kept);
        QCOMPARE(f->dialogs.texts(), shown(message));
        // A duplicate is cancelled: the typed line is gone.
        QCOMPARE(t.state(), Dataset::State::Browse);
        QCOMPARE(rows(name), kept ? 2 : 1);
        QCOMPARE(t.recordCount(), kept ? 2 : 1);
    }

    void keyViolationGivesRegistroDuplicado_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantMap>("first");
        QTest::addColumn<QVariantMap>("second");
        QTest::addColumn<QVariantMap>("change");   // makes the second row's key the first's
        QTest::newRow("Compras") << s("Compras") << compras() << compras("01 - COMPRAS", "B")
                                 << QVariantMap{{s("TipoDomicilio"), s("A")}};
        QTest::newRow("Vendas") << s("Vendas") << vendas() << with(vendas(), "TipoDomicilio", s("B"))
                                << QVariantMap{{s("TipoDomicilio"), s("A")}};
        QTest::newRow("Entrada") << s("Entrada") << entrada() << entrada("MG") << QVariantMap{{s("UFEntrada"), s("SP")}};
        QTest::newRow("Saidas") << s("Saidas") << saidas() << saidas("MG") << QVariantMap{{s("UF"), s("SP")}};
        QTest::newRow("CFOPOperacoes") << s("CFOPOperacoes") << cfop() << cfop(1554) << QVariantMap{{s("CFOP"), 1949}};
        QTest::newRow("SaidasMun") << s("SaidasMun") << saidasMun() << saidasMun(kBarraDOuro)
                                   << QVariantMap{{s("MunicipioID"), kAldeia}};
        QTest::newRow("ProdutosDiferidos") << s("ProdutosDiferidos") << prodDif() << prodDif(kTaxpayer)
                                           << QVariantMap{{s("IEOrigem"), kSupplier}};
        QTest::newRow("Operacoes") << s("Operacoes") << QVariantMap{{s("TipoRegime"), s("B")}}
                                   << QVariantMap{{s("TipoRegime"), s("A")}} << QVariantMap{{s("TipoRegime"), s("B")}};
    }

    void keyViolationGivesRegistroDuplicado()
    {
        QFETCH(QString, name);
        QFETCH(QVariantMap, first);
        QFETCH(QVariantMap, second);
        QFETCH(QVariantMap, change);
        f->insertRow(name, line(first));
        f->insertRow(name, line(second));
        f->openDeclaration();
        Table &t = table(name);
        t.open();
        QVERIFY(t.locate(change.keys(), QVariantList{second.value(change.firstKey())}));
        t.edit();
        set(t, change);
        QVERIFY(abandoned([&] { t.post(); }));
        QCOMPARE(f->dialogs.texts(), QStringList{s("Registro duplicado!")});
        QVERIFY(t.editing());
    }

    void otherStoreErrorsGoOn()
    {
        // A negative amount breaks the column's own check: that is no duplicate.
        Table &t = editStored(s("Compras"), compras());
        t.fieldByName(s("VlrContabil"))->setAsFloat(-1.0);
        t.fieldByName(s("BaseCalculo"))->setAsFloat(-1.0);
        try {
            t.post();
            QFAIL("stored a negative amount");
        } catch (const EngineError &e) {
            QCOMPARE(e.message(), s("Valor contábil não pode ser negativo"));
        }
        QVERIFY(f->dialogs.texts().isEmpty());
    }

    void domicileKeyViolationIsAnError()
    {
        f->addDomicile(s("A"), kVardelopolis, d(1, 1, 2025), d(31, 12, 2025));
        f->openDeclaration();
        Table &t = f->dm->tbDomicilio;
        t.open();
        t.append();
        set(t, line({{s("TipoDomicilio"), s("A")}, {s("CodMunicipioAnt"), kAldeia},
                     {s("DataDRFAntI"), d(1, 1, 2025)}, {s("DataDRFAntF"), d(31, 12, 2025)}}));
        QVERIFY_THROWS_EXCEPTION(EngineError, t.post());
        QVERIFY(f->dialogs.texts().isEmpty());
    }

    void emptyAmountsAreStoredAsZero()
    {
        f->insertRow(s("Compras"), line(compras()));
        f->exec(s("update Compras set VlrContabil = NULL, BaseCalculo = NULL, Outras = NULL, SubTributaria = NULL"));
        f->openDeclaration();
        f->dm->tbCompras.open();
        f->dm->tbCompras.edit();
        f->dm->tbCompras.post();
        QCOMPARE(f->value(s("select count(*) from Compras where VlrContabil = 0 and BaseCalculo = 0 and Outras = 0 "
                            "and SubTributaria = 0")).toInt(),
                 1);
    }

    void editorIsRefreshedAndDeclarationStamped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantMap>("columns");
        QTest::addColumn<int>("reopened");   // times the editor's list is read again by one store
        QTest::newRow("Compras") << s("Compras") << compras() << 2;
        QTest::newRow("Vendas") << s("Vendas") << vendas() << 1;
        QTest::newRow("Entrada") << s("Entrada") << entrada() << 2;
        QTest::newRow("Saidas") << s("Saidas") << saidas() << 1;
        QTest::newRow("CFOPOperacoes") << s("CFOPOperacoes") << cfop() << 1;
        QTest::newRow("SaidasMun") << s("SaidasMun") << saidasMun() << 1;
        QTest::newRow("ProdutosDiferidos") << s("ProdutosDiferidos") << prodDif() << 1;
    }

    void editorIsRefreshedAndDeclarationStamped()
    {
        QFETCH(QString, name);
        QFETCH(QVariantMap, columns);
        QFETCH(int, reopened);
        f->addDeclaration(kYear, kOtherTaxpayer);
        FakeEditor &ed = openEditor(name);
        ed.registration.setText(kSupplier);
        Table &t = editStored(name, columns);
        t.post();
        QCOMPARE(ed.reopened, reopened);
        QCOMPARE(ed.params, std::make_pair(kYear, kTaxpayer));
        QCOMPARE(f->stampOf(), QDate::currentDate());
        QVERIFY(!f->stampOf(kYear, kOtherTaxpayer).isValid());

        // With the editor closed the store still stamps.
        *editorSlot(name) = nullptr;
        f->clearStamp();
        t.edit();
        t.post();
        QCOMPARE(ed.reopened, reopened);
        QCOMPARE(f->stampOf(), QDate::currentDate());
    }

    void cfopCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("message");
        QTest::newRow("entry code for entries") << 1949 << s("E") << QString();
        QTest::newRow("exit code for exits") << 5949 << s("S") << QString();
        QTest::newRow("exit code for entries")
            << 5949 << s("E") << s("5.949 Não é um CFOP válido para o campo 11 - OUTRAS ENTRADAS!");
        QTest::newRow("entry code for exits")
            << 1949 << s("S") << s("1.949 Não é um CFOP válido para o campo 10 - OUTRAS SAÍDAS!");
        QTest::newRow("unknown code") << 1234 << s("E") << s("1.234 Não é um CFOP válido para o campo 11 - OUTRAS ENTRADAS!");
    }

    void cfopCodes()
    {
        QFETCH(int, code);
        QFETCH(QString, direction);
        QFETCH(QString, message);
        Table &t = editStored(s("CFOPOperacoes"), cfop(1554));
        set(t, {{s("CFOP"), code}, {s("TipoEntSai"), direction}});
        QCOMPARE(abandoned([&] { t.post(); }), !message.isEmpty());
        QCOMPARE(f->dialogs.texts(), shown(message));
    }

    void municipalityOfOrigin_data()
    {
        QTest::addColumn<QString>("municipality");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("of Vardelo") << kBarraDOuro << true;
        QTest::newRow("of another state") << kAriquemes << false;
        QTest::newRow("unknown") << s("1234567") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void municipalityOfOrigin()
    {
        QFETCH(QString, municipality);
        QFETCH(bool, accepted);
        Table &t = editStored(s("SaidasMun"), saidasMun());
        QCOMPARE(t.fieldByName(s("NomeMunicip"))->asString(), s("ALDEIA NOVA"));
        QCOMPARE(t.fieldByName(s("Total"))->asFloat(), 17.5);
        t.fieldByName(s("MunicipioID"))->setAsString(municipality);
        t.fieldByName(s("Devolucoes"))->setAsFloat(0.5);
        QCOMPARE(t.fieldByName(s("Total"))->asFloat(), 29.5);
        QCOMPARE(abandoned([&] { t.post(); }), !accepted);
        QCOMPARE(f->dialogs.texts(), shown(accepted ? QString() : s("Campo município deve ser informado!")));
    }

    void supplierRules_data()
    {
        QTest::addColumn<bool>("withEditor");
        QTest::addColumn<QString>("registration");   // typed in the editor, or stored
        QTest::addColumn<QString>("municipality");
        QTest::addColumn<QString>("message");
        QTest::newRow("valid") << true << kSupplier << kAldeia << QString();
        QTest::newRow("invalid check digit") << true << s("290000034") << kAldeia << s("Inscrição Estadual inválida!");
        QTest::newRow("not of Vardelo") << true << s("280000017") << kAldeia << s("Inscrição Estadual inválida!");
        QTest::newRow("stored, without editor") << false << s("290000034") << kAldeia << s("Inscrição Estadual inválida!");
        QTest::newRow("municipality of another state") << true << kSupplier << kAriquemes
                                                       << s("Campo município deve ser informado!");
    }

    void supplierRules()
    {
        QFETCH(bool, withEditor);
        QFETCH(QString, registration);
        QFETCH(QString, municipality);
        QFETCH(QString, message);
        FakeEditor *ed = nullptr;
        if (withEditor) {
            ed = &openEditor(s("ProdutosDiferidos"));
            ed->registration.setText(s(" ") + registration + s(" "));
        }
        Table &t = editStored(s("ProdutosDiferidos"), prodDif(withEditor ? kSupplier : registration));
        f->exec(s("update ProdutosDiferidos set MunicipioID = :m"), {{s("m"), municipality}});
        t.cancel();
        t.refresh();
        t.edit();
        QCOMPARE(abandoned([&] { t.post(); }), !message.isEmpty());
        QCOMPARE(f->dialogs.texts(), shown(message));
        if (ed)
            QCOMPARE(ed->registration.focused(), message == s("Inscrição Estadual inválida!"));
    }

    void supplierMunicipalityReachesAllItsLines()
    {
        f->addDeclaration(kYear, kOtherTaxpayer);
        f->insertRow(s("ProdutosDiferidos"), line(prodDif(kSupplier, "A")));
        f->insertRow(s("ProdutosDiferidos"), line(prodDif(kSupplier, "B")));
        f->insertRow(s("ProdutosDiferidos"), line(prodDif(kSupplier, "C", "B")));
        f->insertRow(s("ProdutosDiferidos"), line(prodDif(kTaxpayer, "A")));
        f->insertRow(s("ProdutosDiferidos"), line(prodDif(kSupplier, "A"), kOtherTaxpayer));
        f->openDeclaration();
        Table &t = f->dm->tbProdDif;
        t.open();
        QVERIFY(t.locate({s("IEOrigem"), s("TipoDomicilio")}, {kSupplier, s("A")}));
        t.edit();
        t.fieldByName(s("MunicipioID"))->setAsString(kOlhoDAgua);
        // The row was stored on the way and is in edit again.
        QCOMPARE(t.state(), Dataset::State::Edit);
        QCOMPARE(t.fieldByName(s("NomeMunicip"))->asString(), s("OLHO D'ÁGUA"));
        QCOMPARE(f->value(s("select group_concat(CGCEmpresa || IEOrigem || TipoDomicilio || TipoRegime, ' ') from "
                            "(select * from ProdutosDiferidos where MunicipioID = :m order by CGCEmpresa, TipoDomicilio)"),
                          {{s("m"), kOlhoDAgua}})
                     .toString(),
                 s("290000017290000033AA 290000017290000033BA"));
        QCOMPARE(f->stampOf(), QDate::currentDate());
        QVERIFY(!f->stampOf(kYear, kOtherTaxpayer).isValid());
    }

    void supplierAndInvoiceTotals()
    {
        f->insertRow(s("ProdutosDiferidos"), line(prodDif(kSupplier, "A")));
        f->insertRow(s("ProdutosDiferidos"), line(prodDif(kSupplier, "B")));
        const auto invoice = [&](const char *domicile, int number, double value) {
            f->insertRow(s("ProdutosDiferidosNotas"),
                         line({{s("IEOrigem"), kSupplier}, {s("TipoDomicilio"), s(domicile)}, {s("NumNotaFiscal"), number},
                               {s("VlrDiferido"), value}, {s("CodMunicipio"), kVardelopolis}}));
        };
        invoice("A", 1, 100.0);
        invoice("A", 2, 50.25);
        f->openDeclaration();
        Table &suppliers = f->dm->tbProdDif;
        suppliers.open();
        QVERIFY(suppliers.locate({s("TipoDomicilio")}, {s("B")}));
        QCOMPARE(suppliers.fieldByName(s("Notas"))->asString(), s("Incluir Notas"));
        QCOMPARE(suppliers.fieldByName(s("TotVlrDiferido"))->asFloat(), 0.0);
        QVERIFY(suppliers.locate({s("TipoDomicilio")}, {s("A")}));
        QCOMPARE(suppliers.fieldByName(s("TotVlrDiferido"))->asFloat(), 150.25);

        Table &invoices = f->dm->tbProdutosDiferidosNotas;
        invoices.open();
        QCOMPARE(invoices.recordCount(), 2);
        QCOMPARE(invoices.fieldByName(s("VlrTotalDiferido"))->asFloat(), 150.25);
        // A new invoice takes the supplier line's municipality and zero amounts.
        invoices.append();
        QCOMPARE(invoices.fieldByName(s("CodMunicipio"))->asString(), kVardelopolis);
        QCOMPARE(invoices.fieldByName(s("IEOrigem"))->asString(), kSupplier);
        QVERIFY(!invoices.fieldByName(s("VlrDiferido"))->isNull());
        QCOMPARE(invoices.fieldByName(s("VlrDiferido"))->asFloat(), 0.0);
        invoices.fieldByName(s("NumNotaFiscal"))->setAsInteger(3);
        invoices.fieldByName(s("VlrDiferido"))->setAsFloat(9.75);
        invoices.post();
        QCOMPARE(invoices.fieldByName(s("VlrTotalDiferido"))->asFloat(), 160.0);
        QCOMPARE(f->stampOf(), QDate::currentDate());
    }

    void stockTotals()
    {
        f->openDeclaration();
        Table &stock = f->dm->tbEstoque;
        stock.open();
        stock.append();
        for (const Field *field : stock.fields())
            if (field->kind() == FieldKind::Data && field->dataType() == FieldType::Float)
                QVERIFY2(!field->isNull(), qPrintable(field->fieldName()));
        set(stock, {{s("EstoqueInicialTribut"), 1.5}, {s("EstoqueInicialIsento"), 2.0}, {s("EstInicialSubTrib"), 3.0},
                    {s("EstoqueFinalTributado"), 10.0}, {s("EstoqueFinalIsento"), 20.0}});
        stock.fieldByName(s("EstFinalSubTrib"))->clear();
        QCOMPARE(stock.fieldByName(s("ccTotalInicial"))->asFloat(), 6.5);
        QCOMPARE(stock.fieldByName(s("ccTotalFinal"))->asFloat(), 30.0);
        stock.post();
        QCOMPARE(f->value(s("select TotalEstoqueInicial from Estoque")).toDouble(), 6.5);
        QCOMPARE(f->value(s("select TotalEstoqueFinal from Estoque")).toDouble(), 30.0);
        QCOMPARE(f->value(s("select count(*) from Estoque where EstFinalSubTrib = 0")).toInt(), 1);
        QCOMPARE(f->stampOf(), QDate::currentDate());
        // The stored totals follow every change.
        stock.edit();
        stock.fieldByName(s("EstFinalSubTrib"))->setAsFloat(5.0);
        stock.post();
        QCOMPARE(f->value(s("select TotalEstoqueFinal from Estoque")).toDouble(), 35.0);
    }

    void buttonsFollowTheEditedTable_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Compras", "Vendas", "Entrada", "Saidas", "CFOPOperacoes", "SaidasMun",
                                 "ProdutosDiferidos", "ProdutosDiferidosNotas", "Estoque"})
            QTest::newRow(name) << s(name);
    }

    void buttonsFollowTheEditedTable()
    {
        QFETCH(QString, name);
        FakeWindow window;
        TfDmDados &dm = *f->dm;
        const QHash<QString, EditingWindow **> windowPointers{
            {s("ProdutosDiferidosNotas"), &dm.fNotasDiferidas},
            {s("Estoque"), &dm.fEstoque},
        };
        SectionEditor **editorPointer = editorSlot(name);
        FakeEditor *fakeEditor = nullptr;
        if (editorPointer)
            fakeEditor = &openEditor(name);
        else
            *windowPointers.value(name) = &window;
        const QList<bool> &states = fakeEditor ? fakeEditor->states : window.states;

        QVariantMap columns;
        if (name == QLatin1String("ProdutosDiferidosNotas")) {
            f->insertRow(s("ProdutosDiferidos"), line(prodDif()));
            columns = {{s("IEOrigem"), kSupplier}, {s("TipoDomicilio"), s("A")}, {s("NumNotaFiscal"), 1}};
        } else if (name == QLatin1String("Estoque")) {
            columns = {{s("EstoqueInicialTribut"), 1.0}};
        } else {
            const QHash<QString, QVariantMap> lines{{s("Compras"), compras()}, {s("Vendas"), vendas()},
                                                    {s("Entrada"), entrada()}, {s("Saidas"), saidas()},
                                                    {s("CFOPOperacoes"), cfop()}, {s("SaidasMun"), saidasMun()},
                                                    {s("ProdutosDiferidos"), prodDif()}};
            columns = lines.value(name);
        }
        if (fakeEditor)
            fakeEditor->registration.setText(kSupplier);
        f->insertRow(name, line(columns));
        f->openDeclaration();
        if (name == QLatin1String("ProdutosDiferidosNotas"))
            f->dm->tbProdDif.open();
        Table &t = table(name);
        t.open();
        t.edit();
        t.cancel();
        t.edit();
        t.post();
        QCOMPARE(states, (QList<bool>{false, true, false, true, false}));
        // Without the window nothing is told.
        if (editorPointer)
            *editorPointer = nullptr;
        else
            *windowPointers.value(name) = nullptr;
        t.edit();
        QCOMPARE(states.size(), 5);
        t.cancel();
    }

    void buttonsOfTheRegisters()
    {
        FakeWindow taxpayers, accountants, municipalities, activities;
        TfDmDados &dm = *f->dm;
        dm.tbEmpresa.close();   // open since start-up
        dm.fContribuintes = &taxpayers;
        dm.fContador = &accountants;
        dm.fMunicipios = &municipalities;
        dm.fAtividades = &activities;
        dm.tbEmpresa.setMasterSource(nullptr, QString());
        dm.tbEmpresa.open();
        dm.tbEmpresa.edit();
        dm.tbContador.setMasterSource(nullptr, QString());
        dm.tbContador.open();
        dm.tbContador.append();
        dm.tbMunicipio.setMasterSource(nullptr, QString());
        dm.tbMunicipio.open();
        dm.tbAtividades.setMasterSource(nullptr, QString());
        dm.tbAtividades.open();
        dm.tbAtividades.edit();
        QCOMPARE(taxpayers.states, (QList<bool>{false, true}));
        QCOMPARE(accountants.states, (QList<bool>{false, true}));
        QCOMPARE(municipalities.states, (QList<bool>{false}));
        QCOMPARE(activities.states, (QList<bool>{false, true}));
    }

    // --- Texts with apostrophes ----------------------------------------------------------------

    void apostrophesGoThroughEveryRule_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Zef", "ZefMunAnterior", "Compras", "Vendas", "Entrada", "Saidas", "CFOPOperacoes",
                                 "SaidasMun", "ProdutosDiferidos", "ProdutosDiferidosNotas", "Estoque"})
            QTest::newRow(name) << s(name);
    }

    // A declaration whose registration holds an apostrophe, with domiciles in municipalities
    // whose names hold one, under the simplified regime after a move: every rule of the table
    // reads and writes it without an error of the statements. Lines are stored by edit and
    // by insert (the insert rules run with the table's refusal lifted).
    void apostrophesGoThroughEveryRule()
    {
        QFETCH(QString, name);
        const QString quoted = s("D'ÁVILA");
        f->addDeclaration(kYear, quoted, s("S"), s("4"), kBarraDOuro);
        f->addDomicile(s("A"), kBarraDOuro, d(1, 7, 2025), d(31, 12, 2025), kYear, quoted);
        f->addDomicile(s("B"), kOlhoDAgua, d(1, 1, 2025), d(30, 6, 2025), kYear, quoted);
        f->insertRow(s("Compras"), line(compras("07 - DIFERENCIAL DE ALÍQUOTA", "B"), quoted));
        f->dialogs.setFixedAnswer(Dialogs::Button::Yes);
        if (editorSlot(name)) {
            FakeEditor &ed = openEditor(name);
            ed.registration.setText(kSupplier);
        }
        const QHash<QString, QVariantMap> stored{
            {s("Compras"), compras()},
            {s("Vendas"), vendas()},
            {s("Entrada"), entrada()},
            {s("Saidas"), saidas()},
            {s("CFOPOperacoes"), cfop()},
            {s("SaidasMun"), saidasMun(kOlhoDAgua)},
            {s("ProdutosDiferidos"), prodDif()},
            {s("Estoque"), {{s("EstoqueInicialTribut"), 1.0}}},
        };
        const QHash<QString, QVariantMap> typed{
            {s("Compras"), compras("02 - TRANSFERÊNCIAS")},
            {s("Vendas"), with(vendas(), "TipoVendas", s("02 - TRANSFERÊNCIAS"))},
            {s("Entrada"), entrada("MG")},
            {s("Saidas"), saidas("MG")},
            {s("CFOPOperacoes"), cfop(1554)},
            {s("SaidasMun"), saidasMun(kBarraDOuro)},
            {s("ProdutosDiferidos"), prodDif(kSupplier, "B")},
            {s("ProdutosDiferidosNotas"), {{s("NumNotaFiscal"), 7}, {s("VlrDiferido"), 12.0}}},
        };
        if (name == QLatin1String("ProdutosDiferidosNotas"))
            f->insertRow(s("ProdutosDiferidos"), line(prodDif(), quoted));
        if (stored.contains(name))
            f->insertRow(name, line(stored.value(name), quoted));
        f->openDeclaration(kYear, quoted);
        if (name == QLatin1String("ProdutosDiferidosNotas"))
            f->dm->tbProdDif.open();

        Table &t = table(name);
        t.open();
        if (t.recordCount() > 0) {
            // Stored lines: changed so that they do not balance, and stored anyway.
            t.edit();
            if (name == QLatin1String("Entrada"))
                t.fieldByName(s("SubsTributaria"))->setAsFloat(3.0);
            if (name == QLatin1String("Compras"))
                t.fieldByName(s("Outras"))->setAsFloat(3.0);
            if (name == QLatin1String("ProdutosDiferidos"))
                t.fieldByName(s("MunicipioID"))->setAsString(kOlhoDAgua);
            if (name == QLatin1String("ZefMunAnterior"))
                t.fieldByName(s("DataDRFAntF"))->setAsDate(t.fieldByName(s("DataDRFAntF"))->asDate());
            t.post();
        }
        if (typed.contains(name)) {
            const auto count = [&] {
                return f->value(s("select count(*) from %1 where CGCEmpresa = :c").arg(name), {{s("c"), quoted}}).toInt();
            };
            const int before = count();
            t.beforeInsert = nullptr;
            t.append();
            set(t, line(typed.value(name), quoted));
            t.post();
            QCOMPARE(count(), before + 1);
        }
        QCOMPARE(f->stampOf(kYear, quoted), QDate::currentDate());
        const QStringList texts = f->dialogs.texts();
        for (const QString &text : texts)
            QVERIFY2(!text.contains(s("Registro duplicado")) && !text.contains(s("inválid")), qPrintable(text));
        if (name == QLatin1String("Entrada"))
            QCOMPARE(texts.value(0), textoBalanco(BalanceMessage::E3));
    }
};

QTEST_GUILESS_MAIN(TestRulesSections)
#include "tst_rules_sections.moc"
