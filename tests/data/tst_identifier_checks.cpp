#include "data/identifier_checks.h"

#include <QSet>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TstIdentifierChecks : public QObject {
    Q_OBJECT

private slots:
    void validaIE_data();
    void validaIE();

    void validaCGCCPF_data();
    void validaCGCCPF();

    void everyStateCode();
    void validaUF_data();
    void validaUF();
};

void TstIdentifierChecks::validaIE_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    // 2*9 + 9*8 + 1*2 = 92, 92 mod 11 = 4, check digit 11 - 4 = 7
    QTest::newRow("290000017") << u"290000017"_s << true;
    QTest::newRow("check digit one off") << u"290000018"_s << false;
    QTest::newRow("eight digits") << u"29000001"_s << false;
    QTest::newRow("with separators") << u"29.000.001-7"_s << false;
    QTest::newRow("tenth not examined") << u"2900000170"_s << true;
    QTest::newRow("tenth not examined, any digit") << u"2900000179"_s << true;
    QTest::newRow("291234569") << u"291234569"_s << true;
    QTest::newRow("291234569 one off") << u"291234568"_s << false;
    QTest::newRow("298765438") << u"298765438"_s << true;
    QTest::newRow("body digit changed") << u"298765538"_s << false;
    QTest::newRow("remainder 0 gives 0") << u"290000009"_s << true;
    QTest::newRow("remainder 0, 11 refused") << u"290000001"_s << false;
    QTest::newRow("remainder 1 gives 0") << u"290900000"_s << true;
    QTest::newRow("remainder 1, 10 refused") << u"290900001"_s << false;
    // 28... with its own mod-11 digit (2*9 + 8*8 + 1*2 = 84, digit 4)
    QTest::newRow("prefix 28") << u"280000014"_s << false;
    QTest::newRow("prefix 92") << u"920000017"_s << false;
    QTest::newRow("leading blank") << u" 290000017"_s << false;
    QTest::newRow("trailing blank") << u"290000017 "_s << false;
    QTest::newRow("letter after the ninth") << u"290000017x"_s << false;
    QTest::newRow("blank") << u"         "_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TstIdentifierChecks::validaIE()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(ValidaIE(text), expected);
}

void TstIdentifierChecks::validaCGCCPF_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cnpj");
    QTest::addColumn<bool>("expected");

    const bool cnpj = true;
    const bool cpf = false;

    QTest::newRow("CNPJ 11222333000181") << u"11222333000181"_s << cnpj << true;
    QTest::newRow("CNPJ with separators") << u"11.222.333/0001-81"_s << cnpj << true;
    QTest::newRow("CNPJ second digit off") << u"11222333000182"_s << cnpj << false;
    QTest::newRow("CNPJ first digit off") << u"11222333000171"_s << cnpj << false;
    QTest::newRow("CNPJ body digit off") << u"11222333000281"_s << cnpj << false;
    QTest::newRow("CNPJ two digits swapped") << u"12122333000181"_s << cnpj << false;
    QTest::newRow("CNPJ 11444777000161") << u"11444777000161"_s << cnpj << true;
    QTest::newRow("CNPJ 11444777000161 off") << u"11444777000162"_s << cnpj << false;
    QTest::newRow("CNPJ 33592151000135") << u"33.592.151/0001-35"_s << cnpj << true;
    QTest::newRow("CNPJ 33592151000135 off") << u"33.592.151/0001-36"_s << cnpj << false;
    QTest::newRow("CNPJ 00000000000191") << u"00000000000191"_s << cnpj << true;
    // The weights differ past the eighth digit from the right: a CNPJ is no CPF and back.
    QTest::newRow("CNPJ read as CPF") << u"11222333000181"_s << cpf << false;
    QTest::newRow("CPF read as CNPJ") << u"11144477735"_s << cnpj << false;

    QTest::newRow("CPF 11144477735") << u"11144477735"_s << cpf << true;
    QTest::newRow("CPF with separators") << u"111.444.777-35"_s << cpf << true;
    QTest::newRow("CPF second digit off") << u"11144477736"_s << cpf << false;
    QTest::newRow("CPF first digit off") << u"11144477725"_s << cpf << false;
    QTest::newRow("CPF body digit off") << u"11144477835"_s << cpf << false;
    QTest::newRow("CPF 52998224725") << u"529.982.247-25"_s << cpf << true;
    QTest::newRow("CPF 52998224725 off") << u"529.982.247-24"_s << cpf << false;
    QTest::newRow("CPF 12345678909") << u"12345678909"_s << cpf << true;
    QTest::newRow("CPF 98765432100") << u"98765432100"_s << cpf << true;
    QTest::newRow("CPF 98765432100 off") << u"98765432101"_s << cpf << false;

    // Repeated digits pass the digits; callers refuse them with DigitosIguais.
    QTest::newRow("CPF of equal digits") << u"11111111111"_s << cpf << true;
    QTest::newRow("CNPJ of zeros") << u"00000000000000"_s << cnpj << true;

    QTest::newRow("letter in the body ignored") << u"111444777a35"_s << cpf << true;
    QTest::newRow("check digits missing") << u"111444777"_s << cpf << false;
    QTest::newRow("empty") << QString() << cpf << false;
    QTest::newRow("empty CNPJ") << QString() << cnpj << false;
}

void TstIdentifierChecks::validaCGCCPF()
{
    QFETCH(QString, text);
    QFETCH(bool, cnpj);
    QFETCH(bool, expected);
    QCOMPARE(ValidaCGCCPF(text, cnpj), expected);
}

void TstIdentifierChecks::everyStateCode()
{
    QSet<QString> seen;
    for (QStringView code : kSiglasUF) {
        const QString text = code.toString();
        QCOMPARE(text.size(), 2);
        QVERIFY2(ValidaUF(text), qPrintable(text));
        QVERIFY2(ValidaSiglaUF(text), qPrintable(text));
        seen.insert(text);
    }
    QCOMPARE(seen.size(), 28);
    QVERIFY(seen.contains(u"VD"_s));
    QVERIFY(seen.contains(u"EX"_s));
    QVERIFY(seen.contains(u"AC"_s));
    QVERIFY(!ValidaUF(u"TO"_s));
}

void TstIdentifierChecks::validaUF_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("uf");
    QTest::addColumn<bool>("sigla");

    QTest::newRow("VD") << u"VD"_s << true << true;
    QTest::newRow("EX") << u"EX"_s << true << true;
    QTest::newRow("lower case") << u"vd"_s << false << false;
    QTest::newRow("mixed case") << u"Vd"_s << false << false;
    QTest::newRow("blanks around") << u" VD "_s << false << true;
    QTest::newRow("trailing blank") << u"SP "_s << false << true;
    QTest::newRow("inner blank") << u"V D"_s << false << false;
    QTest::newRow("longer") << u"VDX"_s << false << false;
    QTest::newRow("not a code") << u"XX"_s << false << false;
    QTest::newRow("one letter") << u"V"_s << false << false;
    QTest::newRow("empty") << QString() << false << false;
    QTest::newRow("blank") << u"  "_s << false << false;
}

void TstIdentifierChecks::validaUF()
{
    QFETCH(QString, text);
    QFETCH(bool, uf);
    QFETCH(bool, sigla);
    QCOMPARE(ValidaUF(text), uf);
    QCOMPARE(ValidaSiglaUF(text), sigla);
}

QTEST_GUILESS_MAIN(TstIdentifierChecks)
#include "tst_identifier_checks.moc"
