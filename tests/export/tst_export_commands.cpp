#include "declaration_fixture.h"

#include "compress/container.h"

#include <QProcess>

using namespace zef;
using namespace zef::testing;
using namespace Qt::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run runZef(const QString &home, const QStringList &args, const QString &workingDir = QString())
{
    QProcess p;
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(QStringLiteral(ZEF_PROGRAM), QStringList{u"--home"_s, home} + args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

// ALFA passes every check; BETA asks a question (its activity obliges item 07 and its entries
// by state do not add up); GAMA's accountant is not registered.
void addDeclarations(DeclarationFixture &f)
{
    f.addEmpresa(u"111111111"_s, u"ALFA"_s);
    f.addEmpresa(u"222222222"_s, u"BETA"_s);
    f.addEmpresa(u"333333333"_s, u"GAMA"_s);
    f.addDeclaracao(u"111111111"_s, {{u"Responsavel"_s, u"JOÃO"_s}});
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}, {u"VlrContabil"_s, 10.0},
                              {u"BaseCalculo"_s, 10.0}}, u"111111111"_s);
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"VlrContabilEntrada"_s, 10.0},
                              {u"BaseCalculoEntrada"_s, 10.0}}, u"111111111"_s);
    f.addDeclaracao(u"222222222"_s, {{u"CodigoAtividade"_s, QString::fromUtf16(kActivityItem07)}});
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"OutrasEntradas"_s, 10.0}}, u"222222222"_s);
    f.addDeclaracao(u"333333333"_s, {{u"CPFContador"_s, u"99988877766"_s}});
}

} // namespace

class TestExportCommands : public QObject
{
    Q_OBJECT

private slots:
    void exportThenDecodeGivesTheText();
    void defaultFileInTheCurrentFolder();
    void questionWithoutYesIsNo();
    void questionWithYesGoesOn();
    void findingsGoToStandardError();
    void refusals_data();
    void refusals();
    void decodeRefusesDamage_data();
    void decodeRefusesDamage();
};

void TestExportCommands::exportThenDecodeGivesTheText()
{
    DeclarationFixture f;
    addDeclarations(f);
    QTemporaryDir out;
    const QString file = out.filePath(u"alfa.vd"_s);
    const QStringList select{u"--ano"_s, u"2025"_s, u"--ie"_s, u"11.111.111-1"_s};

    const Run text = runZef(f.home(), QStringList{u"text"_s} + select);
    QCOMPARE(text.status, 0);
    QVERIFY(text.out.startsWith("A2025     111111111"));
    QVERIFY(text.out.contains("JO\xC3O"));   // Windows-1252, as in the file
    QVERIFY(text.out.endsWith("Z2025     111111111004\r\n"));

    const Run written = runZef(f.home(), QStringList{u"export"_s} + select + QStringList{u"--out"_s, file});
    QCOMPARE(written.status, 0);
    QVERIFY(written.out.contains("Arquivo gravado com sucesso!!!"));
    QVERIFY(QFile::exists(file));

    const Run decoded = runZef(f.home(), {u"decode"_s, file});
    QCOMPARE(decoded.status, 0);
    QCOMPARE(decoded.out, text.out);
}

void TestExportCommands::defaultFileInTheCurrentFolder()
{
    DeclarationFixture f;
    addDeclarations(f);
    QTemporaryDir cwd;
    const Run r = runZef(f.home(), {u"export"_s, u"--ano"_s, u"2025"_s, u"--ie"_s, u"111111111"_s}, cwd.path());
    QCOMPARE(r.status, 0);
    QVERIFY(QFile::exists(cwd.filePath(u"ZEF2025.vd"_s)));
}

