#include "import_fixture.h"

#include "engine/engine_error.h"
#include "import/import_store.h"

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::ImportTable)

namespace {

const char *const kSections[] = {"ZefMunAnterior", "Compras", "Entrada", "Vendas", "Saidas", "SaidasMun",
                                 "ProdutosDiferidos", "ProdutosDiferidosNotas", "Estoque", "CFOPOperacoes"};

ImportHeader header(const QString &ie = kIE1, const QString &year = u"2025"_s)
{
    ImportHeader h;
    h.cgcEmpresa = ie;
    h.anoBase = year;
    h.retificacao = u"N"_s;
    h.codigoAtividade = kAtividade07;
    h.tipoEstabelecimento = u"1"_s;
    h.finalidade = u"1"_s;
    h.tipoEscrita = u"2"_s;
    h.regimeApuracao = u"3"_s;
    h.codigoMunicipio = kMunicipio;
    h.periodoRefInicio = QDate(2025, 1, 1);
    h.periodoRefFinal = QDate(2025, 12, 31);
    h.cpfContador = kCPF;
    h.responsavel = u"PEDRO ALVES"_s;
    h.vlrCaixaI = 1500.0;
    h.vlrCCaixaI = 2500.75;
    h.vlrPatrimLiq = 123.45;
    h.statusDRF = u"N"_s;
    h.dataDeclaracao = kHoje;
    return h;
}

QVariantList compra(const QString &year = u"2025"_s, const QString &type = u"01 - COMPRAS"_s, double value = 1.0)
{
    return {kIE1, year, type, u"A"_s, u"A"_s, kMunicipio, value, 0.0, 0.0, 0.0};
}

} // namespace

class TestImportStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    // One row in every section table for a key, written past the import.
    void fillSections(const QString &ie, const QString &year)
    {
        for (const char *t : kSections)
            m_fx->exec(u"insert into %1 (AnoBase, CGCEmpresa) values (:p0, :p1)"_s.arg(QLatin1String(t)), {year, ie});
    }

    int sectionRows(const QString &ie, const QString &year)
    {
        int n = 0;
        for (const char *t : kSections)
            n += m_fx->rows(QString::fromLatin1(t), ie, year);
        return n;
    }

