#include "data/windows_1252.h"
#include "import/import_reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TestImportReader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(u"f%1.txt"_s.arg(++m_files));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write");
        f.write(bytes);
        return path;
    }

    struct Read {
        ImportReader::Encoding encoding;
        qint64 counted;
        QStringList lines;
        QList<qsizetype> lengths;
    };

    static Read readAll(const QString &path)
    {
        ImportReader reader;
        if (!reader.open(path))
            qFatal("cannot open");
        Read r{reader.encoding(), reader.lineCount(), {}, {}};
        ImportLine line;
        qint64 expected = 0;
        while (reader.next(line)) {
            if (line.number() != ++expected)
                qFatal("line numbers out of order");
            r.lines.append(line.keptText());
            r.lengths.append(line.length());
        }
        return r;
    }

private slots:
    void lineBreaks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("A1\r\nB2\r\n") << QStringList{u"A1"_s, u"B2"_s};
        QTest::newRow("LF") << QByteArray("A1\nB2\n") << QStringList{u"A1"_s, u"B2"_s};
        QTest::newRow("CR") << QByteArray("A1\rB2\r") << QStringList{u"A1"_s, u"B2"_s};
        QTest::newRow("no break at the end") << QByteArray("A1\r\nB2") << QStringList{u"A1"_s, u"B2"_s};
        QTest::newRow("LF CR is two breaks") << QByteArray("A1\n\rB2") << QStringList{u"A1"_s, u""_s, u"B2"_s};
        QTest::newRow("blank lines") << QByteArray("\r\n\r\nZ") << QStringList{u""_s, u""_s, u"Z"_s};
        QTest::newRow("only CR") << QByteArray("\r\r\r") << QStringList{u""_s, u""_s, u""_s};
        QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << QStringList();
        QTest::newRow("mark then text") << QByteArray("\xEF\xBB\xBF" "A\r\n") << QStringList{u"A"_s};
    }

    void lineBreaks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const Read r = readAll(write(bytes));
        QCOMPARE(r.lines, lines);
        QCOMPARE(r.counted, qint64(lines.size()));
    }

    // A CR LF split between two reads of the file is still one line break.
    void breakAcrossChunks_data()
    {
        QTest::addColumn<int>("firstLine");
        for (const int n : {65534, 65535, 65536, 131071})
            QTest::addRow("%d", n) << n;
    }

    void breakAcrossChunks()
    {
        QFETCH(int, firstLine);
        const QByteArray bytes = QByteArray(firstLine, 'x') + "\r\nY\r\n";
        const Read r = readAll(write(bytes));
        QCOMPARE(r.counted, qint64(2));
        QCOMPARE(r.lines.size(), 2);
        QCOMPARE(r.lengths.at(0), qsizetype(firstLine));
        QCOMPARE(r.lines.at(1), u"Y"_s);
    }

    void encoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QString>("text");
        const QString name = u"JOSÉ CONCEIÇÃO"_s;
        QTest::newRow("ASCII") << QByteArray("ABC") << false << u"ABC"_s;
        QTest::newRow("Windows-1252") << toWindows1252(name) << false << name;
        QTest::newRow("valid UTF-8") << name.toUtf8() << true << name;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") + name.toUtf8() << true << name;
        QTest::newRow("mark before plain ASCII") << QByteArray("\xEF\xBB\xBF" "ABC") << true << u"ABC"_s;
        // One byte that is no UTF-8 makes the whole file Windows-1252.
        QTest::newRow("UTF-8 with one stray byte") << name.toUtf8() + "\xE9" << false
                                                   << fromWindows1252(name.toUtf8() + "\xE9");
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << false << fromWindows1252("\xC0\xAF");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false << fromWindows1252("\xED\xA0\x80");
        QTest::newRow("cut sequence at the end") << QByteArray("A\xC3") << false << fromWindows1252("A\xC3");
        QTest::newRow("euro sign in Windows-1252") << QByteArray("\x80") << false << u"€"_s;
    }

    void encoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QFETCH(QString, text);
        const Read r = readAll(write(bytes));
        QCOMPARE(r.encoding, utf8 ? ImportReader::Encoding::Utf8 : ImportReader::Encoding::Windows1252);
        QCOMPARE(r.lines, QStringList{text});
    }

    // Positions count characters, whatever the bytes they take.
    void positionsCountCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = u"AÉ😀BCD"_s;   // the emoji is one character outside the basic plane
        QTest::newRow("UTF-8") << text.toUtf8();
    }

    void positionsCountCharacters()
    {
        QFETCH(QByteArray, bytes);
        ImportReader reader;
        QVERIFY(reader.open(write(bytes)));
        ImportLine line;
        QVERIFY(reader.next(line));
        QCOMPARE(line.length(), qsizetype(6));
        QCOMPARE(line.letter(), QChar(u'A'));
        QCOMPARE(line.field(2, 1), u"É"_s);
        QCOMPARE(line.field(3, 1), u"😀"_s);
        QCOMPARE(line.field(4, 2), u"BC"_s);
        QCOMPARE(line.field(5, 10), u"CD"_s);
        QCOMPARE(line.field(7, 2), QString());
        QVERIFY(line.reaches(6));
        QVERIFY(!line.reaches(7));

        ImportReader latin;
        QVERIFY(latin.open(write(toWindows1252(u"AÉBCD"_s))));
        QVERIFY(latin.next(line));
        QCOMPARE(line.field(2, 2), u"ÉB"_s);
    }

    // A line of any length keeps only its start, but its length is the true one.
    void longLine()
    {
        const QByteArray bytes = "A" + QByteArray(9999, 'x') + "\r\nZ";
        ImportReader reader;
        QVERIFY(reader.open(write(bytes)));
        ImportLine line;
        QVERIFY(reader.next(line));
        QCOMPARE(line.length(), qsizetype(10000));
        QCOMPARE(line.keptText().size(), ImportLine::kKeptChars);
        QCOMPARE(line.field(2, 3), u"xxx"_s);
        QVERIFY(reader.next(line));
        QCOMPARE(line.keptText(), u"Z"_s);
        QCOMPARE(line.number(), qint64(2));
        QVERIFY(!reader.next(line));
    }

    void longUtf8LineKeepsWholeCharacters()
    {
        const QString text = u"A"_s + QString(2000, u'Ã');
        ImportReader reader;
        QVERIFY(reader.open(write(text.toUtf8())));
        ImportLine line;
        QVERIFY(reader.next(line));
        QCOMPARE(line.length(), qsizetype(2001));
        QCOMPARE(line.keptText(), text.left(ImportLine::kKeptChars));
    }

    void binaryBytesAreCharacters()
    {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                bytes.append(char(b));
        ImportReader reader;
        QVERIFY(reader.open(write(bytes)));
        QCOMPARE(reader.encoding(), ImportReader::Encoding::Windows1252);
        ImportLine line;
        QVERIFY(reader.next(line));
        QCOMPARE(line.length(), qsizetype(254));
        QCOMPARE(line.letter(), QChar(u'\0'));
        QVERIFY(!reader.next(line));
    }

    void missingFile()
    {
        ImportReader reader;
        QVERIFY(!reader.open(m_dir.filePath(u"nao-existe.txt"_s)));
        QVERIFY(!reader.errorString().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestImportReader)
#include "tst_import_reader.moc"