void TestExportCommands::questionWithoutYesIsNo()
{
    DeclarationFixture f;
    addDeclarations(f);
    QTemporaryDir out;
    const QString file = out.filePath(u"ZEF2025.vd"_s);
    const Run r = runZef(f.home(), {u"export"_s, u"--ano"_s, u"2025"_s, u"--ie"_s, u"222222222"_s, u"--out"_s, file});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(u"Deseja continuar?"_s), qPrintable(r.err));
    QVERIFY(!QFile::exists(file));
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestExportCommands::questionWithYesGoesOn()
{
    DeclarationFixture f;
    addDeclarations(f);
    QTemporaryDir out;
    const QString file = out.filePath(u"ZEF2025.vd"_s);
    const Run r = runZef(f.home(), {u"export"_s, u"--ano"_s, u"2025"_s, u"--ie"_s, u"111111111"_s, u"--ie"_s,
                                 u"222222222"_s, u"--yes"_s, u"--out"_s, file});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains(u"Deseja continuar?"_s), qPrintable(r.err));
    QVERIFY(QFile::exists(file));
}

void TestExportCommands::findingsGoToStandardError()
{
    DeclarationFixture f;
    addDeclarations(f);
    QTemporaryDir out;
    const QString file = out.filePath(u"ZEF2025.vd"_s);
    // All three, in list order: GAMA's finding blocks the file (BETA's question is answered Yes).
    const Run r = runZef(f.home(), {u"export"_s, u"--ano"_s, u"2025"_s, u"--yes"_s, u"--out"_s, file});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(u"Inscrição Estadual: 33.333.333-3\n\n"
                            "Campo CPF do contabilista não localizado no cadastro de contabilista.\n"_s),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(file));

    const Run text = runZef(f.home(), {u"text"_s, u"--ano"_s, u"2025"_s, u"--ie"_s, u"333333333"_s});
    QCOMPARE(text.status, 1);
    QVERIFY(text.out.isEmpty());
}

void TestExportCommands::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no year") << QStringList{u"export"_s} << 2 << u"--ano"_s;
    QTest::newRow("short year") << QStringList{u"text"_s, u"--ano"_s, u"202"_s} << 2 << u"Informe o Ano Base!"_s;
    QTest::newRow("unknown option") << QStringList{u"export"_s, u"--ano"_s, u"2025"_s, u"--x"_s} << 2
                                    << u"--x"_s;
    QTest::newRow("year without declarations") << QStringList{u"export"_s, u"--ano"_s, u"2023"_s} << 1
                                               << u"Nenhum ZEF cadastrada para o Ano Base informado!!!"_s;
    QTest::newRow("taxpayer without declaration")
        << QStringList{u"text"_s, u"--ano"_s, u"2025"_s, u"--ie"_s, u"999999999"_s} << 1 << u"999999999"_s;
}

void TestExportCommands::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    DeclarationFixture f;
    addDeclarations(f);
    QTemporaryDir cwd;
    const Run r = runZef(f.home(), args, cwd.path());
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QVERIFY(QDir(cwd.path()).isEmpty());
}

namespace {

QByteArray pack(const QByteArray &bytes)
{
    const std::vector<std::uint8_t> c = makeContainer(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())));
    return QByteArray(reinterpret_cast<const char *>(c.data()), qsizetype(c.size()));
}

// A container whose header claims 4 GiB: refused before anything is decoded.
QByteArray claimingFourGiB()
{
    return QByteArray::fromHex("21485A4CFFFFFFFFE6C68000");
}

} // namespace

void TestExportCommands::decodeRefusesDamage_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("outer layer claims 4 GiB")
        << claimingFourGiB() << QStringList()
        << u"(camada externa): o tamanho registrado passa do limite de 1 GiB"_s;
    QTest::newRow("inner layer claims 4 GiB")
        << pack(claimingFourGiB()) << QStringList()
        << u"(camada interna): o tamanho registrado passa do limite de 1 GiB"_s;
    QTest::newRow("one layer claims 4 GiB")
        << claimingFourGiB() << QStringList{u"--once"_s} << u": o tamanho registrado passa do limite de 1 GiB"_s;
    QTest::newRow("inner layer cut") << pack(pack("AAAAA").left(11)) << QStringList()
                                     << u"(camada interna): os dados terminam antes do tamanho registrado"_s;
}

void TestExportCommands::decodeRefusesDamage()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    DeclarationFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"ZEF2025.vd"_s);
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    const Run r = runZef(f.home(), QStringList{u"decode"_s} + options + QStringList{path});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(u"Arquivo danificado: "_s + path) && r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestExportCommands)
#include "tst_export_commands.moc"
