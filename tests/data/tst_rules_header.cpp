// Record rules of the declaration header (Zef.DB) and of its fiscal domiciles (ZefMunAnterior.DB).

#include "data/record_routines.h"
#include "data_module_fixture.h"

#include <QtTest>

using namespace zef;
using namespace zef::fixture;

using Display = QHash<QChar, std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Display)
Q_DECLARE_METATYPE(HeaderWindow::DomicileAnswer)

class TestRulesHeader : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DataModuleFixture> f;
    std::unique_ptr<FakeHeader> header;
    std::unique_ptr<FakeDomicileWindow> domicileWindow;

    Field *zef(const char *name) { return f->dm->tbZEF.fieldByName(QLatin1String(name)); }
    Field *dom(const char *name) { return f->dm->tbDomicilio.fieldByName(QLatin1String(name)); }

    QDate storedDate(const char *column)
    {
        return f->value(QStringLiteral("select %1 from Zef where AnoBase = :a and CGCEmpresa = :c").arg(QLatin1String(column)),
                        {{QStringLiteral("a"), kYear}, {QStringLiteral("c"), kTaxpayer}})
            .toDate();
    }

    int domicileCount()
    {
        return f->value(QStringLiteral("select count(*) from ZefMunAnterior")).toInt();
    }

    // Appends a domicile through the data module, as the domicile window stores one.
    bool storeDomicile(const QString &letter, const QString &municipality, const QDate &start, const QDate &end)
    {
        TfDmDados &dm = *f->dm;
        dm.tbDomicilio.open();
        dm.tbDomicilio.append();
        dom("AnoBase")->setAsString(kYear);
        dom("CGCEmpresa")->setAsString(kTaxpayer);
        dom("TipoDomicilio")->setAsString(letter);
        dom("CodMunicipioAnt")->setAsString(municipality);
        dom("DataDRFAntI")->setAsDate(start);
        dom("DataDRFAntF")->setAsDate(end);
        return !abandoned([&] { dm.tbDomicilio.post(); });
    }

    // Moves tbDomicilio to the domicile of that letter and changes its dates.
    bool changeDomicile(const QString &letter, const QDate &start, const QDate &end)
    {
        TfDmDados &dm = *f->dm;
        dm.tbDomicilio.open();
        if (!dm.tbDomicilio.locate({QStringLiteral("TipoDomicilio")}, {letter}))
            return false;
        dm.tbDomicilio.edit();
        dom("DataDRFAntI")->setAsDate(start);
        dom("DataDRFAntF")->setAsDate(end);
        return !abandoned([&] { dm.tbDomicilio.post(); });
    }

