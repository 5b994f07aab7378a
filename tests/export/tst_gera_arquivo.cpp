#include "declaration_fixture.h"

#include "compress/container.h"
#include "data/scripted_dialogs.h"
#include "export/export_error.h"
#include "export/gera_arquivo.h"

#include <QFile>

#include <span>

using namespace zef;
using namespace zef::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::Compacta)

namespace {

QString key(const QString &ie = QString::fromUtf16(kIE))
{
    return ie;
}

QByteArray unpack(const QByteArray &container)
{
    const std::vector<std::uint8_t> bytes = readContainer(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t *>(container.constData()), std::size_t(container.size())));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray packOnce(const QByteArray &text)
{
    const std::vector<std::uint8_t> bytes = makeContainer(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t *>(text.constData()), std::size_t(text.size())));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Remembers the name proposed and answers with a path in the folder, or cancels.
struct SaveDialog {
    explicit SaveDialog(const QString &in, bool cancels = false) : folder(in), cancel(cancels) {}

    QString folder;
    bool cancel;
    QStringList proposed;

    ChooseFile chooser()
    {
        return [this](const QString &name) -> std::optional<QString> {
            proposed.append(name);
            if (cancel)
                return std::nullopt;
            return QDir(folder).filePath(name);
        };
    }
};

// A declaration whose activity obliges item 07 and whose entries section asks Q1.
void addQuestionDeclaration(DeclarationFixture &f, const QString &ie, const QString &name)
{
    f.addEmpresa(ie, name);
    f.addDeclaracao(ie, {{u"CodigoAtividade"_s, QString::fromUtf16(kActivityItem07)}});
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"OutrasEntradas"_s, 10.0}}, ie);
}

} // namespace

class TestGeraArquivo : public QObject
{
    Q_OBJECT

private slots:
    void writesTheTextCompressedTwice();
    void findingsOfOneDeclarationKeepTheWholeFile();
    void questionAnsweredNoAbandonsAtOnce();
    void questionAnsweredYesGoesOn();
    void cancelledDialogSavesNothing();
    void yearIsTheOneGivenAtWriting();
    void failedWriteLeavesNoFile();
    void typeTextThatIsNotANumberSavesNothing();
    void textIsWindows1252();
    void proposedName_data();
    void proposedName();
    void spoiltCompressionIsRefused_data();
    void spoiltCompressionIsRefused();
};

void TestGeraArquivo::writesTheTextCompressedTwice()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}});
    QTemporaryDir out;
    SaveDialog save(out.path());
    ScriptedDialogs dialogs;
    const ExportResult r = GeraArquivo(f.db(), dialogs, u"2025"_s, {key()}, save.chooser());

    QCOMPARE(r.outcome, ExportResult::Outcome::Written);
    QCOMPARE(save.proposed, QStringList{u"ZEF2025.vd"_s});
    QCOMPARE(r.fileName, out.filePath(u"ZEF2025.vd"_s));
    const QByteArray file = contents(r.fileName);
    QCOMPARE(file, r.file);
    QVERIFY(file.startsWith("!HZL"));
    QCOMPARE(unpack(unpack(file)), r.text);
    const QList<QByteArray> lines = r.text.split('\n');
    QCOMPARE(lines.size(), 5);   // A, B, E, Z and nothing after the last line break
    QVERIFY(lines.at(0).startsWith("A2025     123456789"));
    QCOMPARE(lines.at(3), QByteArray("Z2025     123456789003\r"));
    QVERIFY(lines.at(4).isEmpty());
    QVERIFY(dialogs.texts().isEmpty());
}

