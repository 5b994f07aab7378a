#include "import/import_fields.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

// Fields are read from lines of a real file: a line exists only as the reader makes it.
class TestImportFields : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    ImportLine lineOf(const QString &text, int number = 1)
    {
        const QString path = m_dir.filePath(u"f%1.txt"_s.arg(++m_files));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write");
        for (int i = 1; i < number; ++i)
            f.write("\r\n");
        f.write(text.toUtf8());
        f.close();
        ImportReader reader;
        ImportLine line;
        if (!reader.open(path))
            qFatal("cannot open");
        for (int i = 0; i < number; ++i)
            reader.next(line);
        return line;
    }

private slots:
    void amounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("cents") << u"00000000012345"_s << qint64(12345);
        QTest::newRow("zero") << u"00000000000000"_s << qint64(0);
        QTest::newRow("largest") << u"99999999999999"_s << qint64(99999999999999);
        QTest::newRow("sign") << u"-0000000012345"_s << qint64(-12345);
        QTest::newRow("plus") << u"+0000000012345"_s << qint64(12345);
        QTest::newRow("blanks before") << u"         12345"_s << qint64(12345);
        QTest::newRow("blanks after") << u"12345         "_s << qint64(12345);
    }

    void amounts()
    {
        QFETCH(QString, text);
        QFETCH(qint64, cents);
        const ImportLine line = lineOf(u"X"_s + text);
        QCOMPARE(readCents(line, {u"VlrContabil", 2, 14}), cents);
    }

    void centsAreReais()
    {
        QCOMPARE(centsToReais(12345), 123.45);
        QCOMPARE(centsToReais(-5), -0.05);
        QCOMPARE(centsToReais(10000), 100.0);
    }

    void notAnAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("blank") << u"              "_s;
        QTest::newRow("letter") << u"0000000001234X"_s;
        QTest::newRow("decimal point") << u"000000000123.4"_s;
        QTest::newRow("sign alone") << u"-             "_s;
        QTest::newRow("sign inside") << u"0000000-012345"_s;
        QTest::newRow("blank inside") << u"0000000 012345"_s;
        QTest::newRow("quote") << u"'); delete -- "_s;
    }

    void notAnAmount()
    {
        QFETCH(QString, text);
        const ImportLine line = lineOf(u"X"_s + text, 7);
        try {
            readCents(line, {u"VlrContabil", 2, 14});
            QFAIL("no error");
        } catch (const ImportError &e) {
            QCOMPARE(e.message(), u"Linha 7, campo VlrContabil (posições 2 a 15): \"%1\" não é um valor válido. "
                                  u"Importação interrompida."_s.arg(text));
        }
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("date") << u"31122025"_s << QDate(2025, 12, 31);
        QTest::newRow("leap day") << u"29022024"_s << QDate(2024, 2, 29);
        QTest::newRow("no leap day") << u"29022025"_s << QDate();
        QTest::newRow("month 13") << u"01132025"_s << QDate();
        QTest::newRow("zeros") << u"00000000"_s << QDate();
        QTest::newRow("blank") << u"        "_s << QDate();
        QTest::newRow("letters") << u"0101AAAA"_s << QDate();
        QTest::newRow("short") << u"0101202"_s << QDate();
    }

    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const auto read = readDate(text);
        QCOMPARE(read.value_or(QDate()), date);
    }

    void years()
    {
        const ImportLine line = lineOf(u"A"_s, 3);
        QCOMPARE(readYear(line, u"2025"_s), 2025);
        try {
            readYear(line, u"20X5"_s);
            QFAIL("no error");
        } catch (const ImportError &e) {
            QCOMPARE(e.message(), u"Linha 3, campo AnoBase (posições 11 a 14): \"20X5\" não é um valor válido. "
                                  u"Importação interrompida."_s);
        }
    }

    void lineTooShort()
    {
        static constexpr ImportField fields[] = {{u"Primeiro", 2, 3}, {u"Segundo", 5, 4}, {u"Terceiro", 9, 2}};
        requireFields(lineOf(u"X123456789"_s), fields, 3);
        try {
            requireFields(lineOf(u"X12345"_s, 2), fields, 3);
            QFAIL("no error");
        } catch (const ImportError &e) {
            QCOMPARE(e.message(), u"Linha 2: a linha termina antes do fim do campo Segundo (posições 5 a 8). "
                                  u"Importação interrompida."_s);
        }
    }

    void trimRightKeepsLeadingBlanks()
    {
        QCOMPARE(trimRight(u"  PEDRO ALVES   "_s), u"  PEDRO ALVES"_s);
        QCOMPARE(trimRight(u"     "_s), QString());
        QCOMPARE(trimRight(u"A\t"_s), u"A\t"_s);
    }
};

QTEST_GUILESS_MAIN(TestImportFields)
#include "tst_import_fields.moc"