private slots:
    void init()
    {
        f = std::make_unique<DataModuleFixture>();
        header = std::make_unique<FakeHeader>();
        domicileWindow = std::make_unique<FakeDomicileWindow>();
    }

    void cleanup()
    {
        f.reset();
        header.reset();
        domicileWindow.reset();
    }

    // --- Zef.DB -----------------------------------------------------------------------------

    void newDeclarationTakesDefaults()
    {
        f->dm->tbZEF.open();
        f->dm->tbZEF.append();
        QCOMPARE(zef("Retificacao")->asString(), QStringLiteral("N"));
        QCOMPARE(zef("Finalidade")->asString(), QStringLiteral("1"));
        QCOMPARE(zef("RegimeApuracao")->asString(), QStringLiteral("3"));
        QVERIFY(zef("StatusDRF")->isNull());
    }

    void periodComesFromShownDomiciles_data()
    {
        QTest::addColumn<HeaderWindow::DomicileAnswer>("answer");
        QTest::addColumn<Display>("display");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");

        using A = HeaderWindow::DomicileAnswer;
        const auto s = [](const char *t) { return QString::fromLatin1(t); };
        QTest::newRow("no move: the current domicile")
            << A::Nao
            << Display{{u'A', {s("01/03/2025"), s("30/11/2025")}}, {u'B', {s("01/01/2025"), s("28/02/2025")}}}
            << d(1, 3, 2025) << d(30, 11, 2025);
        QTest::newRow("move: from B")
            << A::Sim
            << Display{{u'A', {s("01/07/2025"), s("31/12/2025")}}, {u'B', {s("01/01/2025"), s("30/06/2025")}}}
            << d(1, 1, 2025) << d(31, 12, 2025);
        QTest::newRow("move: the oldest shown is D")
            << A::Sim
            << Display{{u'A', {s("01/10/2025"), s("31/12/2025")}}, {u'B', {s("01/07/2025"), s("30/09/2025")}},
                       {u'C', {s("01/04/2025"), s("30/06/2025")}}, {u'D', {s("02/01/2025"), s("31/03/2025")}}}
            << d(2, 1, 2025) << d(31, 12, 2025);
        QTest::newRow("move: E before D")
            << A::Sim
            << Display{{u'A', {s("01/10/2025"), s("31/12/2025")}}, {u'D', {s("01/02/2025"), s("30/09/2025")}},
                       {u'E', {s("01/01/2025"), s("31/01/2025")}}}
            << d(1, 1, 2025) << d(31, 12, 2025);
        QTest::newRow("move: no earlier domicile leaves the start")
            << A::Sim << Display{{u'A', {s("01/05/2025"), s("31/12/2025")}}} << d(15, 2, 2025) << d(31, 12, 2025);
        QTest::newRow("no move: nothing shown empties the period")
            << A::Nao << Display{} << QDate() << QDate();
    }

    void periodComesFromShownDomiciles()
    {
        QFETCH(HeaderWindow::DomicileAnswer, answer);
        QFETCH(Display, display);
        QFETCH(QDate, start);
        QFETCH(QDate, end);

        f->addDeclaration();
        f->exec(QStringLiteral("update Zef set PeriodoRefInicio = '2025-02-15', PeriodoRefFinal = '2025-02-16'"));
        f->openDeclaration();
        header->answer = answer;
        header->display = display;
        f->dm->fCadZEF = header.get();

        f->dm->tbZEF.edit();
        f->dm->tbZEF.post();
        QVERIFY(f->dialogs.texts().isEmpty());
        QCOMPARE(storedDate("PeriodoRefInicio"), start);
        QCOMPARE(storedDate("PeriodoRefFinal"), end);
    }

    void periodComesFromStoredDomicilesWithoutHeader_data()
    {
        QTest::addColumn<QString>("statusDRF");
        QTest::addColumn<QDate>("start");
        QTest::newRow("moved") << QStringLiteral("S") << d(1, 1, 2025);
        QTest::newRow("not moved") << QStringLiteral("N") << d(1, 7, 2025);
    }

    void periodComesFromStoredDomicilesWithoutHeader()
    {
        QFETCH(QString, statusDRF);
        QFETCH(QDate, start);
        f->addDeclaration(kYear, kTaxpayer, statusDRF);
        f->addDomicile(QStringLiteral("A"), kVardelopolis, d(1, 7, 2025), d(31, 12, 2025));
        f->addDomicile(QStringLiteral("B"), kAldeia, d(1, 1, 2025), d(30, 6, 2025));
        f->openDeclaration();
        f->dm->tbZEF.edit();
        f->dm->tbZEF.post();
        QCOMPARE(storedDate("PeriodoRefInicio"), start);
        QCOMPARE(storedDate("PeriodoRefFinal"), d(31, 12, 2025));
    }

    void periodMustLieInBaseYear_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("editsShowDates");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("focusStart");
        QTest::addColumn<bool>("focusEnd");

        QTest::newRow("both in the base year")
            << QStringLiteral("01/01/2025") << QStringLiteral("31/12/2025") << true << QString() << false << false;
        QTest::newRow("start in the year before")
            << QStringLiteral("01/12/2024") << QStringLiteral("31/12/2025") << true
            << QStringLiteral("O Período Inicial de referência é diferente do Ano Base!") << true << false;
        QTest::newRow("end in the year after")
            << QStringLiteral("01/01/2025") << QStringLiteral("01/01/2026") << true
            << QStringLiteral("O período final de referência é diferente do Ano Base!") << false << true;
        QTest::newRow("both wrong: the start is told")
            << QStringLiteral("01/12/2024") << QStringLiteral("01/01/2026") << true
            << QStringLiteral("O Período Inicial de referência é diferente do Ano Base!") << true << false;
        QTest::newRow("empty edits are not checked")
            << QStringLiteral("01/12/2024") << QStringLiteral("01/01/2026") << false << QString() << false << false;
    }

    void periodMustLieInBaseYear()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, editsShowDates);
        QFETCH(QString, message);
        QFETCH(bool, focusStart);
        QFETCH(bool, focusEnd);

        f->addDeclaration();
        f->openDeclaration();
        header->display = Display{{u'A', {start, end}}};
        if (editsShowDates) {
            header->periodStart.setText(start);
            header->periodEnd.setText(end);
        }
        f->dm->fCadZEF = header.get();

        f->dm->tbZEF.edit();
        const bool refused = abandoned([&] { f->dm->tbZEF.post(); });
        QCOMPARE(refused, !message.isEmpty());
        QCOMPARE(f->dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(header->periodStart.focused(), focusStart);
        QCOMPARE(header->periodEnd.focused(), focusEnd);
        // A refused store leaves the row in edit with what was typed.
        QCOMPARE(f->dm->tbZEF.editing(), refused);
        QCOMPARE(storedDate("PeriodoRefInicio").isValid(), !refused);
    }

    void baseYearBefore2007IsRefused_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("refused");
        QTest::newRow("2006") << QStringLiteral("2006") << true;
        QTest::newRow("2007") << QStringLiteral("2007") << false;
        QTest::newRow("2026") << QStringLiteral("2026") << false;
    }

    void baseYearBefore2007IsRefused()
    {
        QFETCH(QString, year);
        QFETCH(bool, refused);
        f->addDeclaration(year);
        f->openDeclaration(year);
        f->dm->tbZEF.edit();
        zef("Responsavel")->setAsString(QStringLiteral("MARIA D'ÁVILA"));
        QCOMPARE(abandoned([&] { f->dm->tbZEF.post(); }), refused);
        QCOMPARE(f->dialogs.texts(), refused ? QStringList{QStringLiteral("Ano Base deve ser maior que a 2007!")} : QStringList());
        QCOMPARE(f->value(QStringLiteral("select Responsavel from Zef")).toString(),
                 refused ? QString() : QStringLiteral("MARIA D'ÁVILA"));
    }

    void simplifiedRegimeClearsUndeclaredValues_data()
    {
        QTest::addColumn<QString>("regime");
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("simplified") << QStringLiteral("4") << kYear << true;
        QTest::newRow("normal") << QStringLiteral("3") << kYear << false;
        QTest::newRow("simplified, store refused") << QStringLiteral("4") << QStringLiteral("2006") << false;
    }

    void simplifiedRegimeClearsUndeclaredValues()
    {
        QFETCH(QString, regime);
        QFETCH(QString, year);
        QFETCH(bool, cleared);

        const QString other = QStringLiteral("290000025");
        for (const QString &taxpayer : {kTaxpayer, other}) {
            f->addDeclaration(year, taxpayer);
            const QVariantMap key{{QStringLiteral("AnoBase"), year}, {QStringLiteral("CGCEmpresa"), taxpayer}};
            const auto with = [&](QVariantMap values) {
                values.insert(key);
                values.insert(QStringLiteral("TipoRegime"), QStringLiteral("A"));
                values.insert(QStringLiteral("TipoDomicilio"), QStringLiteral("A"));
                return values;
            };
            f->insertRow(QStringLiteral("Compras"), with({{QStringLiteral("TipoEntradas"), QStringLiteral("01 - COMPRAS")},
                                                           {QStringLiteral("VlrContabil"), 10.0},
                                                           {QStringLiteral("BaseCalculo"), 4.0},
                                                           {QStringLiteral("Outras"), 3.0},
                                                           {QStringLiteral("SubTributaria"), 3.0}}));
            f->insertRow(QStringLiteral("Entrada"), with({{QStringLiteral("UFEntrada"), QStringLiteral("SP")},
                                                           {QStringLiteral("VlrContabilEntrada"), 10.0},
                                                           {QStringLiteral("BaseCalculoEntrada"), 4.0},
                                                           {QStringLiteral("OutrasEntradas"), 3.0},
                                                           {QStringLiteral("PetroleoEnergia"), 2.0}}));
            QVariantMap vendas = with({{QStringLiteral("TipoVendas"), QStringLiteral("01 - VENDAS")},
                                       {QStringLiteral("VlrContabeis"), 10.0},
                                       {QStringLiteral("BaseCalculo"), 4.0},
                                       {QStringLiteral("Outras"), 3.0},
                                       {QStringLiteral("SubTributaria"), 3.0}});
            vendas.insert(QStringLiteral("Tiporegime"), vendas.take(QStringLiteral("TipoRegime")));
            f->insertRow(QStringLiteral("Vendas"), vendas);
            f->insertRow(QStringLiteral("Saidas"), with({{QStringLiteral("UF"), QStringLiteral("SP")},
                                                          {QStringLiteral("VlrContSaidaContrib"), 10.0},
                                                          {QStringLiteral("BaseCalcSaidaContrib"), 4.0},
                                                          {QStringLiteral("BaseCalcSaidaNContrib"), 1.0},
                                                          {QStringLiteral("OutrasSaidas"), 3.0},
                                                          {QStringLiteral("ICMSSubTribSaidas"), 2.0}}));
            QVariantMap stock{{QStringLiteral("EstoqueInicialTribut"), 5.0}, {QStringLiteral("EstoqueInicialIsento"), 6.0},
                              {QStringLiteral("EstoqueFinalTributado"), 7.0}, {QStringLiteral("EstoqueFinalIsento"), 8.0}};
            stock.insert(key);
            f->insertRow(QStringLiteral("Estoque"), stock);
        }

        f->openDeclaration(year);
        f->dm->tbZEF.edit();
        zef("RegimeApuracao")->setAsString(regime);
        abandoned([&] { f->dm->tbZEF.post(); });

        const auto sumOf = [&](const QString &sql, const QString &taxpayer) {
            return f->value(sql, {{QStringLiteral("c"), taxpayer}}).toDouble();
        };
        // The columns the simplified regime does not declare, and the ones it keeps.
        const QString cleared1 = QStringLiteral(
            "select (select BaseCalculo + Outras from Compras where CGCEmpresa = :c)"
            " + (select BaseCalculoEntrada + OutrasEntradas from Entrada where CGCEmpresa = :c)"
            " + (select BaseCalculo + Outras from Vendas where CGCEmpresa = :c)"
            " + (select BaseCalcSaidaNContrib + BaseCalcSaidaContrib + OutrasSaidas from Saidas where CGCEmpresa = :c)"
            " + (select EstoqueInicialIsento + EstoqueFinalIsento from Estoque where CGCEmpresa = :c)");
        const QString kept = QStringLiteral(
            "select (select VlrContabil + SubTributaria from Compras where CGCEmpresa = :c)"
            " + (select VlrContabilEntrada + PetroleoEnergia from Entrada where CGCEmpresa = :c)"
            " + (select VlrContabeis + SubTributaria from Vendas where CGCEmpresa = :c)"
            " + (select VlrContSaidaContrib + ICMSSubTribSaidas from Saidas where CGCEmpresa = :c)"
            " + (select EstoqueInicialTribut + EstoqueFinalTributado from Estoque where CGCEmpresa = :c)");
        QCOMPARE(sumOf(cleared1, kTaxpayer), cleared ? 0.0 : 7.0 + 7.0 + 7.0 + 8.0 + 14.0);
        QCOMPARE(sumOf(kept, kTaxpayer), 13.0 + 12.0 + 13.0 + 12.0 + 12.0);
        QCOMPARE(sumOf(cleared1, other), 7.0 + 7.0 + 7.0 + 8.0 + 14.0);
    }

    void storeStampsTheDeclaration()
    {
        f->addDeclaration();
        f->addDeclaration(kYear, QStringLiteral("290000025"));
        f->openDeclaration();
        const QDate before = QDate::currentDate();
        f->dm->tbZEF.edit();
        f->dm->tbZEF.post();
        QVERIFY(f->stampOf() >= before && f->stampOf() <= QDate::currentDate());
        QVERIFY(f->stampOf(kYear, QStringLiteral("290000025")).isNull());
    }

    void stampNamesOnlyItsDeclaration()
    {
        f->addDeclaration();
        f->addDeclaration(QStringLiteral("2024"));
        AtualizaDataDeclaracao(f->db(), kYear, kTaxpayer, d(3, 4, 2025));
        QCOMPARE(f->stampOf(), d(3, 4, 2025));
        QVERIFY(f->stampOf(QStringLiteral("2024")).isNull());
    }

    void existingKeyGivesRegistroDuplicado()
    {
        f->addDeclaration();
        f->dm->tbZEF.open();
        f->dm->tbZEF.append();
        zef("AnoBase")->setAsString(kYear);
        zef("CGCEmpresa")->setAsString(kTaxpayer);
        QVERIFY(abandoned([&] { f->dm->tbZEF.post(); }));
        QCOMPARE(f->dialogs.texts(), QStringList{QStringLiteral("Registro duplicado!")});
        QCOMPARE(f->dm->tbZEF.state(), Dataset::State::Insert);
        QCOMPARE(f->value(QStringLiteral("select count(*) from Zef")).toInt(), 1);
    }

    void otherStoreErrorsGoOn()
    {
        f->addDeclaration();
        f->openDeclaration();
        f->exec(QStringLiteral("delete from Zef"));   // the row vanished under the table
        f->dm->tbZEF.edit();
        QVERIFY_THROWS_EXCEPTION(EngineError, f->dm->tbZEF.post());
        QVERIFY(f->dialogs.texts().isEmpty());
    }

    void headerDisplayFollowsTheDeclaration()
    {
        f->addDeclaration();
        f->addDeclaration(kYear, QStringLiteral("290000025"));
        f->dm->fCadZEF = header.get();
        f->dm->tbZEF.open();
        QCOMPARE(header->refills, 1);
        f->dm->tbZEF.next();
        QCOMPARE(header->refills, 2);
        f->dm->tbZEF.edit();
        f->dm->tbZEF.post();
        QCOMPARE(header->refills, 3);
        f->dm->tbZEF.append();
        f->dm->tbZEF.cancel();
        QCOMPARE(header->refills, 4);

        f->dm->fCadZEF = nullptr;   // closed: nothing reaches it
        f->dm->tbZEF.first();
        QCOMPARE(header->refills, 4);
    }

    void buttonsFollowTheHeaderState()
    {
        FakeWindow responsible;
        f->addDeclaration();
        f->dm->fCadZEF = header.get();
        f->dm->fResponsavel = &responsible;
        f->dm->tbZEF.open();
        f->dm->tbZEF.edit();
        f->dm->tbZEF.cancel();
        f->dm->tbZEF.append();
        const QList<bool> expected{false, true, false, true};
        QCOMPARE(header->states, expected);
        QCOMPARE(responsible.states, expected);
        f->dm->fCadZEF = nullptr;
        f->dm->fResponsavel = nullptr;
        f->dm->tbZEF.cancel();
        QCOMPARE(header->states, expected);
    }

    // --- ZefMunAnterior.DB --------------------------------------------------------------------

    void domicileCountIsLimitedToFive_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<HeaderWindow::DomicileAnswer>("answer");
        QTest::addColumn<bool>("created");
        QTest::addColumn<QString>("message");

        using A = HeaderWindow::DomicileAnswer;
        const QString hint = QStringLiteral("Informe o município do Domicílio Fiscal Anterior.");
        QTest::newRow("first") << 0 << A::Sim << true << QString();
        QTest::newRow("second") << 1 << A::Sim << true << hint;
        QTest::newRow("second, no move answered") << 1 << A::Nao << true << QString();
        QTest::newRow("fifth") << 4 << A::Sim << true << hint;
        QTest::newRow("sixth")
            << 5 << A::Sim << false
            << QStringLiteral("Não pode ser cadastrado mais de 5 município para os domicílios atual e anterior!");
    }

    void domicileCountIsLimitedToFive()
    {
        QFETCH(int, stored);
        QFETCH(HeaderWindow::DomicileAnswer, answer);
        QFETCH(bool, created);
        QFETCH(QString, message);

        f->addDeclaration(kYear, kTaxpayer, QStringLiteral("S"));
        f->addDeclaration(kYear, QStringLiteral("290000025"), QStringLiteral("S"));
        for (int i = 0; i < 3; ++i)   // another declaration's domiciles do not count
            f->addDomicile(QString(QChar(u'A' + i)), kAldeia, d(1, 1, 2025), d(1, 1, 2025), kYear,
                           QStringLiteral("290000025"));
        for (int i = 0; i < stored; ++i)
            f->addDomicile(QString(QChar(u'A' + i)), kAldeia, d(1 + i, 1, 2025), d(1 + i, 1, 2025));
        f->openDeclaration();
        header->answer = answer;
        f->dm->fCadZEF = header.get();
        f->dm->tbDomicilio.open();

        QCOMPARE(!abandoned([&] { f->dm->tbDomicilio.append(); }), created);
        QCOMPARE(f->dm->tbDomicilio.state(), created ? Dataset::State::Insert : Dataset::State::Browse);
        QCOMPARE(f->dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f->dm->tbDomicilio.recordCount(), stored);
    }

    void domicileDatesLieInBaseYear_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<bool>("editsShowDates");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("focusStart");
        QTest::addColumn<bool>("focusEnd");

        QTest::newRow("in the year") << d(1, 1, 2025) << d(31, 12, 2025) << true << QString() << false << false;
        QTest::newRow("start before")
            << d(31, 12, 2024) << d(31, 12, 2025) << true
            << QStringLiteral("O Período Inicial de referência é diferente do Ano Base!") << true << false;
        QTest::newRow("end after")
            << d(1, 1, 2025) << d(1, 1, 2026) << true
            << QStringLiteral("O período final de referência é diferente do Ano Base!") << false << true;
        QTest::newRow("empty edits are not checked") << d(31, 12, 2024) << d(1, 1, 2026) << false << QString() << false
                                                     << false;
    }

    void domicileDatesLieInBaseYear()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(bool, editsShowDates);
        QFETCH(QString, message);
        QFETCH(bool, focusStart);
        QFETCH(bool, focusEnd);

        f->addDeclaration();
        f->openDeclaration();
        f->dm->fDomicilio = domicileWindow.get();
        if (editsShowDates) {
            domicileWindow->start.setText(start.toString(QStringLiteral("dd/MM/yyyy")));
            domicileWindow->end.setText(end.toString(QStringLiteral("dd/MM/yyyy")));
        }
        QCOMPARE(storeDomicile(QStringLiteral("A"), kVardelopolis, start, end), message.isEmpty());
        QCOMPARE(f->dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(domicileWindow->start.focused(), focusStart);
        QCOMPARE(domicileWindow->end.focused(), focusEnd);
        QCOMPARE(domicileCount(), message.isEmpty() ? 1 : 0);
    }

    void domicilesFollowEachOther_data()
    {
        QTest::addColumn<QString>("stored");    // letters already stored, with the dates below
        QTest::addColumn<QString>("letter");    // the domicile stored now
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("message");

        // Stored: A from 01/07/2025, B 01/04/2025 to 30/06/2025, C to 31/03/2025.
        const QString aAfterB = QStringLiteral("A Data Inicial do Domicílio \"A\" VARDELÓPOLIS, deverá ser obrigatoriamente "
                                               "sequencial a Data Final do Domicílio \"B\" ALDEIA NOVA.");
        QTest::newRow("B, then A the next day") << QStringLiteral("B") << QStringLiteral("A") << d(1, 7, 2025)
                                                << d(31, 12, 2025) << QString();
        QTest::newRow("B, then A a day later")
            << QStringLiteral("B") << QStringLiteral("A") << d(2, 7, 2025) << d(31, 12, 2025) << aAfterB;
        QTest::newRow("A, then B to the day before") << QStringLiteral("A") << QStringLiteral("B") << d(1, 4, 2025)
                                                     << d(30, 6, 2025) << QString();
        QTest::newRow("A, then B overlapping")
            << QStringLiteral("A") << QStringLiteral("B") << d(1, 4, 2025) << d(1, 7, 2025) << aAfterB;
        QTest::newRow("B without A")
            << QString() << QStringLiteral("B") << d(1, 4, 2025) << d(30, 6, 2025)
            << QStringLiteral("A Data Inicial do Domicílio \"A\", deverá ser obrigatoriamente sequencial a Data Final "
                              "do Domicílio \"B\" ALDEIA NOVA.");
        QTest::newRow("AB, then C") << QStringLiteral("AB") << QStringLiteral("C") << d(1, 1, 2025) << d(31, 3, 2025)
                                    << QString();
        QTest::newRow("AB, then C with a gap")
            << QStringLiteral("AB") << QStringLiteral("C") << d(1, 1, 2025) << d(30, 3, 2025)
            << QStringLiteral("A Data Inicial do Domicílio \"B\" ALDEIA NOVA, deverá ser obrigatoriamente sequencial a "
                              "Data Final do Domicílio \"C\" OLHO D'ÁGUA.");
        QTest::newRow("A alone needs no B") << QString() << QStringLiteral("A") << d(5, 7, 2025) << d(31, 12, 2025)
                                            << QString();
    }

    void domicilesFollowEachOther()
    {
        QFETCH(QString, stored);
        QFETCH(QString, letter);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, message);

        f->addDeclaration(kYear, kTaxpayer, QStringLiteral("S"));
        if (stored.contains(u'A'))
            f->addDomicile(QStringLiteral("A"), kVardelopolis, d(1, 7, 2025), d(31, 12, 2025));
        if (stored.contains(u'B'))
            f->addDomicile(QStringLiteral("B"), kAldeia, d(1, 4, 2025), d(30, 6, 2025));
        f->openDeclaration();
        f->dm->fDomicilio = domicileWindow.get();
        domicileWindow->start.setText(start.toString(QStringLiteral("dd/MM/yyyy")));
        domicileWindow->end.setText(end.toString(QStringLiteral("dd/MM/yyyy")));
        const QString municipality = letter == QLatin1String("A")   ? kVardelopolis
                                     : letter == QLatin1String("B") ? kAldeia
                                                                    : kOlhoDAgua;

        const bool storedNow = stored.contains(letter) ? changeDomicile(letter, start, end)
                                                       : storeDomicile(letter, municipality, start, end);
        QStringList texts = f->dialogs.texts();
        texts.removeAll(QStringLiteral("Informe o município do Domicílio Fiscal Anterior."));
        QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(storedNow, message.isEmpty());
        QCOMPARE(domicileWindow->end.focused(), !message.isEmpty());
        QCOMPARE(f->dm->tbDomicilio.editing(), !message.isEmpty());
    }

    void domicileStoreStamps()
    {
        f->addDeclaration();
        f->openDeclaration();
        QVERIFY(storeDomicile(QStringLiteral("A"), kBarraDOuro, d(1, 1, 2025), d(31, 12, 2025)));
        QCOMPARE(f->stampOf(), QDate::currentDate());
    }

    void domicileDescriptions()
    {
        f->addDeclaration();
        f->addDomicile(QStringLiteral("A"), kBarraDOuro, d(1, 7, 2025), d(31, 12, 2025));
        f->addDomicile(QStringLiteral("B"), kAldeia, d(1, 1, 2025), d(30, 6, 2025));
        QCOMPARE(DescreveDomicilio(f->db(), kYear, kTaxpayer, QStringLiteral("A")),
                 QStringLiteral("01/07/2025\"A\" BARRA D'OURO"));
        QCOMPARE(DescreveDomicilio(f->db(), kYear, kTaxpayer, QStringLiteral("B")),
                 QStringLiteral("01/01/2025\"B\" ALDEIA NOVA"));
        QCOMPARE(DescreveDomicilioB(f->db(), kYear, kTaxpayer), QStringLiteral("30/06/2025\"B\" ALDEIA NOVA"));
        // A missing domicile: empty name and the empty date.
        QCOMPARE(DescreveDomicilio(f->db(), kYear, kTaxpayer, QStringLiteral("C")), QStringLiteral("30/12/1899\"C\" "));
        QCOMPARE(DescreveDomicilioB(f->db(), QStringLiteral("2024"), kTaxpayer), QString());
        QCOMPARE(DescreveDomicilio(f->db(), kYear, QStringLiteral("D'ÁVILA"), QStringLiteral("A")),
                 QStringLiteral("30/12/1899\"A\" "));
    }

    void buttonsFollowTheDomicileState()
    {
        f->addDeclaration();
        f->openDeclaration();
        f->dm->fDomicilio = domicileWindow.get();
        f->dm->tbDomicilio.open();
        f->dm->tbDomicilio.append();
        f->dm->tbDomicilio.cancel();
        QCOMPARE(domicileWindow->states, (QList<bool>{false, true, false}));
    }
};

QTEST_GUILESS_MAIN(TestRulesHeader)
#include "tst_rules_header.moc"
