// The balance test of the sections by type and by state: the rounding, the question the
// header's answers choose, and what each answer does to the line.

#include "data/balance_test.h"
#include "data_module_fixture.h"

#include <QSet>
#include <QtTest>

using namespace zef;
using namespace zef::fixture;

Q_DECLARE_METATYPE(BalanceSection)
Q_DECLARE_METATYPE(BalanceMessage)

namespace {

// What the balance test reads of each section's lines.
struct SectionShape {
    const char *table;
    QVariantMap line;        // the columns that make a valid line, besides the key
    const char *total;       // a column of the total
    const char *part;        // a column of the parts
};

SectionShape shapeOf(BalanceSection section)
{
    const auto s = [](const char *t) { return QString::fromUtf8(t); };
    switch (section) {
    case BalanceSection::Compras:
        return {"Compras", {{s("TipoEntradas"), s("01 - COMPRAS")}, {s("TipoRegime"), s("A")}}, "VlrContabil",
                "BaseCalculo"};
    case BalanceSection::Vendas:
        return {"Vendas", {{s("TipoVendas"), s("01 - VENDAS")}, {s("Tiporegime"), s("A")}}, "VlrContabeis", "Outras"};
    case BalanceSection::Entrada:
        return {"Entrada", {{s("UFEntrada"), s("SP")}, {s("TipoRegime"), s("A")}}, "VlrContabilEntrada",
                "SubsTributaria"};
    case BalanceSection::Saidas:
        return {"Saidas", {{s("UF"), s("SP")}, {s("TipoRegime"), s("A")}}, "VlrContSaidaNContrib", "OutrasSaidas"};
    }
    return {};
}

} // namespace

class TestRulesBalance : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DataModuleFixture> f;
    std::unique_ptr<FakeHeader> header;
    std::unique_ptr<FakeEditor> editor;

    Table &tableOf(BalanceSection section)
    {
        switch (section) {
        case BalanceSection::Compras: return f->dm->tbCompras;
        case BalanceSection::Vendas: return f->dm->tbVendas;
        case BalanceSection::Entrada: return f->dm->tbEntrada;
        case BalanceSection::Saidas: return f->dm->tbSaida;
        }
        return f->dm->tbCompras;
    }

    SectionEditor *&editorOf(BalanceSection section)
    {
        switch (section) {
        case BalanceSection::Compras: return f->dm->fCompra;
        case BalanceSection::Vendas: return f->dm->fVendas;
        case BalanceSection::Entrada: return f->dm->fEntradas;
        case BalanceSection::Saidas: return f->dm->fSaidas;
        }
        return f->dm->fCompra;
    }

    // A stored line of the section, put in edit with that total and part.
    Table &editLine(BalanceSection section, double total, double part)
    {
        const SectionShape shape = shapeOf(section);
        QVariantMap line = shape.line;
        line.insert(QStringLiteral("AnoBase"), kYear);
        line.insert(QStringLiteral("CGCEmpresa"), kTaxpayer);
        line.insert(QStringLiteral("TipoDomicilio"), QStringLiteral("A"));
        f->insertRow(QLatin1String(shape.table), line);
        f->openDeclaration();
        Table &table = tableOf(section);
        table.open();
        table.edit();
        table.fieldByName(QLatin1String(shape.total))->setAsFloat(total);
        table.fieldByName(QLatin1String(shape.part))->setAsFloat(part);
        return table;
    }

    double stored(BalanceSection section, const char *column)
    {
        return f->value(QStringLiteral("select %1 from %2").arg(QLatin1String(column), QLatin1String(shapeOf(section).table)))
            .toDouble();
    }

