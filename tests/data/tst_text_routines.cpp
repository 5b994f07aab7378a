#include "data/scripted_dialogs.h"
#include "data/text_routines.h"

#include <QLocale>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TstTextRoutines : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void ehData_data();
    void ehData();
    void textoParaData();

    void ehInteiro_data();
    void ehInteiro();

    void ehReal_data();
    void ehReal();
    void ehRealFollowsTheLocale();

    void soDigitos_data();
    void soDigitos();
    void soCaracteresValidos_data();
    void soCaracteresValidos();

    void ajustaTamanho_data();
    void ajustaTamanho();
    void completaEspacosPads_data();
    void completaEspacosPads();

    void trocaSeparadores_data();
    void trocaSeparadores();
    void trocaSeparadoresFollowsTheLocale();
    void virgulaParaPonto_data();
    void virgulaParaPonto();

    void digitosIguais_data();
    void digitosIguais();
    void contaPalavras_data();
    void contaPalavras();
};

void TstTextRoutines::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TstTextRoutines::ehData_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("full") << u"01/02/2026"_s << true;
    QTest::newRow("short day and month") << u"1/2/2026"_s << true;
    QTest::newRow("blanks around") << u" 31/12/2025 "_s << true;
    QTest::newRow("leap day") << u"29/02/2024"_s << true;
    QTest::newRow("no leap day") << u"29/02/2025"_s << false;
    QTest::newRow("31 April") << u"31/04/2026"_s << false;
    QTest::newRow("day 0") << u"00/01/2026"_s << false;
    QTest::newRow("month 13") << u"01/13/2026"_s << false;
    QTest::newRow("month first is not day first") << u"12/31/2026"_s << false;
    QTest::newRow("ISO") << u"2026-01-02"_s << false;
    QTest::newRow("dashes") << u"01-02-2026"_s << false;
    QTest::newRow("two-digit year") << u"01/02/26"_s << false;
    QTest::newRow("empty mask") << u"  /  /    "_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("trailing text") << u"01/02/2026x"_s << false;
    QTest::newRow("four parts") << u"01/02/2026/1"_s << false;
    QTest::newRow("signed year") << u"01/02/+026"_s << false;
    QTest::newRow("inner blank") << u"01/ 2/2026"_s << false;
}

void TstTextRoutines::ehData()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(EhData(text), expected);
}

void TstTextRoutines::textoParaData()
{
    QCOMPARE(TextoParaData(u"3/11/2026"_s), QDate(2026, 11, 3));
    QCOMPARE(TextoParaData(u"31/12/1999"_s), QDate(1999, 12, 31));
    QVERIFY(!TextoParaData(u"31/11/2026"_s));
}

void TstTextRoutines::ehInteiro_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<int>("value");

    QTest::newRow("zero") << u"0"_s << true << 0;
    QTest::newRow("plain") << u"123"_s << true << 123;
    QTest::newRow("negative") << u"-45"_s << true << -45;
    QTest::newRow("plus") << u"+7"_s << true << 7;
    QTest::newRow("leading zeros") << u"007"_s << true << 7;
    QTest::newRow("blanks around") << u" 12 "_s << true << 12;
    QTest::newRow("largest") << u"2147483647"_s << true << 2147483647;
    QTest::newRow("smallest") << u"-2147483648"_s << true << (-2147483647 - 1);
    QTest::newRow("one over") << u"2147483648"_s << false << 0;
    QTest::newRow("one under") << u"-2147483649"_s << false << 0;
    QTest::newRow("huge") << u"99999999999999999999"_s << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("sign only") << u"-"_s << false << 0;
    QTest::newRow("point") << u"1.0"_s << false << 0;
    QTest::newRow("comma") << u"1,0"_s << false << 0;
    QTest::newRow("letter") << u"12a"_s << false << 0;
    QTest::newRow("inner blank") << u"1 2"_s << false << 0;
    QTest::newRow("hex") << u"0x1F"_s << false << 0;
}

