#include "import_fixture.h"

#include "import/header_checks.h"
#include "import/import_fields.h"
#include "import/import_lookups.h"

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

class TestHeaderChecks : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    HeaderCheck check(const QString &text, const QDate &today = kHoje)
    {
        ImportLookups lookups(m_fx->db());
        return checkHeaderLine(m_fx->lineFrom(text), lookups, today);
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<Fixture>();
        // A declaration of 2024 is registered already.
        m_fx->exec(u"insert into zef (AnoBase, CGCEmpresa) values ('2024', :p0)"_s, {kIE1});
    }

    void cleanup() { m_fx.reset(); }

    void validLine()
    {
        const HeaderCheck c = check(lineA());
        QCOMPARE(c.erro, QString());
        QVERIFY(!c.jaCadastrada);
        QVERIFY(!c.anoFuturo);
        QCOMPARE(c.razaoSocial, u"EMPRESA UM LTDA"_s);
        const ImportHeader &h = c.header;
        QCOMPARE(h.cgcEmpresa, kIE1);
        QCOMPARE(h.anoBase, u"2025"_s);
        QCOMPARE(h.retificacao, u"N"_s);
        QCOMPARE(h.codigoAtividade, kAtividade07);
        QCOMPARE(h.tipoEstabelecimento, u"1"_s);
        QCOMPARE(h.finalidade, u"1"_s);
        QCOMPARE(h.tipoEscrita, u"1"_s);
        QCOMPARE(h.regimeApuracao, u"3"_s);
        QCOMPARE(h.codigoMunicipio, kMunicipio);
        QCOMPARE(h.periodoRefInicio, QDate(2025, 1, 1));
        QCOMPARE(h.periodoRefFinal, QDate(2025, 12, 31));
        QCOMPARE(h.cpfContador, kCPF);
        QCOMPARE(h.responsavel, u"PEDRO ALVES"_s);   // without the padding of its 80 positions
        QCOMPARE(h.vlrCaixaI, 1500.00);
        QCOMPARE(h.vlrCCaixaI, 2500.75);
        QCOMPARE(h.vlrPatrimLiq, 99000.00);
        QCOMPARE(h.statusDRF, u"N"_s);
        QCOMPARE(h.dataDeclaracao, kHoje);
    }

    // Each check with its text, and how := and += and the stops combine.
    void checks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("erro");
        QTest::addColumn<bool>("jaCadastrada");
        const QString cpfMissing = u"CPF: 11144477735 não localizado no cadastro de contabilista.\r\n"_s;

        QTest::newRow("188 characters") << lineA().cut(188).text() << u"Tamanho do seguimento \"A\" inválido!"_s << false;
        QTest::newRow("190 characters") << lineA().pad(190).text() << u"Tamanho do seguimento \"A\" inválido!"_s << false;
        QTest::newRow("10,000 characters") << lineA().pad(10000).text() << u"Tamanho do seguimento \"A\" inválido!"_s << false;
        QTest::newRow("length before version") << lineA().set(184, u"1999.1"_s).cut(188).text()
                                          << u"Tamanho do seguimento \"A\" inválido!"_s << false;
        QTest::newRow("version") << lineA().set(184, u"2025.1"_s).text() << u"Versão do arquivo inválida!"_s << false;
        QTest::newRow("version before taxpayer") << lineA(u"999999999"_s).set(184, u"2026.2"_s).text()
                                          << u"Versão do arquivo inválida!"_s << false;
        QTest::newRow("taxpayer") << lineA(u"999999999"_s).text()
                                     << u" Inscrição Estadual 999999999 não localizada no cadastro de contribuintes. "_s << false;
        QTest::newRow("unknown taxpayer stops") << lineA(u"999999999"_s).set(15, u"X"_s).set(27, u"1234567"_s).text()
                                 << u" Inscrição Estadual 999999999 não localizada no cadastro de contribuintes. "_s << false;
        QTest::newRow("year") << lineA().set(11, u"0000"_s).text() << u"0000 Não é um período de referencia válido."_s << false;
        QTest::newRow("rectification replaces year") << lineA().set(11, u"0000"_s).set(15, u"X"_s).text()
                                           << u"XNão valor válido para o campo retificação."_s << false;
        QTest::newRow("rectification") << lineA().set(15, u"X"_s).text()
                                          << u"XNão valor válido para o campo retificação."_s << false;
        QTest::newRow("rectification blank") << lineA().set(15, u" "_s).text()
                                                << u" Não valor válido para o campo retificação."_s << false;
        QTest::newRow("registered") << lineA(kIE1, u"2024"_s).text()
                                       << u"ZEF Referência 2024 já Cadastrada para o contribuinte EMPRESA UM LTDA"_s << true;
        QTest::newRow("registered replaces and stops") << lineA(kIE1, u"2024"_s).set(15, u"X"_s).set(23, u"9"_s).text()
                                                << u"ZEF Referência 2024 já Cadastrada para o contribuinte EMPRESA UM LTDA"_s
                                                << true;
        QTest::newRow("activity of the old classification")
            << lineA().set(16, u"4751200"_s).text()
            << u"IE: 290000017 4751200 não é um código de atividade econômica válido para o ano de 2025"_s << false;
        QTest::newRow("old activity stops") << lineA().set(16, u"1091100"_s).set(23, u"9"_s).set(27, u"1234567"_s).text()
                                 << u"IE: 290000017 1091100 não é um código de atividade econômica válido para o ano de 2025"_s
                                 << false;
        QTest::newRow("before 2010 the old code is valid") << lineA(kIE1, u"2009"_s).set(16, u"4751200"_s).text()
                                                              << QString() << false;
        QTest::newRow("activity") << lineA().set(16, u"0000000"_s).text()
                                     << u"0000000 não é um código de atividade econômica válido."_s << false;
        QTest::newRow("establishment") << lineA().set(23, u"4"_s).text()
                                           << u"4 não é válido para Tipo de Estabelecimento ."_s << false;
        QTest::newRow("purpose") << lineA().set(24, u"3"_s).text() << u"3Tipo de Finalidade informada inválida"_s
                                     << false;
        QTest::newRow("closing purpose for a past year") << lineA().set(24, u"2"_s).text()
            << u"Finalidade de Baixa não pode ser informada para ZEF com Ano Base anterior a 2026."_s << false;
        QTest::newRow("suspension for a past year") << lineA().set(24, u"4"_s).text()
            << u"Finalidade de Baixa não pode ser informada para ZEF com Ano Base anterior a 2026."_s << false;
        QTest::newRow("annual purpose for the current year") << lineA(kIE1, u"2026"_s).text()
            << u"Finalidade de Informação Anual não pode ser informada para Ano Base 2026."_s << false;
        QTest::newRow("closing purpose for the current year") << lineA(kIE1, u"2026"_s).set(24, u"2"_s).text()
                                                                  << QString() << false;
        QTest::newRow("book-keeping") << lineA().set(25, u"x"_s).text()
                                          << u"XTipo de Escrituração informado inválido"_s << false;
        QTest::newRow("book-keeping blank") << lineA().set(25, u" "_s).text()
                                                << u"Tipo de Escrituração informado inválido"_s << false;
        QTest::newRow("regime") << lineA().set(26, u"5"_s).text()
                                    << u"5Tipo de Tipo de Regime de Apuração informado inválido"_s << false;
        QTest::newRow("municipality") << lineA().set(27, u"1234567"_s).text()
                                          << u"1234567 Não é  um código de município válido. "_s << false;
        QTest::newRow("municipality adds to rectification") << lineA().set(15, u"X"_s).set(27, u"1234567"_s).text()
                                        << u"XNão valor válido para o campo retificação.1234567 Não é  um código de município válido. "_s
                                        << false;
        QTest::newRow("start replaces municipality") << lineA().set(27, u"1234567"_s).set(34, u"32012025"_s).text()
                                             << u"Não é um Período Inicial de Referência Fiscal válido."_s << false;
        QTest::newRow("start") << lineA().set(34, u"00000000"_s).text()
                                   << u"Não é um Período Inicial de Referência Fiscal válido."_s << false;
        QTest::newRow("end") << lineA().set(42, u"31022025"_s).text()
                                 << u"Não é um Período final de Referência Fiscal válido."_s << false;
        QTest::newRow("check digits") << lineA().set(50, u"11144477736"_s).text()
                                          << u"CPF do Contador inválido"
                                             u"CPF: 11144477736 não localizado no cadastro de contabilista.\r\n"_s
                                          << false;
        QTest::newRow("accountant") << lineA().set(50, u"11144477735"_s).text() << cpfMissing << false;
        QTest::newRow("accountant trimmed") << lineA().set(50, u"1114447773 "_s).text()
                                       << u"CPF do Contador inválidoCPF: 1114447773 não localizado no cadastro de contabilista.\r\n"_s
                                       << false;
        QTest::newRow("domicile flag") << lineA().set(183, u"X"_s).text()
                                           << u"Deve ser informado se houve mudança de domicílio."_s << false;
        QTest::newRow("domicile flag replaces accountant") << lineA().set(50, u"11144477735"_s).set(183, u"X"_s).text()
                                             << u"Deve ser informado se houve mudança de domicílio."_s << false;
    }

    void checks()
    {
        QFETCH(QString, line);
        QFETCH(QString, erro);
        QFETCH(bool, jaCadastrada);
        const HeaderCheck c = check(line);
        QCOMPARE(c.erro, erro);
        QCOMPARE(c.jaCadastrada, jaCadastrada);
        QVERIFY(!c.anoFuturo);
        QCOMPARE(c.cgcEmpresa, trimRight(line.mid(1, 9)));
        QCOMPARE(c.anoBase, trimRight(line.mid(10, 4)));
    }

    // Book-keeping kind and regime are read trimmed and upper-cased; the other codes as they stand.
    void codesAreStoredAsRead()
    {
        const HeaderCheck c = check(lineA().set(26, u"4"_s).set(183, u"S"_s).set(15, u"S"_s));
        QCOMPARE(c.erro, QString());
        QCOMPARE(c.header.regimeApuracao, u"4"_s);
        QCOMPARE(c.header.statusDRF, u"S"_s);
        QCOMPARE(c.header.retificacao, u"S"_s);
    }

    void futureYear_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("future");
        QTest::newRow("next year") << lineA(kIE1, u"2027"_s).text() << true;
        QTest::newRow("next year, other faults before") << lineA(kIE1, u"2027"_s).set(15, u"X"_s).text() << true;
        QTest::newRow("current year") << lineA(kIE1, u"2026"_s).set(24, u"2"_s).text() << false;
        QTest::newRow("next year, unknown taxpayer") << lineA(u"999999999"_s, u"2027"_s).text() << false;
    }

    void futureYear()
    {
        QFETCH(QString, line);
        QFETCH(bool, future);
        QCOMPARE(check(line).anoFuturo, future);
        QCOMPARE(textoAnoFuturo(),
                 u"O ZEF com período de referência anterior a  deverá ser informada no programa ZEF 2013"_s);
    }

    void unreadableFields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("year") << lineA(kIE1, u"20X5"_s).text()
                              << u"Linha 1, campo AnoBase (posições 11 a 14): \"20X5\" não é um valor válido. "
                                 u"Importação interrompida."_s;
        QTest::newRow("cash") << lineA().set(141, u"0000000001500X"_s).text()
                              << u"Linha 1, campo VlrCaixaI (posições 141 a 154): \"0000000001500X\" não é um valor "
                                 u"válido. Importação interrompida."_s;
        QTest::newRow("net worth") << lineA().set(169, u"              "_s).text()
                                   << u"Linha 1, campo VlrPatrimLiq (posições 169 a 182): \"              \" não é um "
                                      u"valor válido. Importação interrompida."_s;
    }

    void unreadableFields()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        try {
            check(line);
            QFAIL("no error");
        } catch (const ImportError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    // The amounts are not read when a check has stopped before them.
    void amountsOfAStoppedLineAreNotRead()
    {
        const HeaderCheck c = check(lineA(kIE1, u"2024"_s).set(141, u"XXXXXXXXXXXXXX"_s));
        QVERIFY(c.jaCadastrada);
    }

    void quotesAreText()
    {
        const QString hostile = u"'); delete from zef; --"_s;
        const HeaderCheck c = check(lineA().set(61, hostile));
        QCOMPARE(c.erro, QString());
        QCOMPARE(c.header.responsavel, hostile);
        const HeaderCheck unknown = check(lineA(u"'; drop -"_s));
        QCOMPARE(unknown.erro,
                 u" Inscrição Estadual '; drop - não localizada no cadastro de contribuintes. "_s);
    }
};

QTEST_GUILESS_MAIN(TestHeaderChecks)
#include "tst_header_checks.moc"