private slots:
    void init()
    {
        f = std::make_unique<DataModuleFixture>();
        header = std::make_unique<FakeHeader>();
    }

    void cleanup()
    {
        editor.reset();
        f.reset();
        header.reset();
    }

    void sumsAgreeAtTheCent_data()
    {
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("parts");
        QTest::addColumn<bool>("agree");
        QTest::newRow("parts short by 0.004") << 100.00 << 99.996 << true;
        QTest::newRow("parts short by a cent") << 100.00 << 99.99 << false;
        QTest::newRow("parts over by 5.00") << 100.00 << 105.00 << false;
        QTest::newRow("parts short by 5.00") << 100.00 << 95.00 << false;
        QTest::newRow("parts over by 0.004") << 100.00 << 100.004 << true;
        QTest::newRow("parts short by 0.006: a cent when shown") << 100.00 << 99.994 << false;
        QTest::newRow("parts short by 0.0049") << 100.00 << 99.9951 << true;
        QTest::newRow("equal") << 1234.56 << 1234.56 << true;
        QTest::newRow("nothing") << 0.0 << 0.0 << true;
        QTest::newRow("large, a cent apart") << 9876543210.01 << 9876543210.00 << false;
        QTest::newRow("beyond a 64-bit integer") << 1e20 << 0.0 << false;
    }

    void sumsAgreeAtTheCent()
    {
        QFETCH(double, total);
        QFETCH(double, parts);
        QFETCH(bool, agree);
        QCOMPARE(SomaConfere(total, parts), agree);
    }

    void questionIsChosenByTheAnswers_data()
    {
        QTest::addColumn<BalanceSection>("section");
        QTest::addColumn<bool>("noMove");
        QTest::addColumn<bool>("simples");
        QTest::addColumn<bool>("differential");
        QTest::addColumn<BalanceMessage>("message");

        using S = BalanceSection;
        using M = BalanceMessage;
        struct Row {
            const char *name;
            S section;
            bool noMove, simples, differential;
            M message;
        };
        const Row rows[] = {
            {"C1", S::Compras, true, true, false, M::C1},     {"C2", S::Compras, true, false, false, M::C2},
            {"C3", S::Compras, false, true, false, M::C3},    {"C4", S::Compras, false, false, false, M::C4},
            {"V1", S::Vendas, true, true, false, M::V1},      {"V2", S::Vendas, true, false, false, M::V2},
            {"V3", S::Vendas, false, true, false, M::V3},     {"V4", S::Vendas, false, false, false, M::V4},
            {"E1", S::Entrada, true, true, true, M::E1},      {"E2", S::Entrada, true, false, true, M::E2},
            {"E3", S::Entrada, false, true, true, M::E3},     {"E4", S::Entrada, false, true, false, M::E4},
            {"E5", S::Entrada, false, false, true, M::E5},    {"E5 without item 07", S::Entrada, false, false, false, M::E5},
            {"S1", S::Saidas, true, true, false, M::S1},      {"S2", S::Saidas, true, false, false, M::S2},
            {"S3", S::Saidas, false, true, false, M::S3},     {"S4", S::Saidas, false, false, false, M::S4},
        };
        for (const Row &r : rows)
            QTest::newRow(r.name) << r.section << r.noMove << r.simples << r.differential << r.message;
    }

    // The choice itself, and the same choice made by the tables' rules from the header window.
    void questionIsChosenByTheAnswers()
    {
        QFETCH(BalanceSection, section);
        QFETCH(bool, noMove);
        QFETCH(bool, simples);
        QFETCH(bool, differential);
        QFETCH(BalanceMessage, message);

        QCOMPARE(mensagemBalanco(section, noMove, simples, differential), message);

        f->addDeclaration();
        // Item 03 line 07 of this declaration, or of another one only.
        f->insertRow(QStringLiteral("Compras"),
                     {{QStringLiteral("AnoBase"), kYear},
                      {QStringLiteral("CGCEmpresa"), differential ? kTaxpayer : QStringLiteral("290000025")},
                      {QStringLiteral("TipoEntradas"), QStringLiteral("07 - DIFERENCIAL DE ALÍQUOTA")},
                      {QStringLiteral("TipoRegime"), QStringLiteral("A")},
                      {QStringLiteral("TipoDomicilio"), QStringLiteral("B")}});
        header->answer = noMove ? HeaderWindow::DomicileAnswer::Nao : HeaderWindow::DomicileAnswer::Sim;
        header->simples = simples;
        f->dm->fCadZEF = header.get();
        Table &table = editLine(section, 100.0, 95.0);
        f->dialogs.answer(Dialogs::Button::No);
        QVERIFY(abandoned([&] { table.post(); }));
        QCOMPARE(f->dialogs.texts(), QStringList{textoBalanco(message)});
        QCOMPARE(f->dialogs.boxes().front().icon, Dialogs::Icon::Question);
        QCOMPARE(f->dialogs.boxes().front().buttons, Dialogs::Buttons::YesNo);
    }

    void everyQuestionHasItsOwnText()
    {
        QSet<QString> texts;
        for (int m = int(BalanceMessage::C1); m <= int(BalanceMessage::S4); ++m) {
            const QString text = textoBalanco(BalanceMessage(m));
            QVERIFY(text.endsWith(QStringLiteral("Deseja continuar?")));
            QVERIFY(text.contains(QStringLiteral("sujeitará à fiscalização.")));
            texts.insert(text);
        }
        QCOMPARE(texts.size(), 17);
        QCOMPARE(textoBalanco(BalanceMessage::C1),
                 QStringLiteral("A soma da coluna 3.2 será, obrigatoriamente, igual\r\na soma do(s) total(is) da(s) "
                                "coluna(s) 3.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\r"
                                "Deseja continuar?"));
    }

    void withoutHeaderTheDeclarationAnswers_data()
    {
        QTest::addColumn<QString>("statusDRF");
        QTest::addColumn<QString>("regime");
        QTest::addColumn<BalanceMessage>("message");
        QTest::newRow("not moved, simplified") << QStringLiteral("N") << QStringLiteral("4") << BalanceMessage::C1;
        QTest::newRow("not moved, normal") << QStringLiteral("N") << QStringLiteral("3") << BalanceMessage::C2;
        QTest::newRow("moved, simplified") << QStringLiteral("S") << QStringLiteral("4") << BalanceMessage::C3;
        QTest::newRow("moved, normal") << QStringLiteral("S") << QStringLiteral("3") << BalanceMessage::C4;
    }

    void withoutHeaderTheDeclarationAnswers()
    {
        QFETCH(QString, statusDRF);
        QFETCH(QString, regime);
        QFETCH(BalanceMessage, message);
        f->addDeclaration(kYear, kTaxpayer, statusDRF, regime);
        Table &table = editLine(BalanceSection::Compras, 10.0, 1.0);
        f->dialogs.answer(Dialogs::Button::No);
        QVERIFY(abandoned([&] { table.post(); }));
        QCOMPARE(f->dialogs.texts(), QStringList{textoBalanco(message)});
    }

    void roundingOfStoredLines_data()
    {
        QTest::addColumn<double>("parts");
        QTest::addColumn<bool>("asked");
        QTest::newRow("99.996 passes") << 99.996 << false;
        QTest::newRow("99.99 fails") << 99.99 << true;
        QTest::newRow("-5.00 fails") << 105.0 << true;
        QTest::newRow("+5.00 fails") << 95.0 << true;
    }

    void roundingOfStoredLines()
    {
        QFETCH(double, parts);
        QFETCH(bool, asked);
        f->addDeclaration();
        Table &table = editLine(BalanceSection::Compras, 100.0, parts);
        if (asked)
            f->dialogs.answer(Dialogs::Button::No);
        QCOMPARE(abandoned([&] { table.post(); }), asked);
        QCOMPARE(f->dialogs.texts().size(), asked ? 1 : 0);
        QCOMPARE(stored(BalanceSection::Compras, "VlrContabil"), asked ? 0.0 : 100.0);
    }

    void answerDecidesTheStore_data()
    {
        QTest::addColumn<BalanceSection>("section");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("column");   // the grid column the editor is put on after No
        for (BalanceSection s : {BalanceSection::Compras, BalanceSection::Vendas, BalanceSection::Entrada,
                                 BalanceSection::Saidas}) {
            const char *name = shapeOf(s).table;
            const bool movesColumn = s == BalanceSection::Compras || s == BalanceSection::Entrada;
            QTest::addRow("%s, yes", name) << s << true << -1;
            QTest::addRow("%s, no", name) << s << false << (movesColumn ? 3 : -1);
        }
    }

    void answerDecidesTheStore()
    {
        QFETCH(BalanceSection, section);
        QFETCH(bool, yes);
        QFETCH(int, column);
        f->addDeclaration();
        editor = std::make_unique<FakeEditor>(f->db(), QLatin1String(shapeOf(section).table));
        editorOf(section) = editor.get();
        Table &table = editLine(section, 100.0, 40.0);
        f->dialogs.answer(yes ? Dialogs::Button::Yes : Dialogs::Button::No);
        QCOMPARE(abandoned([&] { table.post(); }), !yes);
        QCOMPARE(table.editing(), !yes);
        QCOMPARE(editor->selectedColumn, column);
        QCOMPARE(stored(section, shapeOf(section).total), yes ? 100.0 : 0.0);
        QCOMPARE(f->stampOf().isValid(), yes);
    }
};

QTEST_GUILESS_MAIN(TestRulesBalance)
#include "tst_rules_balance.moc"