void TestGeraArquivo::findingsOfOneDeclarationKeepTheWholeFile()
{
    DeclarationFixture f;
    f.addEmpresa(u"111111111"_s, u"ALFA"_s);
    f.addEmpresa(u"222222222"_s, u"BETA"_s);
    f.addDeclaracao(u"111111111"_s);
    f.addDeclaracao(u"222222222"_s, {{u"CPFContador"_s, u"99988877766"_s}});
    QTemporaryDir out;
    SaveDialog save(out.path());
    ScriptedDialogs dialogs;
    const ExportResult r =
        GeraArquivo(f.db(), dialogs, u"2025"_s, {key(u"111111111"_s), key(u"222222222"_s)}, save.chooser());

    QCOMPARE(r.outcome, ExportResult::Outcome::Findings);
    QCOMPARE(r.validationText(), u"Inscrição Estadual: 22.222.222-2\n\n"
                                 "Campo CPF do contabilista não localizado no cadastro de contabilista.\n"_s);
    // Both declarations were still built.
    QCOMPARE(r.text.count("\r\nZ2025"), 2);
    QVERIFY(save.proposed.isEmpty());
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestGeraArquivo::questionAnsweredNoAbandonsAtOnce()
{
    DeclarationFixture f;
    addQuestionDeclaration(f, u"111111111"_s, u"ALFA"_s);
    addQuestionDeclaration(f, u"222222222"_s, u"BETA"_s);
    QTemporaryDir out;
    SaveDialog save(out.path());
    ScriptedDialogs dialogs(Dialogs::Button::No);
    const ExportResult r =
        GeraArquivo(f.db(), dialogs, u"2025"_s, {key(u"111111111"_s), key(u"222222222"_s)}, save.chooser());

    QCOMPARE(r.outcome, ExportResult::Outcome::Abandoned);
    QCOMPARE(dialogs.texts().size(), 1);   // the second declaration is not checked
    QVERIFY(dialogs.texts().at(0).endsWith(u"Deseja continuar?"_s));
    QVERIFY(r.text.isEmpty());
    QVERIFY(r.file.isEmpty());
    QVERIFY(save.proposed.isEmpty());
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestGeraArquivo::questionAnsweredYesGoesOn()
{
    DeclarationFixture f;
    addQuestionDeclaration(f, u"111111111"_s, u"ALFA"_s);
    addQuestionDeclaration(f, u"222222222"_s, u"BETA"_s);
    QTemporaryDir out;
    SaveDialog save(out.path());
    ScriptedDialogs dialogs(Dialogs::Button::Yes);
    const ExportResult r =
        GeraArquivo(f.db(), dialogs, u"2025"_s, {key(u"111111111"_s), key(u"222222222"_s)}, save.chooser());
    QCOMPARE(r.outcome, ExportResult::Outcome::Written);
    QCOMPARE(dialogs.texts().size(), 2);
    QVERIFY(QFile::exists(out.filePath(u"ZEF2025.vd"_s)));
}

void TestGeraArquivo::cancelledDialogSavesNothing()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    QTemporaryDir out;
    SaveDialog save(out.path(), true);
    ScriptedDialogs dialogs;
    const ExportResult r = GeraArquivo(f.db(), dialogs, u"2025"_s, {key()}, save.chooser());
    QCOMPARE(r.outcome, ExportResult::Outcome::Cancelled);
    QCOMPARE(save.proposed.size(), 1);
    QVERIFY(QDir(out.path()).isEmpty());
    QVERIFY(dialogs.texts().isEmpty());
}

void TestGeraArquivo::yearIsTheOneGivenAtWriting()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addDeclaracao(QString::fromUtf16(kIE), {}, u"2024"_s);
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}}, QString::fromUtf16(kIE), u"2024"_s);
    QTemporaryDir out;
    SaveDialog save(out.path());
    ScriptedDialogs dialogs;
    const ExportResult r = GeraArquivo(f.db(), dialogs, u"2024"_s, {key()}, save.chooser());
    QCOMPARE(r.outcome, ExportResult::Outcome::Written);
    QCOMPARE(save.proposed, QStringList{u"ZEF2024.vd"_s});
    QVERIFY(r.text.startsWith("A2024"));
    QVERIFY(r.text.contains("\r\nE2024"));
    QVERIFY(r.text.endsWith("Z2024     123456789003\r\n"));
}

