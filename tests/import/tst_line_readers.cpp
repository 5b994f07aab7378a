#include "import_fixture.h"

#include "import/import_fields.h"
#include "import/import_lookups.h"
#include "import/line_readers.h"

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::ImportTable)

namespace {

const QString kNaoPermitido =
    u" não permitido, pois não existe mudança de Domicílio Fiscal informada no segmento A18.\r\n"_s;

// A line of the file's first line number, keyed to another declaration than kIE1's of 2025.
QString mismatch(char letter, const QString &ie = kIE2, const QString &year = u"2025"_s)
{
    return u"Linha 1, seguimento %1, de outra declaração: inscrição estadual %2, ano-base %3; a declaração é da "
           u"inscrição estadual 290000017, ano-base 2025.\r\n"_s.arg(QString(QLatin1Char(letter)), ie, year);
}

} // namespace

class TestLineReaders : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    static DeclarationContext context(const QString &statusDRF = u"N"_s, const QString &regime = u"3"_s,
                                      const QString &atividade = kAtividade07)
    {
        return {kIE1, u"2025"_s, statusDRF, regime, atividade};
    }

    LineResult read(const QString &text, const DeclarationContext &ctx = context())
    {
        ImportLookups lookups(m_fx->db());
        return readDeclarationLine(m_fx->lineFrom(text), ctx, lookups);
    }

