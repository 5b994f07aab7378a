#include "import_fixture.h"

#include "engine/engine_error.h"
#include "import/header_checks.h"
#include "import/import_fields.h"

#include <QRandomGenerator>

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::ImportEnd)

namespace {

const QString kUm = u"EMPRESA UM LTDA"_s;
const QString kDois = u"EMPRESA DOIS LTDA"_s;
const QString kTres = u"EMPRESA TRÊS LTDA"_s;

void sqlite(Database &db, const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db.handle(), sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        QFAIL(qPrintable(message));
    }
}

} // namespace

class TestTextImport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    bool imported(const QString &ie, const QString &year = u"2025"_s)
    {
        return m_fx->scalar(u"select Importado from zef where CGCEmpresa = :p0 and AnoBase = :p1"_s, {ie, year})
            .toBool();
    }

    // The database holds, of the file's taxpayers, exactly the declarations the log reports.
    void verifyHoldsWhatWasLogged(const ImportRun &run, const QStringList &ies)
    {
        for (const QString &ie : ies) {
            const QString name = m_fx->scalar(u"select RazaoSocial from Empresa where InscricaoEmpresa = :p0"_s, {ie})
                                     .toString();
            const bool logged = run.log.contains(textoImportada(u"2025"_s, name));
            QCOMPARE(m_fx->rows(u"zef"_s, ie), logged ? 1 : 0);
            if (!logged)
                QCOMPARE(m_fx->allRows(ie), 0);
            else
                QVERIFY(imported(ie));
        }
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 3);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 1);
    }

    // Every declaration of the file is in the log once: imported and whole in the database, or
    // named with the reason and absent from it; the summary adds up.
    void verifyEveryDeclarationAccountedFor(const ImportRun &run, const QList<Contribuinte> &file)
    {
        int stored = 0;
        for (const Contribuinte &c : file) {
            const bool success = run.log.contains(textoImportada(u"2025"_s, c.nome));
            const qsizetype named = run.log.indexOf(textoIdentificacao(c.ie, c.nome, u"2025"_s));
            QVERIFY2(success != (named >= 0), qPrintable(c.nome));
            if (success) {
                QCOMPARE(m_fx->allRows(c.ie), 11);
                QVERIFY(imported(c.ie));
                ++stored;
            } else {
                QCOMPARE(m_fx->allRows(c.ie), 0);
                QVERIFY2(!run.log.value(named + 1).isEmpty(), qPrintable(c.nome));
            }
        }
        QCOMPARE(run.summary.read, file.size());
        QCOMPARE(run.summary.imported, stored);
        QCOMPARE(run.summary.imported + run.summary.refused + run.summary.notStored, file.size());
        QCOMPARE(m_fx->totalRows(u"zef"_s), stored);
        QVERIFY(!m_fx->db().inTransaction());
        QCOMPARE(m_fx->scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
    }

private slots:
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    void logTexts()
    {
        QCOMPARE(textoArquivoVazio(), u"Formato do arquivo inválido!!!"_s);
        QCOMPARE(textoFormatoInvalido(), u"Formato do Arquivo inválido!!!"_s);
        QCOMPARE(textoIdentificacao(kIE1, kUm, u"2025"_s),
                 u"Inscrição Estadual: 290000017\r\nRazão Social: EMPRESA UM LTDA\r\nAno-base: 2025"_s);
        QCOMPARE(textoFaltamDomicilios(kUm), u"Deve ser informado os Domicílios Fiscais Anterior para o Contribuinte EMPRESA UM "
                               u"LTDA pois, existe mudança de Domicílio Fiscal."_s);
        QCOMPARE(textoSobramDomicilios(kUm), u"Não deve ser informado os Domicílios Fiscais Anterior para o Contribuinte EMPRESA UM "
                               u"LTDA pois, existe não mudança de Domicílio Fiscal."_s);
        QCOMPARE(textoImportada(u"2025"_s, kUm), u"ZEF Referência 2025 Contribuinte EMPRESA UM LTDA Importada com sucesso. "_s);
    }

    void twoValidDeclarations()
    {
        const ImportRun run = m_fx->importLines(declaracao(kIE1) + declaracao(kIE2));
        QCOMPARE(run.log, (QStringList{textoImportada(u"2025"_s, kUm), textoImportada(u"2025"_s, kDois)}));
        QCOMPARE(run.summary.end, ImportEnd::Completed);
        QCOMPARE(run.summary.imported, 2);
        QVERIFY(imported(kIE1));
        QVERIFY(imported(kIE2));
        // The header and one row of each of the ten section tables.
        QCOMPARE(m_fx->allRows(kIE1), 11);
        QCOMPARE(m_fx->allRows(kIE2), 11);
        QCOMPARE(m_fx->scalar(u"select DataDeclaracao from zef where CGCEmpresa = :p0"_s, {kIE1}).toString(),
                 kHoje.toString(Qt::ISODate));
        QVERIFY(run.boxes.isEmpty());
    }

    void registeredDeclarationInTheMiddle()
    {
        m_fx->exec(u"insert into zef (AnoBase, CGCEmpresa) values ('2025', :p0)"_s, {kIE2});
        const ImportRun run = m_fx->importLines(declaracao(kIE1) + declaracao(kIE2) + declaracao(kIE3));
        QCOMPARE(run.log, (QStringList{textoImportada(u"2025"_s, kUm),
                                       u"ZEF Referência 2025 já Cadastrada para o contribuinte EMPRESA DOIS LTDA"_s,
                                       textoImportada(u"2025"_s, kTres)}));
        QCOMPARE(m_fx->allRows(kIE2), 1);   // its own header only: nothing stored, nothing removed
        QVERIFY(!imported(kIE2));
        QVERIFY(imported(kIE3));
        QCOMPARE(run.summary.refused, 1);
    }

    // The rows its earlier lines stored go with it.
    void unknownMunicipalityRemovesTheDeclaration()
    {
        const QStringList lines = declaracaoCom({lineB(), lineD(), lineC().set(18, u"1234567"_s), lineE()});
        const ImportRun run = m_fx->importLines(lines + declaracao(kIE2));
        QCOMPARE(run.log, (QStringList{u"Inscrição Estadual: 290000017\r\nRazão Social: EMPRESA UM LTDA\r\nAno-base: 2025"_s,
                                       u"1234567 Não é  um código de município válido. "_s,
                                       textoImportada(u"2025"_s, kDois)}));
        QCOMPARE(m_fx->allRows(kIE1), 0);
        QCOMPARE(run.summary.end, ImportEnd::Completed);
    }

    void errorsOfSeveralLinesAddUp()
    {
        const ImportRun run = m_fx->importLines(
            declaracaoCom({lineC().set(18, u"1234567"_s), lineH().set(15, u"         "_s), lineK(kIE2)}));
        QCOMPARE(run.log.value(1), u"1234567 Não é  um código de município válido. "
                                   u"Não é valor válido para a Inscrição estadual da empresa."
                                   u"Linha 4, seguimento K, de outra declaração: inscrição estadual 290000025, ano-base "
                                   u"2025; a declaração é da inscrição estadual 290000017, ano-base 2025.\r\n"_s);
    }

    void shortHeaderLine()
    {
        const ImportRun run = m_fx->importLines(declaracaoCom({lineC()}, lineA().cut(188)) + declaracao(kIE2));
        QCOMPARE(run.log, (QStringList{textoIdentificacao(kIE1, kUm, u"2025"_s), u"Tamanho do seguimento \"A\" inválido!"_s,
                                       textoImportada(u"2025"_s, kDois)}));
        QCOMPARE(m_fx->allRows(kIE1), 0);
    }

    void simplesNacionalDifferentialRate()
    {
        const QStringList lines = declaracaoCom({lineC(kIE1, u"2025"_s, u"07"_s)
                                                     .set(25, amt(100000))
                                                     .set(39, amt(20000))
                                                     .set(53, amt(3000))
                                                     .set(67, amt(400))},
                                                lineA().set(26, u"4"_s));
        const ImportRun run = m_fx->importLines(lines);
        QCOMPARE(run.log, QStringList{textoImportada(u"2025"_s, kUm)});
        Query q(m_fx->db(), u"select * from Compras"_s);
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.fieldByName(u"TipoEntradas"_s)->asString(), u"07 - DIFERENCIAL DE ALÍQUOTA"_s);
        QCOMPARE(q.fieldByName(u"TipoRegime"_s)->asString(), u"A"_s);
        QCOMPARE(q.fieldByName(u"VlrContabil"_s)->asFloat(), 1000.0);
        QCOMPARE(q.fieldByName(u"BaseCalculo"_s)->asFloat(), 0.0);
        QCOMPARE(q.fieldByName(u"Outras"_s)->asFloat(), 30.0);
        QCOMPARE(q.fieldByName(u"SubTributaria"_s)->asFloat(), 0.0);
    }

    void stockTotalsAndCents()
    {
        const QStringList lines = declaracaoCom(
            {lineJ().set(15, amt(10000)).set(29, amt(2000)).set(43, amt(300)),
             lineC().set(25, u"00000000012345"_s)});
        m_fx->importLines(lines);
        QCOMPARE(m_fx->scalar(u"select TotalEstoqueInicial from Estoque"_s).toDouble(), 123.00);
        QCOMPARE(m_fx->scalar(u"select VlrContabil from Compras"_s).toDouble(), 123.45);
    }

    // A line keyed to another year or taxpayer would land in another declaration, or in none:
    // it refuses its own declaration, and neither key gets a row. The import goes on.
    void lineOfAnotherDeclaration_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("ie");
        QTest::addColumn<QString>("year");
        for (const char letter : {'C', 'H', 'J'}) {
            auto make = [letter](const QString &ie, const QString &year) -> Line {
                return letter == 'C' ? lineC(ie, year) : letter == 'H' ? lineH(ie, year) : lineJ(ie, year);
            };
            QTest::addRow("%c of another year", letter) << make(kIE1, u"2024"_s).text() << kIE1 << u"2024"_s;
            QTest::addRow("%c of another taxpayer", letter) << make(kIE2, u"2025"_s).text() << kIE2 << u"2025"_s;
        }
    }

    void lineOfAnotherDeclaration()
    {
        QFETCH(QString, line);
        QFETCH(QString, ie);
        QFETCH(QString, year);
        QStringList lines = declaracao(kIE1);
        lines.insert(lines.size() - 1, line);   // line 12, before the "Z"
        const ImportRun run = m_fx->importLines(lines + declaracao(kIE3));
        QCOMPARE(run.log, (QStringList{textoIdentificacao(kIE1, kUm, u"2025"_s),
                                       u"Linha 12, seguimento %1, de outra declaração: inscrição estadual %2, ano-base "
                                       u"%3; a declaração é da inscrição estadual 290000017, ano-base 2025.\r\n"_s
                                           .arg(line.left(1), ie, year),
                                       textoImportada(u"2025"_s, kTres)}));
        QCOMPARE(m_fx->allRows(kIE1, u"2025"_s), 0);
        QCOMPARE(m_fx->allRows(ie, year), 0);
        QCOMPARE(run.summary.end, ImportEnd::Completed);
        QCOMPARE(run.summary.refused, 1);
        QCOMPARE(run.summary.imported, 1);
    }

    // Nor does such a line reach a declaration of its key stored earlier in the file.
    void lineOfAnotherDeclarationLeavesThatOneAlone()
    {
        QStringList lines = declaracao(kIE1);
        lines.insert(2, lineC(kIE1, u"2024"_s).set(25, amt(999)));
        const ImportRun run = m_fx->importLines(declaracao(kIE1, u"2024"_s) + lines);
        QCOMPARE(run.log.value(0), textoImportada(u"2024"_s, kUm));
        QCOMPARE(run.log.value(1), textoIdentificacao(kIE1, kUm, u"2025"_s));
        QCOMPARE(m_fx->allRows(kIE1, u"2024"_s), 11);
        QCOMPARE(m_fx->scalar(u"select VlrContabil from Compras where AnoBase = '2024'"_s).toDouble(), 1.0);
        QCOMPARE(m_fx->allRows(kIE1, u"2025"_s), 0);
    }

    void domicileCount_data()
    {
        QTest::addColumn<QString>("statusDRF");
        QTest::addColumn<QStringList>("domiciles");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("ends");
        QTest::newRow("N, one") << u"N"_s << QStringList{u"A"_s} << textoImportada(u"2025"_s, kUm) << false;
        QTest::newRow("N, none") << u"N"_s << QStringList{} << textoImportada(u"2025"_s, kUm) << false;
        QTest::newRow("N, two") << u"N"_s << QStringList{u"A"_s, u"B"_s} << textoSobramDomicilios(kUm) << true;
        QTest::newRow("N, two, one faulty: refused before the count") << u"N"_s << QStringList{u"A"_s, u"bad"_s} << textoSobramDomicilios(kUm) << true;
        QTest::newRow("S, one") << u"S"_s << QStringList{u"A"_s} << textoFaltamDomicilios(kUm) << true;
        QTest::newRow("S, two") << u"S"_s << QStringList{u"A"_s, u"B"_s} << textoImportada(u"2025"_s, kUm) << false;
        QTest::newRow("S, none") << u"S"_s << QStringList{} << textoImportada(u"2025"_s, kUm) << false;
    }

    void domicileCount()
    {
        QFETCH(QString, statusDRF);
        QFETCH(QStringList, domiciles);
        QFETCH(QString, entry);
        QFETCH(bool, ends);
        QStringList lines;
        for (const QString &d : domiciles) {
            // A "B" line with bad dates is not stored but still counts, so the declaration is
            // refused for it only when no count rule ends the import first.
            lines.append(d == u"bad" ? lineB(kIE1, u"2025"_s, u"C"_s).set(22, u"00000000"_s) : lineB(kIE1, u"2025"_s, d));
        }
        const ImportRun run = m_fx->importLines(declaracaoCom(lines, lineA().set(183, statusDRF)) + declaracao(kIE2));
        if (domiciles.contains(u"bad"_s))
            QCOMPARE(run.log.value(0), textoIdentificacao(kIE1, kUm, u"2025"_s));
        else
            QCOMPARE(run.log.value(0), entry);
        QCOMPARE(run.summary.end, ends && !domiciles.contains(u"bad"_s) ? ImportEnd::DomicileCount : ImportEnd::Completed);
        const bool accepted = entry == textoImportada(u"2025"_s, kUm);
        QCOMPARE(m_fx->rows(u"zef"_s), accepted ? 1 : 0);
        if (!accepted)
            QCOMPARE(m_fx->allRows(kIE1), 0);
        // The import ends with a count rule: the next declaration is not read.
        QCOMPARE(m_fx->rows(u"zef"_s, kIE2), run.summary.end == ImportEnd::DomicileCount ? 0 : 1);
    }

    void futureYearEndsTheImport()
    {
        const ImportRun run = m_fx->importLines(declaracao(kIE1) + declaracao(kIE2, u"2027"_s) + declaracao(kIE3));
        QCOMPARE(run.boxes, QStringList{textoAnoFuturo()});
        QCOMPARE(run.log, (QStringList{textoImportada(u"2025"_s, kUm), textoIdentificacao(kIE2, kDois, u"2027"_s),
                                       u"Ano-base 2027 posterior ao ano corrente (2026). Importação interrompida."_s,
                                       textoIdentificacao(kIE3, kTres, u"2025"_s),
                                       u"Declaração não importada: a importação foi interrompida na linha 13, antes "
                                       u"desta declaração."_s}));
        QCOMPARE(run.summary.end, ImportEnd::FutureYear);
        QCOMPARE(textoResumo(run.summary), u"Declarações lidas: 3; importadas: 1; recusadas: 1; não gravadas: 1."_s);
        QVERIFY(imported(kIE1));
        QCOMPARE(m_fx->totalRows(u"zef"_s), 1);
    }

    void headerLineLastIsADeclarationWithoutZ()
    {
        const ImportRun run = m_fx->importLines(declaracao(kIE1) + QStringList{lineA(kIE2)});
        QCOMPARE(run.log, (QStringList{textoImportada(u"2025"_s, kUm), textoIdentificacao(kIE2, kDois, u"2025"_s), QString()}));
        QCOMPARE(run.summary.end, ImportEnd::Completed);
        QCOMPARE(m_fx->allRows(kIE2), 0);
    }

    void declarationWithoutZ()
    {
        QStringList lines = declaracao(kIE1);
        lines.removeLast();
        const ImportRun run = m_fx->importLines(lines);
        QCOMPARE(run.log, (QStringList{textoIdentificacao(kIE1, kUm, u"2025"_s), QString()}));
        QCOMPARE(m_fx->allRows(kIE1), 0);
    }

    // Inside a declaration only "Z" ends it: a second "A" line is skipped like any other letter,
    // and the lines after it are read as the first declaration's.
    void headerLineInsideADeclaration()
    {
        QStringList lines = declaracao(kIE1);
        lines.removeLast();
        const ImportRun run = m_fx->importLines(lines + declaracao(kIE2));
        QCOMPARE(run.log.size(), 2);
        QCOMPARE(run.log.at(0), textoIdentificacao(kIE1, kUm, u"2025"_s));
        QVERIFY(run.log.at(1).startsWith(u"Linha 13, seguimento B, de outra declaração: inscrição estadual 290000025, "
                                         u"ano-base 2025; a declaração é da inscrição estadual 290000017, ano-base "
                                         u"2025.\r\n"_s));
        QCOMPARE(m_fx->totalRows(u"zef"_s), 0);
    }

    void linesBetweenDeclarationsAreSkipped()
    {
        const ImportRun run = m_fx->importLines(declaracao(kIE1) + QStringList{u"lixo"_s, QString(), u"Z"_s, lineC(kIE2)}
                                                + declaracao(kIE2));
        QCOMPARE(run.log, (QStringList{textoImportada(u"2025"_s, kUm), textoImportada(u"2025"_s, kDois)}));
    }

    void emptyAndMalformedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<zef::ImportEnd>("end");
        QTest::newRow("empty") << QByteArray() << textoArquivoVazio() << ImportEnd::EmptyFile;
        QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << textoArquivoVazio() << ImportEnd::EmptyFile;
        QTest::newRow("only CR") << QByteArray("\r\r\r\r") << textoFormatoInvalido() << ImportEnd::InvalidFormat;
        QTest::newRow("only line feeds") << QByteArray("\n\n") << textoFormatoInvalido() << ImportEnd::InvalidFormat;
        QTest::newRow("first line not A") << Fixture::encode(declaracao().mid(1).join(u"\r\n"_s), Encoding::Windows1252)
                                          << textoFormatoInvalido() << ImportEnd::InvalidFormat;
        QTest::newRow("lower-case a") << QByteArray("a290000017\r\n") << textoFormatoInvalido() << ImportEnd::InvalidFormat;
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE" "A\0" "2\0", 6) << textoFormatoInvalido() << ImportEnd::InvalidFormat;
    }

    void emptyAndMalformedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, entry);
        QFETCH(zef::ImportEnd, end);
        const ImportRun run = m_fx->importPath(m_fx->writeBytes(bytes));
        QCOMPARE(run.log, QStringList{entry});
        QCOMPARE(run.summary.end, end);
        QVERIFY(run.summary.endedEarly());
        QCOMPARE(m_fx->totalRows(u"zef"_s), 0);
    }

    void missingFile()
    {
        const ImportRun run = m_fx->importPath(m_fx->home() + u"/nao-existe.txt"_s);
        QCOMPARE(run.summary.end, ImportEnd::CannotOpen);
        QVERIFY(!run.summary.error.isEmpty());
        QVERIFY(run.log.isEmpty());
    }

    // A line the import cannot read: what was stored for its declaration is removed, the earlier
    // declarations stay, and the import ends naming the line and the field.
    void unreadableLineEndsTheImport_data()
    {
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QString>("message");
        QTest::newRow("amount") << declaracaoCom({lineB(kIE2), lineC(kIE2).set(25, u"000000000001,5"_s)}, lineA(kIE2))
                                << u"Linha 15, campo VlrContabil (posições 25 a 38): \"000000000001,5\" não é um valor "
                                   u"válido. Importação interrompida."_s;
        QTest::newRow("header amount") << declaracaoCom({}, lineA(kIE2).set(155, u"ABC           "_s))
                                       << u"Linha 13, campo VlrCCaixaI (posições 155 a 168): \"ABC           \" não é um "
                                          u"valor válido. Importação interrompida."_s;
        QTest::newRow("year") << declaracaoCom({}, lineA(kIE2, u"2O25"_s))
                              << u"Linha 13, campo AnoBase (posições 11 a 14): \"2O25\" não é um valor válido. "
                                 u"Importação interrompida."_s;
        QTest::newRow("duplicate line") << declaracaoCom({lineC(kIE2), lineD(kIE2), lineC(kIE2)}, lineA(kIE2))
                                        << u"Linha 16: Key violation. Importação interrompida."_s;
        QTest::newRow("unknown entry type") << declaracaoCom({lineC(kIE2, u"2025"_s, u"12"_s)}, lineA(kIE2))
                                            << u"Linha 14: O campo 'TipoEntradas' deve ser preenchido. Importação "
                                               u"interrompida."_s;
        QTest::newRow("negative amount") << declaracaoCom({lineJ(kIE2).set(15, u"-0000000000001"_s)}, lineA(kIE2))
                                         << u"Linha 14: O campo de preenchimento não pode ser negativo Importação "
                                            u"interrompida."_s;
        for (const Line &l : {lineB(kIE2), lineC(kIE2), lineD(kIE2), lineE(kIE2), lineF(kIE2), lineG(kIE2),
                              lineH(kIE2), lineI(kIE2), lineJ(kIE2), lineK(kIE2)}) {
            const QString text = l.text();
            QTest::addRow("truncated %c", text.at(0).toLatin1())
                << declaracaoCom({Line(text).cut(text.size() - 3)}, lineA(kIE2))
                << u"Linha 14: a linha termina antes do fim do campo "_s;
        }
    }

    void unreadableLineEndsTheImport()
    {
        QFETCH(QStringList, second);
        QFETCH(QString, message);
        const ImportRun run = m_fx->importLines(declaracao(kIE1) + second + declaracao(kIE3));
        QCOMPARE(run.log.size(), 5);
        QCOMPARE(run.log.at(0), textoImportada(u"2025"_s, kUm));
        QVERIFY(run.log.at(1).startsWith(u"Inscrição Estadual: 290000025\r\nRazão Social: EMPRESA DOIS LTDA\r\nAno-base: "_s));
        QVERIFY2(run.log.at(2).startsWith(message), qPrintable(run.log.at(2)));
        // The declaration after it is named as not imported.
        QCOMPARE(run.log.at(3), textoIdentificacao(kIE3, kTres, u"2025"_s));
        QVERIFY(run.log.at(4).startsWith(u"Declaração não importada: a importação foi interrompida na linha "_s));
        QCOMPARE(run.summary.read, 3);
        QCOMPARE(run.summary.imported, 1);
        QCOMPARE(run.summary.refused + run.summary.notStored, 2);
        QCOMPARE(run.summary.error, run.log.at(2));
        QCOMPARE(run.summary.end, ImportEnd::Error);
        QVERIFY(imported(kIE1));
        QCOMPARE(m_fx->allRows(kIE1), 11);
        QCOMPARE(m_fx->allRows(kIE2), 0);
        QCOMPARE(m_fx->rows(u"zef"_s, kIE3), 0);
    }

    // Quotes and SQL in every text field are stored or refused as text.
    void hostileText_data()
    {
        QTest::addColumn<int>("line");   // index in the declaration: 0 the "A" line
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("width");
        const struct {
            const char *name;
            int line, pos, width;
        } fields[] = {
            {"A registration", 0, 2, 9}, {"A activity", 0, 16, 7},      {"A municipality", 0, 27, 7},
            {"A accountant", 0, 50, 11}, {"A responsible", 0, 61, 80}, {"A domicile flag", 0, 183, 1},
            {"B municipality", 1, 15, 7}, {"B domicile", 1, 38, 1},     {"C type", 2, 15, 2},
            {"C domicile", 2, 17, 1},    {"C municipality", 2, 18, 7}, {"D state", 3, 15, 2},
            {"E type", 4, 15, 2},        {"F state", 5, 15, 2},        {"G origin", 6, 15, 7},
            {"G municipality", 6, 23, 7}, {"H supplier", 7, 15, 9},    {"H origin", 7, 32, 7},
            {"I supplier", 8, 15, 9},    {"I invoice", 8, 32, 7},      {"K kind", 10, 15, 1},
            {"K code", 10, 16, 4},       {"K municipality", 10, 21, 7}, {"line registration", 2, 2, 9},
        };
        for (const auto &f : fields)
            QTest::newRow(f.name) << f.line << f.pos << f.width;
    }

    void hostileText()
    {
        QFETCH(int, line);
        QFETCH(int, pos);
        QFETCH(int, width);
        const QString hostile = u"'); delete from zef; drop table Empresa; --'\"%_\\"_s.left(width).leftJustified(width);
        QStringList lines = declaracao(kIE1);
        lines[line] = Line(lines[line]).set(pos, hostile);
        const ImportRun run = m_fx->importLines(declaracao(kIE2) + lines + declaracao(kIE3));
        QCOMPARE(run.log.value(0), textoImportada(u"2025"_s, kDois));
        QVERIFY(run.summary.end == ImportEnd::Completed || run.summary.end == ImportEnd::Error);
        verifyHoldsWhatWasLogged(run, {kIE1, kIE2, kIE3});
        if (line == 0 && pos == 61)
            QCOMPARE(m_fx->scalar(u"select Responsavel from zef where CGCEmpresa = :p0"_s, {kIE1}).toString(),
                     trimRight(hostile));
    }

    void binaryGarbage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QRandomGenerator random(2026);
        auto garbage = [&random](int size) {
            QByteArray b(size, Qt::Uninitialized);
            for (char &c : b)
                c = char(random.bounded(256));
            return b;
        };
        const QByteArray valid = Fixture::encode(declaracao(kIE2).join(u"\r\n"_s) + u"\r\n"_s, Encoding::Windows1252);
        QTest::newRow("random") << garbage(100000);
        QTest::newRow("after a declaration") << valid + garbage(100000);
        QTest::newRow("A then random") << valid + "A" + garbage(50000);
        for (const char letter : QByteArray("ABCDEFGHIJKZ")) {
            QByteArray inside = Fixture::encode(lineA(kIE1).text() + u"\r\n"_s, Encoding::Windows1252);
            inside += letter + QByteArray("290000017") + "2025" + garbage(200).replace('\r', 'x').replace('\n', 'y');
            QTest::addRow("garbage %c line", letter) << valid + inside + "\r\nZ\r\n";
        }
        QTest::newRow("NUL bytes") << valid + QByteArray(5000, '\0');
    }

    void binaryGarbage()
    {
        QFETCH(QByteArray, bytes);
        const ImportRun run = m_fx->importPath(m_fx->writeBytes(bytes));
        QVERIFY(!run.log.isEmpty());
        verifyHoldsWhatWasLogged(run, {kIE1, kIE2, kIE3});
    }

    void veryLongLines()
    {
        const QStringList lines = declaracaoCom({lineC().pad(10000), lineD()}, lineA(kIE1))
            + QStringList{lineA(kIE2).pad(10000), lineC(kIE2), u"Z"_s};
        const ImportRun run = m_fx->importLines(lines);
        QCOMPARE(run.log, (QStringList{textoImportada(u"2025"_s, kUm), textoIdentificacao(kIE2, kDois, u"2025"_s),
                                       u"Tamanho do seguimento \"A\" inválido!"_s}));
    }

    // Positions count characters in either code page.
    void accentedTexts_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::newRow("Windows-1252") << int(Encoding::Windows1252);
        QTest::newRow("UTF-8") << int(Encoding::Utf8);
        QTest::newRow("UTF-8 with mark") << int(Encoding::Utf8Bom);
    }

    void accentedTexts()
    {
        QFETCH(int, encoding);
        QStringList lines = declaracao(kIE1);
        lines[0] = lineA().set(61, u"JOSÉ DA CONCEIÇÃO ÁÉÍÓÚ"_s);
        const ImportRun run = m_fx->importLines(lines, Encoding(encoding));
        QCOMPARE(run.log, QStringList{textoImportada(u"2025"_s, kUm)});
        QCOMPARE(m_fx->scalar(u"select Responsavel from zef"_s).toString(), u"JOSÉ DA CONCEIÇÃO ÁÉÍÓÚ"_s);
    }

    // A crash halfway through a declaration leaves none of it behind; a result reaches the log
    // only once its declaration is committed.
    void crashInsideADeclaration_data()
    {
        QTest::addColumn<int>("commitIntervalMs");
        QTest::addColumn<bool>("firstKept");
        QTest::newRow("commit after each declaration") << 0 << true;
        QTest::newRow("declarations share the transaction") << 3600000 << false;
    }

    void crashInsideADeclaration()
    {
        QFETCH(int, commitIntervalMs);
        QFETCH(bool, firstKept);
        QStringList second = declaracao(kIE2);
        second.removeLast();
        for (int i = 0; i < 300; ++i)
            second.append(u"X comentário"_s);
        second.append(u"Z"_s);
        const QString path = m_fx->writeFile(declaracao(kIE1) + second);

        ScriptedDialogs dialogs;
        TextImport importacao(m_fx->db(), dialogs);
        importacao.today = kHoje;
        importacao.commitIntervalMs = commitIntervalMs;
        QStringList log;
        importacao.onLog = [&log](const QString &entry) { log.append(entry); };
        importacao.onProgress = [](qint64 line, qint64) {
            if (line >= 200)
                throw std::runtime_error("queda");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, importacao.importFile(path));
        QVERIFY(!m_fx->db().inTransaction());
        QCOMPARE(m_fx->allRows(kIE2), 0);
        QCOMPARE(m_fx->allRows(kIE1), firstKept ? 11 : 0);
        QCOMPARE(log, firstKept ? QStringList{textoImportada(u"2025"_s, kUm)} : QStringList());
    }

    void progress()
    {
        QStringList lines;
        for (int i = 0; i < 450; ++i)
            lines.append(u"X"_s);
        const QString path = m_fx->writeFile(declaracao(kIE1) + lines);
        ScriptedDialogs dialogs;
        TextImport importacao(m_fx->db(), dialogs);
        importacao.today = kHoje;
        QList<std::pair<qint64, qint64>> calls;
        importacao.onProgress = [&calls](qint64 line, qint64 total) { calls.append({line, total}); };
        importacao.importFile(path);
        QCOMPARE(calls, (QList<std::pair<qint64, qint64>>{{200, 462}, {400, 462}, {462, 462}}));
    }

    // The database refuses to write halfway through a file: every declaration is accounted for
    // in the log, none is left half-stored, and the import ends.
    void databaseRefusesWrites_data()
    {
        QTest::addColumn<QString>("setup");            // run on the import's connection first
        QTest::addColumn<int>("commitIntervalMs");
        QTest::addColumn<int>("imported");              // -1: depends on where the disk fills up
        QTest::addColumn<QString>("reason");            // a text the log holds
        const QString full = u"PRAGMA max_page_count = %1"_s;
        QTest::newRow("disk full, one transaction") << full << 3600000 << -1 << u"espaço livre no disco"_s;
        QTest::newRow("disk full, a commit after each") << full << 0 << -1 << u"espaço livre no disco"_s;
        QTest::newRow("read-only") << u"PRAGMA query_only = 1"_s << 250 << 0 << u"protegido contra gravação"_s;
        // A refusal after which SQLite has undone the whole transaction, as it does on a full disk
        // or an I/O error: the nine declarations before, already checked, were not stored.
        QTest::newRow("transaction undone") << u"CREATE TRIGGER falha BEFORE INSERT ON Vendas WHEN "
                                               u"NEW.CGCEmpresa = '291000009' BEGIN SELECT RAISE(ROLLBACK, "
                                               u"'gravação recusada'); END"_s
                                            << 3600000 << 0 << u"gravação recusada"_s;
        // A refusal of one statement: the declarations before it are kept.
        QTest::newRow("statement refused") << u"CREATE TRIGGER falha BEFORE INSERT ON Vendas WHEN "
                                              u"NEW.CGCEmpresa = '291000009' BEGIN SELECT RAISE(ABORT, "
                                              u"'gravação recusada'); END"_s
                                           << 3600000 << 9 << u"gravação recusada"_s;
    }

    void databaseRefusesWrites()
    {
        QFETCH(QString, setup);
        QFETCH(int, commitIntervalMs);
        QFETCH(int, imported);
        QFETCH(QString, reason);
        const QList<Contribuinte> file = m_fx->addTaxpayers(150);
        QStringList lines;
        for (const Contribuinte &c : file)
            lines += declaracao(c.ie);
        const QString path = m_fx->writeFile(lines);
        if (setup.contains(u"max_page_count"_s)) {
            // No page beyond those the database has now: the free room in them takes a few
            // declarations, then the disk is full.
            const int pages = m_fx->scalar(u"PRAGMA page_count"_s).toInt();
            setup = setup.arg(pages);
        }
        sqlite(m_fx->db(), setup);
        const ImportRun run = m_fx->importPath(path, commitIntervalMs);
        sqlite(m_fx->db(), u"PRAGMA query_only = 0"_s);

        verifyEveryDeclarationAccountedFor(run, file);
        QCOMPARE(run.summary.end, ImportEnd::Error);
        QVERIFY(run.summary.notStored > 0);
        QVERIFY2(run.summary.error.contains(reason), qPrintable(run.summary.error));
        if (imported >= 0)
            QCOMPARE(run.summary.imported, imported);
        else
            QVERIFY(run.summary.imported < file.size());
    }

    // Another connection's read keeps the commit from taking the database: none of the
    // declarations waiting for it is stored, and the log names each.
    void commitRefused_data()
    {
        QTest::addColumn<int>("commitIntervalMs");
        QTest::newRow("one transaction") << 3600000;
        QTest::newRow("a commit after each") << 0;
    }

    void commitRefused()
    {
        QFETCH(int, commitIntervalMs);
        const QList<Contribuinte> file = m_fx->addTaxpayers(5);
        QStringList lines;
        for (const Contribuinte &c : file)
            lines += declaracao(c.ie);
        const QString path = m_fx->writeFile(lines);
        const std::unique_ptr<Database> reader = Fixture::connect(m_fx->home());
        sqlite(*reader, u"BEGIN; SELECT count(*) FROM Empresa;"_s);
        sqlite(m_fx->db(), u"PRAGMA busy_timeout = 0"_s);
        const ImportRun run = m_fx->importPath(path, commitIntervalMs);
        sqlite(*reader, u"ROLLBACK"_s);

        QCOMPARE(run.summary.imported, 0);
        QCOMPARE(run.summary.notStored, 5);
        // The first declaration is named as not stored; the others as not stored either, or not
        // reached when the import ended at the first one.
        QCOMPARE(run.log.value(0), textoIdentificacao(file[0].ie, file[0].nome, u"2025"_s));
        QVERIFY2(run.log.value(1).startsWith(u"Declaração não gravada: o banco de dados recusou a gravação na linha "_s),
                 qPrintable(run.log.value(1)));
        verifyEveryDeclarationAccountedFor(run, file);
    }

    void refusesToRunInsideATransaction()
    {
        const QString path = m_fx->writeFile(declaracao(kIE1));
        m_fx->db().startTransaction();
        ScriptedDialogs dialogs;
        TextImport importacao(m_fx->db(), dialogs);
        QVERIFY_THROWS_EXCEPTION(EngineError, importacao.importFile(path));
        m_fx->db().rollback();
        QCOMPARE(m_fx->totalRows(u"zef"_s), 0);
    }
};

QTEST_GUILESS_MAIN(TestTextImport)
#include "tst_text_import.moc"
