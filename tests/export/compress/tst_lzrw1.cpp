#include <QtTest>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <streambuf>

#include "compress/lzrw1.h"
#include "testdata.h"

using namespace zeftest;

Q_DECLARE_METATYPE(zef::TCompressMode)

namespace {

std::string str(const QByteArray &a)
{
    return a.toStdString();
}

QByteArray container(const QByteArray &input)
{
    return qbytes(zef::makeContainer(view(input)));
}

// An output that reports its position but takes only `room` bytes.
class CrampedOutput : public std::streambuf {
public:
    explicit CrampedOutput(std::size_t room) : room_(room) {}
    std::string taken;

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()) || taken.size() >= room_)
            return traits_type::eof();
        taken += traits_type::to_char_type(c);
        return c;
    }
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        if (off == 0 && dir == std::ios_base::cur)
            return pos_type(static_cast<off_type>(taken.size()));
        return pos_type(off_type(-1));
    }

private:
    std::size_t room_;
};

// An input that claims `size` bytes but delivers none.
class EmptyHandedInput : public std::streambuf {
public:
    explicit EmptyHandedInput(off_type size) : size_(size) {}

protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        pos_ = dir == std::ios_base::end ? size_ + off : dir == std::ios_base::cur ? pos_ + off : off;
        return pos_type(pos_);
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode) override
    {
        pos_ = off_type(pos);
        return pos;
    }

private:
    off_type size_;
    off_type pos_ = 0;
};

// An input that cannot tell its position.
class UnseekableInput : public std::streambuf {
};

} // namespace

// The compression component as the export window drives it: streams in, one container out.
class TestLzrw1 : public QObject {
    Q_OBJECT

private slots:
    void defaults()
    {
        const zef::Tlzrw1 lz;
        QCOMPARE(lz.CompressMode, zef::TCompressMode::Good);
        QVERIFY(lz.UseStream);
        QCOMPARE(lz.Threshold, 40);
        QVERIFY(lz.InStream == nullptr && lz.OutStream == nullptr);
    }

    // The export's two passes: the text into an empty stream, then that stream, from position 0,
    // into the first one emptied.
    void twoPassesAsTheExportRunsThem()
    {
        const QByteArray text = declarationText(400, 11);
        zef::Tlzrw1 lz;
        std::stringstream first(std::ios::in | std::ios::out | std::ios::binary);
        first << str(text);
        std::stringstream second(std::ios::in | std::ios::out | std::ios::binary);

        first.seekg(0);
        lz.InStream = &first;
        lz.OutStream = &second;
        const std::int64_t once = lz.Compress();
        QCOMPARE(QByteArray::fromStdString(second.str()), container(text));
        QCOMPARE(once, std::int64_t(second.str().size()));

        first.str({});
        first.clear();
        second.seekg(0);
        lz.InStream = &second;
        lz.OutStream = &first;
        const std::int64_t twice = lz.Compress();
        const QByteArray file = QByteArray::fromStdString(first.str());
        QCOMPARE(twice, std::int64_t(file.size()));
        QCOMPARE(file, container(container(text)));
        QCOMPARE(qbytes(zef::readContainer(zef::readContainer(view(file)))), text);
    }

    // Input is taken from its position on, output appended at its position; the recorded size
    // is what was coded.
    void streamPositions()
    {
        std::istringstream in(std::string("skipAAAAA"), std::ios::binary);
        in.seekg(4);
        std::ostringstream out(std::string("kept"), std::ios::binary | std::ios::ate);
        zef::Tlzrw1 lz;
        lz.InStream = &in;
        lz.OutStream = &out;
        QCOMPARE(lz.Compress(), std::int64_t(12));
        QCOMPARE(QByteArray::fromStdString(out.str()), QByteArray("kept") + container("AAAAA"));
    }