void TestGeraArquivo::failedWriteLeavesNoFile()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    QTemporaryDir out;
    SaveDialog save(out.filePath(u"missing"_s));
    ScriptedDialogs dialogs;
    QVERIFY_THROWS_EXCEPTION(ExportError, GeraArquivo(f.db(), dialogs, u"2025"_s, {key()}, save.chooser()));
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestGeraArquivo::typeTextThatIsNotANumberSavesNothing()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"A1 - COMPRAS"_s}});
    QTemporaryDir out;
    SaveDialog save(out.path());
    ScriptedDialogs dialogs;
    QVERIFY_THROWS_EXCEPTION(ExportError, GeraArquivo(f.db(), dialogs, u"2025"_s, {key()}, save.chooser()));
    QVERIFY(save.proposed.isEmpty());
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestGeraArquivo::textIsWindows1252()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"Responsavel"_s, u"JOÃO CONCEIÇÃO"_s}});
    ScriptedDialogs dialogs;
    const DeclarationFileText t = montaTextoArquivo(f.db(), dialogs, u"2025"_s, {key()});
    QVERIFY(t.validationList.isEmpty());
    const QByteArray a = t.text.left(t.text.indexOf("\r\n"));
    QCOMPARE(a.size(), 196);
    QCOMPARE(a.mid(109, 80), QByteArray(66, ' ') + QByteArray("JO\xC3O CONCEI\xC7\xC3O"));
}

void TestGeraArquivo::proposedName_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("name");
    QTest::newRow("2025") << u"2025"_s << u"ZEF2025.vd"_s;
    QTest::newRow("digits only") << u"20 4"_s << u"ZEF204.vd"_s;
}

void TestGeraArquivo::proposedName()
{
    QFETCH(QString, year);
    QFETCH(QString, name);
    QCOMPARE(nomeArquivoProposto(year), name);
}

void TestGeraArquivo::spoiltCompressionIsRefused_data()
{
    // Each spoils the compressed bytes in its own way; the file must never be saved.
    QTest::addColumn<Compacta>("compacta");
    QTest::addColumn<QString>("problem");
    const QString unreadable = u"os bytes compactados não puderam ser lidos de volta"_s;
    QTest::newRow("one byte in the middle flipped") << Compacta([](const QByteArray &text) {
        QByteArray file = compactaArquivo(text);
        file[file.size() / 2] = char(file.at(file.size() / 2) ^ 0x5A);
        return file;
    }) << QString();
    QTest::newRow("last bytes lost") << Compacta([](const QByteArray &text) {
        return compactaArquivo(text).chopped(3);
    }) << unreadable;
    QTest::newRow("one layer only") << Compacta([](const QByteArray &text) { return packOnce(text); }) << QString();
    QTest::newRow("another text") << Compacta([](const QByteArray &text) {
        QByteArray other = text;
        other[20] = 'X';
        return compactaArquivo(other);
    }) << u"o texto lido de volta difere do texto da declaração a partir do caractere 21"_s;
    QTest::newRow("the text itself") << Compacta([](const QByteArray &text) { return text; }) << unreadable;
}

void TestGeraArquivo::spoiltCompressionIsRefused()
{
    QFETCH(Compacta, compacta);
    QFETCH(QString, problem);
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    QTemporaryDir out;
    SaveDialog save(out.path());
    ScriptedDialogs dialogs;
    const QString target = QDir::toNativeSeparators(out.filePath(u"ZEF2025.vd"_s));
    try {
        GeraArquivo(f.db(), dialogs, u"2025"_s, {key()}, save.chooser(), compacta);
        QFAIL("a file that does not read back was saved");
    } catch (const ExportError &e) {
        QVERIFY2(e.message().startsWith(u"O arquivo %1 não foi gravado: a conferência da compactação falhou ("_s.arg(
                     target)),
                 qPrintable(e.message()));
        QVERIFY2(e.message().endsWith(u"). Nada foi salvo; grave o arquivo de novo."_s), qPrintable(e.message()));
        if (!problem.isEmpty())
            QVERIFY2(e.message().contains(problem), qPrintable(e.message()));
    }
    QVERIFY(QDir(out.path()).isEmpty());
}

QTEST_APPLESS_MAIN(TestGeraArquivo)
#include "tst_gera_arquivo.moc"