void TstTextRoutines::ehInteiro()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QFETCH(int, value);
    QCOMPARE(EhInteiro(text), expected);
    if (expected)
        QCOMPARE(*TextoParaInteiro(text), value);
}

void TstTextRoutines::ehReal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<double>("value");

    const QChar point(u'.');
    const QChar comma(u',');
    QTest::newRow("point on point") << u"12.5"_s << point << true << 12.5;
    QTest::newRow("comma on point") << u"12,5"_s << point << false << 0.0;
    QTest::newRow("comma on comma") << u"12,5"_s << comma << true << 12.5;
    QTest::newRow("point on comma") << u"12.5"_s << comma << false << 0.0;
    QTest::newRow("integer") << u"42"_s << comma << true << 42.0;
    QTest::newRow("exponent") << u"-0.5e3"_s << point << true << -500.0;
    QTest::newRow("exponent sign") << u"25E-1"_s << point << true << 2.5;
    QTest::newRow("no integer part") << u",5"_s << comma << true << 0.5;
    QTest::newRow("no fraction") << u"5."_s << point << true << 5.0;
    QTest::newRow("blanks around") << u" 3,25 "_s << comma << true << 3.25;
    QTest::newRow("grouped") << u"1.234,56"_s << comma << false << 0.0;
    QTest::newRow("two separators") << u"1.234.56"_s << point << false << 0.0;
    QTest::newRow("bare exponent") << u"1e"_s << point << false << 0.0;
    QTest::newRow("separator only") << u"."_s << point << false << 0.0;
    QTest::newRow("sign only") << u"+"_s << point << false << 0.0;
    QTest::newRow("empty") << QString() << point << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << point << false << 0.0;
    QTest::newRow("out of range") << u"1e999"_s << point << false << 0.0;
    QTest::newRow("currency") << u"R$ 10,00"_s << comma << false << 0.0;
}

void TstTextRoutines::ehReal()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(bool, expected);
    QFETCH(double, value);
    QCOMPARE(EhReal(text, separator), expected);
    if (expected)
        QCOMPARE(*TextoParaReal(text, separator), value);
}

void TstTextRoutines::ehRealFollowsTheLocale()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(separadorDecimal(), QChar(u','));
    QVERIFY(EhReal(u"12,5"_s));
    QVERIFY(!EhReal(u"12.5"_s));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(separadorDecimal(), QChar(u'.'));
    QVERIFY(!EhReal(u"12,5"_s));
    QVERIFY(EhReal(u"12.5"_s));
}

void TstTextRoutines::soDigitos_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("CNPJ with separators") << u"12.345.678/0001-90"_s << u"12345678000190"_s;
    QTest::newRow("mixed, order kept") << u"a1b2c3 9"_s << u"1239"_s;
    QTest::newRow("no digits") << u"abc -/."_s << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("other scripts' digits") << u"\u0661\u0662\uFF13"_s << QString();
}

void TstTextRoutines::soDigitos()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(SoDigitos(text), expected);
}

void TstTextRoutines::soCaracteresValidos_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("digits") << u"0123456789"_s << true;
    QTest::newRow("one digit") << u"0"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blank") << u"   "_s << false;
    QTest::newRow("leading blank") << u" 123"_s << false;
    QTest::newRow("trailing blank") << u"123 "_s << false;
    QTest::newRow("letter") << u"12a"_s << false;
    QTest::newRow("separator") << u"12.3"_s << false;
    QTest::newRow("other scripts' digits") << u"\u0661\u0662"_s << false;
}

void TstTextRoutines::soCaracteresValidos()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(SoCaracteresValidos(text), expected);
}