    void otherModesFail_data()
    {
        QTest::addColumn<zef::TCompressMode>("mode");
        QTest::newRow("Fast") << zef::TCompressMode::Fast;
        QTest::newRow("Auto") << zef::TCompressMode::Auto;
    }

    void otherModesFail()
    {
        QFETCH(zef::TCompressMode, mode);
        std::istringstream in(std::string("AAAAA"));
        std::ostringstream out;
        zef::Tlzrw1 lz;
        lz.CompressMode = mode;
        lz.InStream = &in;
        lz.OutStream = &out;
        QVERIFY_THROWS_EXCEPTION(zef::ELzrw1Exception, lz.Compress());
        QVERIFY(out.str().empty());
    }

    // Every failure is reported with its text; a container that could not be written whole is
    // an error, not a short file.
    void streamFailures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("no input") << QStringLiteral("no input")
                                  << QStringLiteral("Lzrw1 (de)compression : Failed to initialize input stream !");
        QTest::newRow("input without position")
            << QStringLiteral("unseekable input")
            << QStringLiteral("Lzrw1 (de)compression : Failed to initialize input stream !");
        QTest::newRow("no output") << QStringLiteral("no output")
                                   << QStringLiteral("Lzrw1 (de)compression : Failed to initialize output stream !");
        QTest::newRow("input delivers nothing") << QStringLiteral("empty-handed input")
                                                << QStringLiteral("Lzrw1 : Error reading from input stream ! (LZH)");
        QTest::newRow("output full") << QStringLiteral("cramped output")
                                     << QStringLiteral("Lzrw1 : Error writing to output stream !");
    }

    void streamFailures()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        std::istringstream text(std::string(5000, '0'));
        UnseekableInput unseekable;
        std::istream unseekableIn(&unseekable);
        EmptyHandedInput emptyHanded(100);
        std::istream emptyHandedIn(&emptyHanded);
        std::ostringstream sink;
        CrampedOutput cramped(10);
        std::ostream crampedOut(&cramped);

        zef::Tlzrw1 lz;
        lz.InStream = fault == QLatin1String("no input")             ? nullptr
                      : fault == QLatin1String("unseekable input")   ? &unseekableIn
                      : fault == QLatin1String("empty-handed input") ? &emptyHandedIn
                                                                     : static_cast<std::istream *>(&text);
        lz.OutStream = fault == QLatin1String("no output")        ? nullptr
                       : fault == QLatin1String("cramped output") ? &crampedOut
                                                                  : static_cast<std::ostream *>(&sink);
        try {
            lz.Compress();
            QFAIL("Compress returned");
        } catch (const zef::ELzrw1Exception &e) {
            QCOMPARE(QString::fromLatin1(e.what()), message);
        }
        QVERIFY(sink.str().empty());
    }

    void files()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray text = declarationText(50, 12);
        const QString in = dir.filePath(QStringLiteral("texto.txt"));
        const QString out = dir.filePath(QStringLiteral("ZEF2026.vd"));
        {
            std::ofstream f(in.toStdString(), std::ios::binary);
            f << str(text);
        }
        zef::Tlzrw1 lz;
        lz.UseStream = false;
        lz.InputFile = in.toStdString();
        lz.OutputFile = out.toStdString();
        QCOMPARE(lz.Compress(), std::int64_t(container(text).size()));
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), container(text));

        // An output that cannot be opened (a folder) fails and leaves nothing behind.
        lz.OutputFile = dir.path().toStdString();
        QVERIFY_THROWS_EXCEPTION(zef::ELzrw1Exception, lz.Compress());
        lz.InputFile = dir.filePath(QStringLiteral("missing.txt")).toStdString();
        lz.OutputFile = dir.filePath(QStringLiteral("never.vd")).toStdString();
        QVERIFY_THROWS_EXCEPTION(zef::ELzrw1Exception, lz.Compress());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("never.vd"))));
    }
};

QTEST_APPLESS_MAIN(TestLzrw1)
#include "tst_lzrw1.moc"