private slots:
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    void headerIsStoredAndItsSectionsEmptied()
    {
        fillSections(kIE1, u"2025"_s);
        fillSections(kIE1, u"2024"_s);
        fillSections(kIE2, u"2025"_s);
        {
            ImportStore store(m_fx->db());
            store.storeHeader(header());
        }
        QCOMPARE(sectionRows(kIE1, u"2025"_s), 0);
        QCOMPARE(sectionRows(kIE1, u"2024"_s), 10);
        QCOMPARE(sectionRows(kIE2, u"2025"_s), 10);

        Query q(m_fx->db(), u"select * from zef where CGCEmpresa = :p0 and AnoBase = '2025'"_s);
        q.setParam(u"p0"_s, kIE1);
        q.open();
        QCOMPARE(q.recordCount(), 1);
        auto f = [&](const char *name) { return q.fieldByName(QString::fromLatin1(name)); };
        QCOMPARE(f("Retificacao")->asString(), u"N"_s);
        QCOMPARE(f("CodigoAtividade")->asString(), kAtividade07);
        QCOMPARE(f("TipoEstabelecimento")->asString(), u"1"_s);
        QCOMPARE(f("Finalidade")->asString(), u"1"_s);
        QCOMPARE(f("TipoEscrita")->asString(), u"2"_s);
        QCOMPARE(f("RegimeApuracao")->asString(), u"3"_s);
        QCOMPARE(f("CodigoMunicipio")->asString(), kMunicipio);
        QCOMPARE(f("PeriodoRefInicio")->asDate(), QDate(2025, 1, 1));
        QCOMPARE(f("PeriodoRefFinal")->asDate(), QDate(2025, 12, 31));
        QCOMPARE(f("CPFContador")->asString(), kCPF);
        QCOMPARE(f("Responsavel")->asString(), u"PEDRO ALVES"_s);
        QCOMPARE(f("VlrCaixaI")->asFloat(), 1500.0);
        QCOMPARE(f("VlrCCaixaI")->asFloat(), 2500.75);
        QCOMPARE(f("VlrPatrimLiq")->asFloat(), 123.45);
        QCOMPARE(f("StatusDRF")->asString(), u"N"_s);
        QCOMPARE(f("DataDeclaracao")->asDate(), kHoje);
        QVERIFY(f("Importado")->isNull());
    }

    void markImported()
    {
        ImportStore store(m_fx->db());
        store.storeHeader(header());
        store.storeHeader(header(kIE1, u"2024"_s));
        store.markImported(kIE1, u"2025"_s);
        QVERIFY(m_fx->scalar(u"select Importado from zef where AnoBase = '2025'"_s).toBool());
        QVERIFY(m_fx->scalar(u"select Importado from zef where AnoBase = '2024'"_s).isNull());
    }

    // The removal takes the header and the ten section tables of the key, nothing else.
    void removal()
    {
        fillSections(kIE1, u"2025"_s);
        fillSections(kIE1, u"2024"_s);
        fillSections(kIE2, u"2025"_s);
        m_fx->exec(u"insert into zef (AnoBase, CGCEmpresa) values ('2025', :p0)"_s, {kIE1});
        m_fx->exec(u"insert into zef (AnoBase, CGCEmpresa) values ('2024', :p0)"_s, {kIE1});
        m_fx->exec(u"insert into Operacoes (AnoBase, CGCEmpresa) values ('2025', :p0)"_s, {kIE1});
        ImportStore store(m_fx->db());
        store.removeDeclaration(kIE1, u"2025"_s);
        QCOMPARE(m_fx->allRows(kIE1, u"2025"_s), 0);
        QCOMPARE(m_fx->allRows(kIE1, u"2024"_s), 11);
        QCOMPARE(m_fx->allRows(kIE2, u"2025"_s), 10);
        QCOMPARE(m_fx->rows(u"Operacoes"_s), 1);   // not the import's
    }

    void rowsOfEveryTable_data()
    {
        QTest::addColumn<zef::ImportTable>("table");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantList>("values");
        const QString y = u"2025"_s;
        const QString a = u"A"_s;
        QTest::newRow("B") << ImportTable::ZefMunAnterior << u"ZefMunAnterior"_s
                           << QVariantList{kIE1, y, kMunicipio, QDate(2025, 1, 1), QDate(2025, 6, 30), a};
        QTest::newRow("C") << ImportTable::Compras << u"Compras"_s << compra();
        QTest::newRow("D") << ImportTable::Entrada << u"Entrada"_s
                           << QVariantList{kIE1, y, u"VD"_s, a, a, kMunicipio, 1.0, 2.0, 3.0, 4.0, 5.0, -6.0};
        QTest::newRow("E") << ImportTable::Vendas << u"Vendas"_s
                           << QVariantList{kIE1, y, u"01 - VENDAS"_s, a, a, kMunicipio, 1.0, 2.0, 3.0, 4.0};
        QTest::newRow("F") << ImportTable::Saidas << u"Saidas"_s
                           << QVariantList{kIE1, y, u"SP"_s, a, a, kMunicipio, 1.0, 2.0, 3.0, 4.0, 5.0, -6.0, 7.0};
        QTest::newRow("G") << ImportTable::SaidasMun << u"SaidasMun"_s
                           << QVariantList{kIE1, y, kMunicipio2, a, a, kMunicipio, 1.0, 2.0};
        QTest::newRow("H") << ImportTable::ProdutosDiferidos << u"ProdutosDiferidos"_s
                           << QVariantList{kIE1, y, kIE3, a, a, kMunicipio, kMunicipio2};
        QTest::newRow("I") << ImportTable::ProdutosDiferidosNotas << u"ProdutosDiferidosNotas"_s
                           << QVariantList{kIE1, y, kIE3, a, kMunicipio, 1234, 5.5};
        QTest::newRow("J") << ImportTable::Estoque << u"Estoque"_s
                           << QVariantList{kIE1, y, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 6.0, 15.0};
        QTest::newRow("K") << ImportTable::CFOPOperacoes << u"CFOPOperacoes"_s
                           << QVariantList{kIE1, y, u"E"_s, 1554, a, kMunicipio, 1.0, 2.0, 3.0, 4.0};
    }

    void rowsOfEveryTable()
    {
        QFETCH(zef::ImportTable, table);
        QFETCH(QString, name);
        QFETCH(QVariantList, values);
        ImportStore store(m_fx->db());
        store.storeRow(table, values);
        QCOMPARE(m_fx->rows(name), 1);
        // The statement lists its columns; each value went to its own.
        const QString statement = ImportStore::importStatement(table);
        const qsizetype open = statement.indexOf(u'(');
        const QStringList columns = statement.mid(open + 1, statement.indexOf(u')') - open - 1).split(u',');
        QCOMPARE(columns.size(), values.size());
        Query q(m_fx->db(), u"select * from %1"_s.arg(name));
        q.open();
        for (int i = 0; i < columns.size(); ++i) {
            const Field *f = q.fieldByName(columns.at(i).trimmed());
            const QVariant want = values.at(i);
            if (want.typeId() == QMetaType::QDate)
                QCOMPARE(f->asDate(), want.toDate());
            else if (want.typeId() == QMetaType::Double)
                QCOMPARE(f->asFloat(), want.toDouble());
            else
                QCOMPARE(f->value().toString(), want.toString());
        }
    }

    // Rows are kept to the rules the tables impose on every row posted to them.
    void columnRules_data()
    {
        QTest::addColumn<zef::ImportTable>("table");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("message");
        const QString y = u"2025"_s;
        const QString a = u"A"_s;
        QTest::newRow("type required") << ImportTable::Compras << compra(y, QString())
                                       << u"O campo 'TipoEntradas' deve ser preenchido."_s;
        QTest::newRow("negative purchase") << ImportTable::Compras << compra(y, u"01 - COMPRAS"_s, -0.01)
                                           << u"Valor contábil não pode ser negativo"_s;
        QTest::newRow("state required") << ImportTable::Entrada
                                        << QVariantList{kIE1, y, QString(), a, a, kMunicipio, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0}
                                        << u"O campo 'UFEntrada' deve ser preenchido."_s;
        QTest::newRow("negative base of entries")
            << ImportTable::Entrada << QVariantList{kIE1, y, u"VD"_s, a, a, kMunicipio, 1.0, -2.0, 3.0, 4.0, 5.0, 6.0}
            << u"O campo Base de Cálculo não pode ser negativo"_s;
        QTest::newRow("negative exits without message")
            << ImportTable::Saidas << QVariantList{kIE1, y, u"SP"_s, a, a, kMunicipio, -1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0}
            << u"Valor inválido no campo 'VlrContSaidaContrib'."_s;
        QTest::newRow("negative stock") << ImportTable::Estoque
                                        << QVariantList{kIE1, y, 1.0, 2.0, 3.0, -4.0, 5.0, 6.0, 6.0, 7.0}
                                        << u"O campo de preenchimento não pode ser negativo"_s;
        QTest::newRow("negative CFOP amount") << ImportTable::CFOPOperacoes
                                              << QVariantList{kIE1, y, u"E"_s, 1554, a, kMunicipio, 1.0, 2.0, -3.0, 4.0}
                                              << u"Valor contábil não pode ser negativo"_s;
        QTest::newRow("negative return") << ImportTable::SaidasMun
                                         << QVariantList{kIE1, y, kMunicipio2, a, a, kMunicipio, 1.0, -2.0}
                                         << u"Valor inválido no campo 'Devolucoes'."_s;
    }

    void columnRules()
    {
        QFETCH(zef::ImportTable, table);
        QFETCH(QVariantList, values);
        QFETCH(QString, message);
        ImportStore store(m_fx->db());
        try {
            store.storeRow(table, values);
            QFAIL("row stored");
        } catch (const EngineError &e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(m_fx->allRows(), 0);
    }

    void keyViolation()
    {
        ImportStore store(m_fx->db());
        store.storeRow(ImportTable::Compras, compra());
        try {
            store.storeRow(ImportTable::Compras, compra());
            QFAIL("row stored twice");
        } catch (const EngineError &e) {
            QCOMPARE(e.message(), QString::fromLatin1(kKeyViolation));
        }
        // The prepared statement is usable again after a refusal.
        store.storeRow(ImportTable::Compras, compra(u"2025"_s, u"02 - TRANSFERÊNCIAS"_s));
        QCOMPARE(m_fx->rows(u"Compras"_s), 2);
    }

    // Values are bound, never part of a statement: quotes and SQL are stored as the text they are.
    void hostileTextIsText()
    {
        const QString hostile = u"'); delete from zef; --"_s;
        ImportHeader h = header();
        h.responsavel = hostile;
        h.codigoAtividade = u"'"_s;
        ImportStore store(m_fx->db());
        store.storeHeader(h);
        store.storeRow(ImportTable::ProdutosDiferidos,
                       {kIE1, u"2025"_s, u"' or 1=1 "_s, u"A"_s, u"A"_s, hostile.left(7), u"\"x\""_s});
        store.removeDeclaration(u"' or ''='"_s, u"2025"_s);
        QCOMPARE(m_fx->totalRows(u"zef"_s), 1);
        QCOMPARE(m_fx->scalar(u"select Responsavel from zef"_s).toString(), hostile);
        QCOMPARE(m_fx->scalar(u"select CodigoAtividade from zef"_s).toString(), u"'"_s);
        QCOMPARE(m_fx->scalar(u"select IEOrigem from ProdutosDiferidos"_s).toString(), u"' or 1=1 "_s);
        QCOMPARE(m_fx->scalar(u"select MunicipioID from ProdutosDiferidos"_s).toString(), u"\"x\""_s);
    }

    // An empty text is stored as no value, as the tables keep every empty text.
    void emptyTextIsNull()
    {
        ImportStore store(m_fx->db());
        store.storeRow(ImportTable::ProdutosDiferidos, {kIE1, u"2025"_s, kIE3, u"A"_s, QString(), kMunicipio, kMunicipio2});
        QVERIFY(m_fx->scalar(u"select count(*) from ProdutosDiferidos where TipoDomicilio is null"_s).toInt() == 1);
    }
};

QTEST_GUILESS_MAIN(TestImportStore)
#include "tst_import_store.moc"