void TstTextRoutines::ajustaTamanho_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cut") << u"ABCDEFG"_s << 5 << u"ABCDE"_s;
    QTest::newRow("padded") << u"AB"_s << 5 << u"AB   "_s;
    QTest::newRow("exact") << u"ABCDE"_s << 5 << u"ABCDE"_s;
    QTest::newRow("empty padded") << QString() << 3 << u"   "_s;
    QTest::newRow("accents kept") << u"SÃO JOSÉ"_s << 10 << u"SÃO JOSÉ  "_s;
    QTest::newRow("zero") << u"AB"_s << 0 << QString();
    QTest::newRow("negative") << u"AB"_s << -1 << QString();
}

void TstTextRoutines::ajustaTamanho()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(AjustaTamanho(text, n), expected);
}

void TstTextRoutines::completaEspacosPads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");

    QTest::newRow("padded") << u"AB"_s << 5 << u"AB   "_s;
    QTest::newRow("exact") << u"ABCDE"_s << 5 << u"ABCDE"_s;
    QTest::newRow("empty") << QString() << 2 << u"  "_s;
    QTest::newRow("empty to nothing") << QString() << 0 << QString();
}

// The too long text and its boxes are covered with the other dialogs.
void TstTextRoutines::completaEspacosPads()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    ScriptedDialogs dialogs;
    QCOMPARE(CompletaEspacos(dialogs, text, n), std::optional<QString>(expected));
    QVERIFY(dialogs.boxes().empty());
}

void TstTextRoutines::trocaSeparadores_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    const QChar point(u'.');
    const QChar comma(u',');
    QTest::newRow("comma on a point machine") << u"12,5"_s << point << u"12.5"_s;
    QTest::newRow("point on a comma machine") << u"12.5"_s << comma << u"12,5"_s;
    QTest::newRow("already a number, point") << u"12.5"_s << point << u"12.5"_s;
    QTest::newRow("already a number, comma") << u"12,5"_s << comma << u"12,5"_s;
    QTest::newRow("integer untouched") << u"125"_s << comma << u"125"_s;
    QTest::newRow("not a number either way") << u"1.234,56"_s << point << u"1,234,56"_s;
    QTest::newRow("no separators") << u"abc"_s << point << u"abc"_s;
    QTest::newRow("empty") << QString() << comma << QString();
}

void TstTextRoutines::trocaSeparadores()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(TrocaSeparadores(text, separator), expected);
}

void TstTextRoutines::trocaSeparadoresFollowsTheLocale()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(TrocaSeparadores(u"12.5"_s), u"12,5"_s);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(TrocaSeparadores(u"12,5"_s), u"12.5"_s);
}

void TstTextRoutines::virgulaParaPonto_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("every comma") << u"1,2,3"_s << u"1.2.3"_s;
    QTest::newRow("points kept") << u"1.234,56"_s << u"1.234.56"_s;
    QTest::newRow("none") << u"abc"_s << u"abc"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TstTextRoutines::virgulaParaPonto()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(VirgulaParaPonto(text), expected);
}

void TstTextRoutines::digitosIguais_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("empty") << QString() << true;
    QTest::newRow("one character") << u"7"_s << true;
    QTest::newRow("eleven ones") << u"11111111111"_s << true;
    QTest::newRow("last differs") << u"11111111112"_s << false;
    QTest::newRow("first differs") << u"21111111111"_s << false;
    QTest::newRow("any character") << u"aa"_s << true;
    QTest::newRow("two different") << u"ab"_s << false;
}

void TstTextRoutines::digitosIguais()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(DigitosIguais(text), expected);
}

void TstTextRoutines::contaPalavras_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    // Spaces are counted, not words: the double space inside counts twice.
    QTest::newRow("name with double space") << u"  Maria  da Silva "_s << 4;
    QTest::newRow("one word") << u"Maria"_s << 1;
    QTest::newRow("three words") << u"a b c"_s << 3;
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("blank") << u"   "_s << 1;
}

void TstTextRoutines::contaPalavras()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(ContaPalavras(text), expected);
}

QTEST_GUILESS_MAIN(TstTextRoutines)
#include "tst_text_routines.moc"
