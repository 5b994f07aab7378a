#include "export/atomic_file.h"
#include "export/export_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void writesANewFile();
    void replacesAnExistingFile();
    void failures_data();
    void failures();
};

void TestAtomicFile::writesANewFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"ZEF2025.vd"_s);
    const QByteArray bytes("!HZL\x05\0\0\0binary\r\n", 16);
    gravaArquivoAtomico(path, bytes);
    QCOMPARE(contents(path), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"ZEF2025.vd"_s});
}

void TestAtomicFile::replacesAnExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"ZEF2025.vd"_s);
    gravaArquivoAtomico(path, QByteArray(1000, 'x'));
    gravaArquivoAtomico(path, "short");
    QCOMPARE(contents(path), QByteArray("short"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestAtomicFile::failures_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("makeDirectory");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << u"nowhere/ZEF2025.vd"_s << false << u"não existe. Escolha outra pasta."_s;
    QTest::newRow("target is a folder") << u"ZEF2025.vd"_s << true
                                        << u"já existe uma pasta com esse nome. Escolha outro nome de arquivo."_s;
}

void TestAtomicFile::failures()
{
    QFETCH(QString, relativePath);
    QFETCH(bool, makeDirectory);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(relativePath);
    if (makeDirectory)
        QVERIFY(QDir(dir.path()).mkdir(relativePath));
    try {
        gravaArquivoAtomico(path, "bytes");
        QFAIL("the file was written");
    } catch (const ExportError &e) {
        QVERIFY2(e.message().startsWith(u"Não foi possível gravar o arquivo %1: "_s.arg(QDir::toNativeSeparators(path))),
                 qPrintable(e.message()));
        QVERIFY2(e.message().endsWith(reason), qPrintable(e.message()));
    }
    // Nothing beside it either: no temporary file is left.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_APPLESS_MAIN(TestAtomicFile)
#include "tst_atomic_file.moc"