private slots:
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    // Every check of every line with its exact text; a line with a text stores nothing.
    void checks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("statusDRF");
        QTest::addColumn<QString>("atividade");
        QTest::addColumn<QString>("texto");

        const QString n = u"N"_s;
        const QString s = u"S"_s;
        const QString a07 = kAtividade07;

        // Another declaration's line, by taxpayer or by year: nothing else is checked.
        QTest::newRow("B other taxpayer") << lineB(kIE2).set(15, u"1234567"_s).text() << n << a07 << mismatch('B');
        QTest::newRow("C other taxpayer") << lineC(kIE2).text() << n << a07 << mismatch('C');
        QTest::newRow("D other taxpayer") << lineD(kIE2).text() << n << a07 << mismatch('D');
        QTest::newRow("E other taxpayer") << lineE(kIE2).text() << n << a07 << mismatch('E');
        QTest::newRow("F other taxpayer") << lineF(kIE2).text() << n << a07 << mismatch('F');
        QTest::newRow("G other taxpayer") << lineG(kIE2).text() << n << a07 << mismatch('G');
        QTest::newRow("H other taxpayer") << lineH(kIE2).text() << n << a07 << mismatch('H');
        QTest::newRow("I other taxpayer") << lineI(kIE2).text() << n << a07 << mismatch('I');
        QTest::newRow("J other taxpayer") << lineJ(kIE2).text() << n << a07 << mismatch('J');
        QTest::newRow("K other taxpayer") << lineK(kIE2).text() << n << a07 << mismatch('K');
        QTest::newRow("B other year") << lineB(kIE1, u"2024"_s).text() << n << a07 << mismatch('B', kIE1, u"2024"_s);
        QTest::newRow("C other year") << lineC(kIE1, u"2024"_s).text() << n << a07 << mismatch('C', kIE1, u"2024"_s);
        QTest::newRow("G other year") << lineG(kIE1, u"2026"_s).text() << n << a07 << mismatch('G', kIE1, u"2026"_s);
        QTest::newRow("J other year") << lineJ(kIE1, u"2024"_s).text() << n << a07 << mismatch('J', kIE1, u"2024"_s);
        QTest::newRow("K other year") << lineK(kIE1, u"2024"_s).text() << n << a07 << mismatch('K', kIE1, u"2024"_s);
        // A year that makes no date is another declaration's too.
        QTest::newRow("C year") << lineC(kIE1, u"0000"_s).text() << n << a07 << mismatch('C', kIE1, u"0000"_s);
        QTest::newRow("J year") << lineJ(kIE1, u"20 5"_s).text() << n << a07 << mismatch('J', kIE1, u"20 5"_s);

        QTest::newRow("B municipality") << lineB().set(15, u"1234567"_s).text() << n << a07
                                        << u"1234567 Não é  um código de município válido. "_s;
        QTest::newRow("B start replaces") << lineB().set(15, u"1234567"_s).set(22, u"32012025"_s).text() << n << a07
                                          << u"Não é um Período Inicial de Referência Fiscal válido."_s;
        QTest::newRow("B end") << lineB().set(30, u"        "_s).text() << n << a07
                               << u"Não é um Período final de Referência Fiscal válido."_s;
        QTest::newRow("B other domicile without a move") << lineB(kIE1, u"2025"_s, u"B"_s).text() << n << a07 << QString();

        QTest::newRow("C blank type") << lineC().set(15, u"  "_s).text() << n << a07
                                      << u" Campo tipo de entradas deve ser informado. "_s;
        QTest::newRow("C blank domicile") << lineC().set(17, u" "_s).text() << n << a07
                                          << u" Campo tipo de domicílio deve ser informado. "_s
                                                 u"Seguimento C: Tipo Domicílio Fiscal "_s + kNaoPermitido;
        QTest::newRow("C blank domicile after a move") << lineC().set(17, u" "_s).text() << s << a07
                                                       << u" Campo tipo de domicílio deve ser informado. "_s;
        QTest::newRow("C municipality") << lineC().set(18, u"1234567"_s).text() << n << a07
                                        << u"1234567 Não é  um código de município válido. "_s;
        QTest::newRow("C domicile B without a move") << lineC().set(17, u"B"_s).text() << n << a07
                                                     << u"Seguimento C: Tipo Domicílio Fiscal B"_s + kNaoPermitido;
        QTest::newRow("C domicile B after a move") << lineC().set(17, u"B"_s).text() << s << a07 << QString();
        QTest::newRow("C all at once") << lineC().set(15, u"  "_s).set(18, u"1234567"_s).set(17, u"B"_s).text() << n
                                       << a07
                                       << u" Campo tipo de entradas deve ser informado. 1234567 Não é  um código de "
                                          u"município válido. Seguimento C: Tipo Domicílio Fiscal B"_s + kNaoPermitido;

        QTest::newRow("D blank state") << lineD().set(15, u"  "_s).text() << n << a07
                                       << u" Campo tipo de entradas deve ser informado. "_s;
        QTest::newRow("D municipality") << lineD().set(18, u"9999990"_s).text() << n << a07
                                        << u"9999990 Não é  um código de município válido. "_s;
        QTest::newRow("D domicile C") << lineD().set(17, u"C"_s).text() << n << a07
                                      << u"Seguimento D: Tipo Domicílio Fiscal C"_s + kNaoPermitido;

        QTest::newRow("E blank type") << lineE().set(15, u"  "_s).text() << n << a07
                                      << u" Campo tipo de Saídas deve ser informado. "_s;
        QTest::newRow("E domicile D") << lineE().set(17, u"D"_s).text() << n << a07
                                      << u"Seguimento E: Tipo Domicílio Fiscal D"_s + kNaoPermitido;

        QTest::newRow("F blank state") << lineF().set(15, u"  "_s).text() << n << a07
                                       << u" Campo tipo de entradas deve ser informado. "_s;
        QTest::newRow("F domicile E") << lineF().set(17, u"E"_s).text() << n << a07
                                      << u"Seguimento F: Tipo Domicílio Fiscal E"_s + kNaoPermitido;

        QTest::newRow("G activity without item 07") << lineG().set(15, u"1234567"_s).set(22, u"B"_s).text() << n
                                                    << kAtividade
                                                    << u"Não é possível importar informações para o seguimento G devido "
                                                       u"a regra dos cnaes4711302-2025"_s;
        QTest::newRow("G municipality of origin") << lineG().set(15, u"1234567"_s).text() << n << a07
                                                  << u"1234567 Não é  um código de município válido. "_s;
        QTest::newRow("G blank domicile") << lineG().set(22, u" "_s).text() << s << a07
                                          << u" Campo tipo de domicílio deve ser informado. "_s;
        QTest::newRow("G municipality") << lineG().set(23, u"1234567"_s).text() << n << a07
                                        << u"1234567 Não é  um código de município válido. "_s;
        QTest::newRow("G domicile B") << lineG().set(22, u"B"_s).text() << n << a07
                                      << u"Seguimento G: Não deve ser informadoTipo Domicílio Fiscal B"_s + kNaoPermitido;

        QTest::newRow("H blank supplier") << lineH().set(15, u"         "_s).text() << n << a07
                                          << u"Não é valor válido para a Inscrição estadual da empresa."_s;
        QTest::newRow("H municipality") << lineH().set(25, u"1234567"_s).text() << n << a07
                                        << u"1234567 Não é  um código de município do domicílio fiscal válido. "_s;
        QTest::newRow("H municipality of origin") << lineH().set(32, u"7654321"_s).text() << n << a07
                                                  << u"7654321 Não é  um código de município de origem válido. "_s;
        QTest::newRow("H domicile B") << lineH().set(24, u"B"_s).text() << n << a07
                                      << u"Seguimento H: Tipo Domicílio Fiscal B"_s + kNaoPermitido;

        QTest::newRow("I blank supplier") << lineI().set(15, u"         "_s).text() << n << a07
                                          << u"Não é valor válido para a Inscrição estadual da empresa.2"_s;
        QTest::newRow("I municipality") << lineI().set(25, u"1234567"_s).text() << n << a07
                                        << u"1234567 Não é  um código de município do domicílio fiscal válido. "_s;
        QTest::newRow("I invoice number") << lineI().set(32, u"12A4567"_s).text() << n << a07
                                          << u"12A4567 Não é valor válido para o número da nota."_s;
        QTest::newRow("I domicile B") << lineI().set(24, u"B"_s).text() << n << a07
                                      << u"Seguimento I: Tipo Domicílio Fiscal B"_s + kNaoPermitido;

        QTest::newRow("J no domicile rule") << lineJ().text() << n << a07 << QString();

        QTest::newRow("K blank kind") << lineK().set(15, u" "_s).set(16, u"5554"_s).text() << n << a07
                                      << u"Não é valor válido para a Entrada e/o Saídas."_s;
        QTest::newRow("K blank code") << lineK().set(16, u"    "_s).text() << n << a07
                                      << u"Não é valor válido para Código Fiscal de Operações e de Prestações. Não é CFOP "
                                         u"válido para campo 11 - Outras Entradas por CFOP, Segmento K.\r\n"_s;
        QTest::newRow("K unknown entry code") << lineK().set(16, u"9999"_s).text() << n << a07
                                              << u"9999 Não é CFOP válido para campo 11 - Outras Entradas por CFOP, "
                                                 u"Segmento K.\r\n"_s;
        QTest::newRow("K unknown exit code") << lineK(kIE1, u"2025"_s, u"X"_s, u"9999"_s).text() << n << a07
                                             << u"9999 Não é CFOP válido para campo 10 - Outras Saídas por CFOP, "
                                                u"Segmento K.\r\n"_s;
        QTest::newRow("K municipality") << lineK().set(21, u"1234567"_s).text() << n << a07
                                        << u"1234567 Não é  um código de município do domicílio fiscal válido. "_s;
        QTest::newRow("K domicile B") << lineK().set(20, u"B"_s).text() << n << a07
                                      << u"Seguimento K: Tipo Domicílio Fiscal B"_s + kNaoPermitido;
    }

    void checks()
    {
        QFETCH(QString, line);
        QFETCH(QString, statusDRF);
        QFETCH(QString, atividade);
        QFETCH(QString, texto);
        const LineResult r = read(line, context(statusDRF, u"3"_s, atividade));
        QCOMPARE(r.texto, texto);
        QCOMPARE(r.table.has_value(), texto.isEmpty());
    }

    // A "B" line counts once it belongs to the declaration, stored or not.
    void acceptedDomiciles_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("valid") << lineB().text() << true;
        QTest::newRow("bad dates") << lineB().set(22, u"00000000"_s).text() << true;
        QTest::newRow("other taxpayer") << lineB(kIE2).text() << false;
        QTest::newRow("other year") << lineB(kIE1, u"2024"_s).text() << false;
    }

    void acceptedDomiciles()
    {
        QFETCH(QString, line);
        QFETCH(bool, accepted);
        QCOMPARE(read(line).acceptedB, accepted);
    }

    void unregisteredTaxpayer()
    {
        DeclarationContext ctx = context();
        ctx.cgcEmpresa = u"999999999"_s;
        const LineResult r = read(lineC(u"999999999"_s), ctx);
        QCOMPARE(r.texto, u"999999999 Não é uma Inscrição Estadual válida. "_s);
    }

    // The rows: type and state texts, cents in reais, the Simples Nacional amounts at 0.
    void rows_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("regime");
        QTest::addColumn<zef::ImportTable>("table");
        QTest::addColumn<QVariantList>("values");
        const QString y = u"2025"_s;
        const QString m = kMunicipio;
        const QString t3 = u"3"_s;
        const QString t4 = u"4"_s;

        QTest::newRow("B") << lineB().text() << t3 << ImportTable::ZefMunAnterior
                           << QVariantList{kIE1, y, m, QDate(2025, 1, 1), QDate(2025, 6, 30), u"A"_s};
        QTest::newRow("C") << lineC().set(25, u"00000000012345"_s).text() << t3 << ImportTable::Compras
                           << QVariantList{kIE1, y, u"01 - COMPRAS"_s, u"A"_s, u"A"_s, m, 123.45, 2.0, 3.0, 4.0};
        QTest::newRow("C Simples") << lineC().text() << t4 << ImportTable::Compras
                                   << QVariantList{kIE1, y, u"01 - COMPRAS"_s, u"A"_s, u"A"_s, m, 1.0, 0.0, 0.0, 4.0};
        QTest::newRow("C Simples 07") << lineC(kIE1, y, u"07"_s).text() << t4 << ImportTable::Compras
                                      << QVariantList{kIE1, y, u"07 - DIFERENCIAL DE ALÍQUOTA"_s, u"A"_s, u"A"_s, m,
                                                      1.0, 0.0, 3.0, 0.0};
        QTest::newRow("C 11") << lineC(kIE1, y, u"11"_s).text() << t3 << ImportTable::Compras
                              << QVariantList{kIE1, y, u"11 - OUTRAS ENTRADAS"_s, u"A"_s, u"A"_s, m, 1.0, 2.0, 3.0, 4.0};
        QTest::newRow("C unknown code") << lineC(kIE1, y, u"12"_s).text() << t3 << ImportTable::Compras
                                        << QVariantList{kIE1, y, QString(), u"A"_s, u"A"_s, m, 1.0, 2.0, 3.0, 4.0};
        QTest::newRow("D") << lineD().text() << t3 << ImportTable::Entrada
                           << QVariantList{kIE1, y, u"VD"_s, u"A"_s, u"A"_s, m, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
        QTest::newRow("D Simples abroad") << lineD(kIE1, y, u"90"_s).text() << t4 << ImportTable::Entrada
                                          << QVariantList{kIE1, y, u"EX"_s, u"A"_s, u"A"_s, m, 1.0, 0.0, 3.0, 4.0, 5.0, 6.0};
        QTest::newRow("D code 09") << lineD(kIE1, y, u"09"_s).text() << t3 << ImportTable::Entrada
                                   << QVariantList{kIE1, y, QString(), u"A"_s, u"A"_s, m, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
        QTest::newRow("E") << lineE(kIE1, y, u"10"_s).text() << t3 << ImportTable::Vendas
                           << QVariantList{kIE1, y, u"10 - OUTRAS SAÍDAS"_s, u"A"_s, u"A"_s, m, 1.0, 2.0, 3.0, 4.0};
        QTest::newRow("E Simples") << lineE(kIE1, y, u"04"_s).text() << t4 << ImportTable::Vendas
                                   << QVariantList{kIE1, y, u"04 - ENERGIA ELÉTRICA"_s, u"A"_s, u"A"_s, m, 1.0, 0.0, 0.0, 4.0};
        QTest::newRow("E code 11") << lineE(kIE1, y, u"11"_s).text() << t3 << ImportTable::Vendas
                                   << QVariantList{kIE1, y, QString(), u"A"_s, u"A"_s, m, 1.0, 2.0, 3.0, 4.0};
        QTest::newRow("F") << lineF(kIE1, y, u"26"_s).text() << t3 << ImportTable::Saidas
                           << QVariantList{kIE1, y, u"SP"_s, u"A"_s, u"A"_s, m, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0};
        QTest::newRow("F Simples") << lineF().text() << t4 << ImportTable::Saidas
                                   << QVariantList{kIE1, y, u"VD"_s, u"A"_s, u"A"_s, m, 1.0, 2.0, 0.0, 0.0, 0.0, 6.0, 7.0};
        QTest::newRow("G") << lineG().text() << t3 << ImportTable::SaidasMun
                           << QVariantList{kIE1, y, kMunicipio2, u"A"_s, u"A"_s, m, 1.0, 2.0};
        QTest::newRow("H") << lineH().text() << t3 << ImportTable::ProdutosDiferidos
                           << QVariantList{kIE1, y, kIE3, u"A"_s, u"A"_s, m, kMunicipio2};
        QTest::newRow("I") << lineI().text() << t3 << ImportTable::ProdutosDiferidosNotas
                           << QVariantList{kIE1, y, kIE3, u"A"_s, m, 1234, 1.0};
        QTest::newRow("J totals") << lineJ().set(15, amt(10000)).set(29, amt(2000)).set(43, amt(300)).text() << t3
                                  << ImportTable::Estoque
                                  << QVariantList{kIE1, y, 100.0, 20.0, 3.0, 400.0, 50.0, 6.0, 123.0, 456.0};
        QTest::newRow("J Simples") << lineJ().text() << t4 << ImportTable::Estoque
                                   << QVariantList{kIE1, y, 100.0, 0.0, 3.0, 400.0, 0.0, 6.0, 103.0, 406.0};
        QTest::newRow("K") << lineK().text() << t3 << ImportTable::CFOPOperacoes
                           << QVariantList{kIE1, y, u"E"_s, 1554, u"A"_s, m, 1.0, 2.0, 3.0, 4.0};
        QTest::newRow("K Simples") << lineK(kIE1, y, u"S"_s, u"5554"_s).text() << t4 << ImportTable::CFOPOperacoes
                                   << QVariantList{kIE1, y, u"S"_s, 5554, u"A"_s, m, 1.0, 0.0, 0.0, 4.0};
    }

    void rows()
    {
        QFETCH(QString, line);
        QFETCH(QString, regime);
        QFETCH(zef::ImportTable, table);
        QFETCH(QVariantList, values);
        const LineResult r = read(line, context(u"N"_s, regime));
        QCOMPARE(r.texto, QString());
        QVERIFY(r.table.has_value());
        QCOMPARE(*r.table, table);
        QCOMPARE(r.values.size(), values.size());
        for (int i = 0; i < values.size(); ++i) {
            const QVariant got = r.values.at(i);
            const QVariant want = values.at(i);
            if (want.typeId() == QMetaType::Double) {
                QCOMPARE(got.typeId(), QMetaType::Double);
                QCOMPARE(got.toDouble(), want.toDouble());
            } else {
                QCOMPARE(got.toString(), want.toString());
            }
        }
    }

    // A line that ends before its last field, of every letter.
    void truncated_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("positions");
        auto row = [](const char *name, const Line &full, const char *field, int from, int to) {
            QTest::newRow(name) << Line(full).cut(to - 1).text() << QString::fromLatin1(field)
                                << u"%1 a %2"_s.arg(from).arg(to);
        };
        row("B", lineB(), "TipoDomicilio", 38, 38);
        row("C", lineC(), "SubTributaria", 67, 80);
        row("D", lineD(), "SubsTributaria", 95, 108);
        row("E", lineE(), "SubTributaria", 67, 80);
        row("F", lineF(), "ICMSSubTribSaidas", 109, 122);
        row("G", lineG(), "Devolucoes", 44, 57);
        row("H", lineH(), "MunicipioID", 32, 38);
        row("I", lineI(), "VlrDiferido", 39, 52);
        row("J", lineJ(), "EstFinalSubTrib", 85, 98);
        row("K", lineK(), "SubTributaria", 70, 83);
        QTest::newRow("only the letter") << u"C"_s << u"CGCEmpresa"_s << u"2 a 10"_s;
        QTest::newRow("year cut") << u"G2900000172"_s << u"AnoBase"_s << u"11 a 14"_s;
    }

    void truncated()
    {
        QFETCH(QString, line);
        QFETCH(QString, field);
        QFETCH(QString, positions);
        try {
            read(line);
            QFAIL("no error");
        } catch (const ImportError &e) {
            QCOMPARE(e.message(), u"Linha 1: a linha termina antes do fim do campo %1 (posições %2). "
                                  u"Importação interrompida."_s
                                      .arg(field, positions));
        }
    }

    // A line that is longer than its layout is read up to its last field.
    void longerLine()
    {
        const LineResult r = read(lineC().pad(10000).set(9000, u"LIXO"_s));
        QCOMPARE(r.texto, QString());
        QVERIFY(r.table.has_value());
    }

    // Amounts are read only for a valid line, and not where the Simples Nacional zeroes them.
    void amounts_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("regime");
        QTest::addColumn<QString>("error");
        QTest::newRow("bad amount") << lineC().set(39, u"00000000000A00"_s).text() << u"3"_s
                                    << u"Linha 1, campo BaseCalculo (posições 39 a 52): \"00000000000A00\" não é um valor "
                                       u"válido. Importação interrompida."_s;
        QTest::newRow("first bad amount named") << lineD().set(95, u"X"_s).set(25, u"Y"_s).text() << u"3"_s
                                                << u"Linha 1, campo VlrContabilEntrada (posições 25 a 38): "
                                                   u"\"Y0000000000100\" não é um valor válido. Importação interrompida."_s;
        QTest::newRow("zeroed by the regime") << lineC().set(39, u"00000000000A00"_s).text() << u"4"_s << QString();
        QTest::newRow("line with faults") << lineC().set(18, u"1234567"_s).set(39, u"XXXXXXXXXXXXXX"_s).text()
                                          << u"3"_s << QString();
        QTest::newRow("J exempt stock under Simples") << lineJ().set(29, u"??????????????"_s).text() << u"4"_s
                                                      << QString();
        QTest::newRow("J exempt stock") << lineJ().set(71, u"??????????????"_s).text() << u"3"_s
                                        << u"Linha 1, campo EstoqueFinalIsento (posições 71 a 84): \"??????????????\" "
                                           u"não é um valor válido. Importação interrompida."_s;
    }

    void amounts()
    {
        QFETCH(QString, line);
        QFETCH(QString, regime);
        QFETCH(QString, error);
        try {
            read(line, context(u"N"_s, regime));
            QVERIFY(error.isEmpty());
        } catch (const ImportError &e) {
            QCOMPARE(e.message(), error);
        }
    }

    void codeLists()
    {
        QCOMPARE(tipoEntradasDoCodigo(u"10"_s), u"10 - AQUISIÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"_s);
        QCOMPARE(tipoEntradasDoCodigo(u"1"_s), QString());
        QCOMPARE(tipoEntradasDoCodigo(u"00"_s), QString());
        QCOMPARE(tipoVendasDoCodigo(u"09"_s), u"09 - PRESTAÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"_s);
        const char *codes[][2] = {{"01", "AC"}, {"07", "DF"}, {"08", "ES"}, {"09", ""},   {"10", "GO"},
                                  {"11", ""},   {"12", "MA"}, {"14", "MG"}, {"21", "RS"}, {"22", "RJ"},
                                  {"28", "MS"}, {"29", "VD"}, {"90", "EX"}, {"30", ""},   {"9", ""}};
        for (const auto &c : codes)
            QCOMPARE(siglaUFDoCodigo(QString::fromLatin1(c[0])), QString::fromLatin1(c[1]));
    }

    void otherLettersGiveNothing()
    {
        const LineResult r = read(u"X290000017"_s);
        QCOMPARE(r.texto, QString());
        QVERIFY(!r.table);
    }
};

QTEST_GUILESS_MAIN(TestLineReaders)
#include "tst_line_readers.moc"
