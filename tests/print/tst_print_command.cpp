// `zef print` as a user runs it: the PDF it writes, read back with poppler's tools. Each page type's
// text, as `pdftotext -layout` extracts it, equals its checked-in file under golden/; run with
// ZEF_UPDATE_GOLDEN=1 to write the files again after a deliberate change; that run also renders
// each page to docs/screenshots/print/, to be looked at before committing.

#include "print_fixture.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace zef;
using namespace zef::testing;
using namespace Qt::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

Run runZef(const QString &home, const QStringList &args)
{
    return run(QStringLiteral(ZEF_PROGRAM), QStringList{u"--home"_s, home} + args);
}

// Two declarations: one that moved its domicile, with rows in every entries section, and one
// without a change of domicile and without rows (its sections print blank).
void addDeclarations(PrintFixture &f)
{
    f.addPrintable({{u"StatusDRF"_s, u"S"_s}});
    f.insert(u"ZefMunAnterior"_s, {{u"AnoBase"_s, u"2025"_s}, {u"CGCEmpresa"_s, u"123456789"_s},
                                   {u"DataDRFAntI"_s, QDate(2025, 7, 1)}, {u"DataDRFAntF"_s, QDate(2025, 12, 31)},
                                   {u"CodMunicipioAnt"_s, QString::fromUtf16(kMunicipio)}, {u"TipoDomicilio"_s, u"A"_s}});
    f.insert(u"ZefMunAnterior"_s, {{u"AnoBase"_s, u"2025"_s}, {u"CGCEmpresa"_s, u"123456789"_s},
                                   {u"DataDRFAntI"_s, QDate(2025, 1, 1)}, {u"DataDRFAntF"_s, QDate(2025, 6, 30)},
                                   {u"CodMunicipioAnt"_s, QString::fromUtf16(kMunicipioB)}, {u"TipoDomicilio"_s, u"B"_s}});
    f.compra(u"01 - COMPRAS"_s, u"A"_s, 125000.5);
    f.compra(u"01 - COMPRAS"_s, u"B"_s, 48200.0, QString::fromUtf16(kMunicipioB));
    f.compra(u"08 - COMPRAS PARA ATIVO PERMANENTE"_s, u"A"_s, 1234567.89);
    f.cfop(1949, u"A"_s, 350.0);
    f.cfop(2949, u"A"_s, 1200.1);
    f.entrada(u"SP"_s, u"A"_s, 80000.0);
    f.entrada(u"SP"_s, u"B"_s, 15000.0);
    f.entrada(u"RJ"_s, u"A"_s, 999999.99);

    f.addPrintable({{u"Finalidade"_s, u"2"_s}, {u"TipoEstabelecimento"_s, u"3"_s}, {u"Retificacao"_s, u"S"_s}},
                   u"11122233396"_s, u"987654321"_s);
    f.addDomicilio(u"987654321"_s, u"A"_s);
}

QString goldenPath(const QString &page)
{
    return QStringLiteral(ZEF_PRINT_GOLDEN) + u'/' + page + u".txt"_s;
}

} // namespace

class TestPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesAsPdftotextReadsThem_data();
    void pagesAsPdftotextReadsThem();
    void missingDeclarationWritesNothing();
};

void TestPrintCommand::initTestCase()
{
    for (const QString &tool : {u"pdftotext"_s, u"pdfinfo"_s, u"pdffonts"_s})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 qPrintable(tool + u" is missing: run scripts/install-deps.sh (poppler-utils)"_s));
}

void TestPrintCommand::pagesAsPdftotextReadsThem_data()
{
    QTest::addColumn<QString>("registration");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("com mudança de domicílio")
        << u"12.345.678-9"_s
        << QStringList{u"TfprintZEFDom"_s, u"TfprintEntradasOPDom"_s, u"TfprintEntradasOPCFOPDom"_s,
                       u"TfprintentradasUFDom"_s};
    QTest::newRow("sem linhas") << u"987654321"_s
                                << QStringList{u"TfprintZEF"_s, u"TfprintEntradasDomVazia"_s,
                                               u"TfprintEntradasDomVazia4"_s};
}

void TestPrintCommand::pagesAsPdftotextReadsThem()
{
    QFETCH(QString, registration);
    QFETCH(QStringList, pages);

    PrintFixture f;
    addDeclarations(f);
    QTemporaryDir out;
    const QString pdf = out.filePath(u"zef.pdf"_s);
    const Run printed = runZef(f.home(), {u"print"_s, u"--ano"_s, u"2025"_s, u"--ie"_s, registration, u"--pdf"_s, pdf});
    QVERIFY2(printed.status == 0, qPrintable(printed.err));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{u"zef.pdf"_s});

    const Run info = run(u"pdfinfo"_s, {pdf});
    QVERIFY(info.out.contains(QRegularExpression(u"^Title: +ZEF$"_s, QRegularExpression::MultilineOption)));
    QVERIFY(info.out.contains(
        QRegularExpression(u"^Pages: +%1$"_s.arg(pages.size()), QRegularExpression::MultilineOption)));
    QVERIFY(info.out.contains(u"612 x 792 pts (letter)"_s));
    // Every font is embedded.
    const QStringList fonts = run(u"pdffonts"_s, {pdf}).out.split(u'\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString &line : fonts)
        QVERIFY2(line.contains(u" yes "_s), qPrintable(line));

    const bool update = qEnvironmentVariableIsSet("ZEF_UPDATE_GOLDEN");
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString n = QString::number(i + 1);
        const Run text = run(u"pdftotext"_s, {u"-layout"_s, u"-f"_s, n, u"-l"_s, n, pdf, u"-"_s});
        QCOMPARE(text.status, 0);
        QFile golden(goldenPath(pages.at(i)));
        if (update) {
            QVERIFY(golden.open(QIODevice::WriteOnly));
            golden.write(text.out.toUtf8());
            // The page images to look at come with the texts.
            QCOMPARE(run(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"110"_s, u"-singlefile"_s, u"-f"_s, n, u"-l"_s, n, pdf,
                                         QStringLiteral(ZEF_PRINT_SCREENSHOTS) + u'/' + pages.at(i)})
                         .status,
                     0);
            continue;
        }
        QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
        const QString expected = QString::fromUtf8(golden.readAll());
        if (text.out != expected) {
            QFile actual(out.filePath(pages.at(i) + u".txt"_s));
            QVERIFY(actual.open(QIODevice::WriteOnly));
            actual.write(text.out.toUtf8());
            actual.close();
            out.setAutoRemove(false);
            qWarning().noquote() << run(u"diff"_s, {u"-u"_s, golden.fileName(), actual.fileName()}).out;
            qWarning().noquote() << "To accept the new text: ZEF_UPDATE_GOLDEN=1" << QCoreApplication::applicationFilePath();
            QFAIL(qPrintable(u"page %1 (%2) differs from its golden text"_s.arg(n, pages.at(i))));
        }
    }
}

void TestPrintCommand::missingDeclarationWritesNothing()
{
    PrintFixture f;
    addDeclarations(f);
    QTemporaryDir out;
    const QString pdf = out.filePath(u"zef.pdf"_s);
    const Run r = runZef(f.home(), {u"print"_s, u"--ano"_s, u"2024"_s, u"--ie"_s, u"123456789"_s, u"--pdf"_s, pdf});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err.trimmed().section(u'\n', -1), u"Não foi encontrada esta empresa no referido ano base"_s);
    QVERIFY(QDir(out.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestPrintCommand)

#include "tst_print_command.moc"
