#include "import_fixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

// `zef import` as a user runs it: the program over an installation folder.
class TestImportCommand : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    struct Result {
        int exitCode;
        QString out;
        QString err;
    };

    Result zef(const QStringList &args)
    {
        QProcess p;
        p.start(QString::fromLocal8Bit(ZEF_PROGRAM), QStringList{u"--home"_s, m_fx->home()} + args);
        if (!p.waitForFinished(60000))
            qFatal("zef did not finish");
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    void printsTheLog_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        const QString l6um = u"ZEF Referência 2025 Contribuinte EMPRESA UM LTDA Importada com sucesso. \n"_s;
        QTest::newRow("two declarations") << declaracao(kIE1) + declaracao(kIE2) << 0
                                          << l6um + u"ZEF Referência 2025 Contribuinte EMPRESA DOIS LTDA Importada "
                                                    u"com sucesso. \n"
                                                    u"Declarações lidas: 2; importadas: 2; recusadas: 0; não gravadas: "
                                                    u"0.\n"_s;
        QTest::newRow("one refused") << declaracao(kIE1) + declaracaoCom({}, lineA(kIE2).set(23, u"9"_s)) << 0
                                     << l6um + u"Inscrição Estadual: 290000025\nRazão Social: EMPRESA DOIS LTDA\n"
                                               u"Ano-base: 2025\n9 não é válido para Tipo de Estabelecimento .\n"
                                               u"Declarações lidas: 2; importadas: 1; recusadas: 1; não gravadas: 0.\n"_s;
        const QString nenhuma = u"Declarações lidas: 0; importadas: 0; recusadas: 0; não gravadas: 0.\n"_s;
        QTest::newRow("empty file") << QStringList() << 1 << u"Formato do arquivo inválido!!!\n"_s + nenhuma;
        QTest::newRow("not a declaration file") << QStringList{u"Z"_s} << 1 << u"Formato do Arquivo inválido!!!\n"_s + nenhuma;
        QTest::newRow("future year") << declaracao(kIE1, u"2099"_s) << 1
                                     << u"Inscrição Estadual: 290000017\nRazão Social: EMPRESA UM LTDA\nAno-base: 2099\n"_s
                                            + textoAnoPosterior(u"2099"_s, QDate::currentDate().year())
                                            + u"\nO ZEF com período de referência anterior a  deverá ser informada no "
                                              u"programa ZEF 2013\n"
                                              u"Declarações lidas: 1; importadas: 0; recusadas: 1; não gravadas: 0.\n"_s;
        QTest::newRow("two domiciles without a move") << declaracaoCom({lineB(), lineB(kIE1, u"2025"_s, u"B"_s)}) << 1
                                                      << u"Não deve ser informado os Domicílios Fiscais Anterior para "
                                                         u"o Contribuinte EMPRESA UM LTDA pois, existe não mudança de "
                                                         u"Domicílio Fiscal.\n"
                                                         u"Declarações lidas: 1; importadas: 0; recusadas: 1; não "
                                                         u"gravadas: 0.\n"_s;
        QTest::newRow("unreadable amount") << declaracaoCom({lineC().set(25, u"?"_s)}) << 1
                                           << u"Inscrição Estadual: 290000017\nRazão Social: EMPRESA UM LTDA\n"
                                              u"Ano-base: 2025\nLinha 2, campo VlrContabil (posições 25 a 38): "
                                              u"\"?0000000000100\" não é um valor válido. Importação interrompida.\n"
                                              u"Declarações lidas: 1; importadas: 0; recusadas: 1; não gravadas: 0.\n"_s;
    }

    void printsTheLog()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        const Result r = zef({u"import"_s, m_fx->writeFile(lines)});
        QCOMPARE(r.out, out);
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.err, QString());
    }

    void storesTheDeclarations()
    {
        const Result r = zef({u"import"_s, m_fx->writeFile(declaracao(kIE1))});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(m_fx->allRows(kIE1), 11);
        QVERIFY(m_fx->scalar(u"select Importado from zef"_s).toBool());
    }

    // The database refuses a write: the program says which declarations are not stored and
    // fails.
    void databaseRefusesWrites()
    {
        m_fx->exec(u"CREATE TRIGGER falha BEFORE INSERT ON Compras WHEN NEW.CGCEmpresa = '290000025' "
                   u"BEGIN SELECT RAISE(ABORT, 'gravação recusada'); END"_s);
        const Result r = zef({u"import"_s, m_fx->writeFile(declaracao(kIE1) + declaracao(kIE2) + declaracao(kIE3))});
        QCOMPARE(r.exitCode, 1);
        const QStringList out = r.out.split(u'\n');
        QCOMPARE(out.value(0), u"ZEF Referência 2025 Contribuinte EMPRESA UM LTDA Importada com sucesso. "_s);
        QCOMPARE(out.value(1), u"Inscrição Estadual: 290000025"_s);
        QVERIFY2(out.value(4).contains(u"gravação recusada"_s), qPrintable(r.out));
        QCOMPARE(out.value(5), u"Inscrição Estadual: 290000033"_s);
        QCOMPARE(out.value(8), u"Declaração não importada: a importação foi interrompida na linha 15, antes desta "
                               u"declaração."_s);
        QCOMPARE(out.value(9), u"Declarações lidas: 3; importadas: 1; recusadas: 0; não gravadas: 2."_s);
        QCOMPARE(out.size(), 11);   // and the last line's end
        QCOMPARE(m_fx->allRows(kIE1), 11);
        QCOMPARE(m_fx->allRows(kIE2), 0);
    }

    // `zef import` of a long file killed at any moment: the database stays sound, every
    // declaration is whole or absent, and every success printed is stored. The moments are
    // fractions of how long the whole import takes on this machine, so that they fall before,
    // inside and after the transactions' commits however fast the machine is.
    void killedAtAnyMoment_data()
    {
        QTest::addColumn<double>("fraction");
        QTest::newRow("at start") << 0.0;
        QTest::newRow("inside the first transaction") << 0.1;
        QTest::newRow("after a commit") << 0.35;
        QTest::newRow("halfway") << 0.5;
        QTest::newRow("later") << 0.7;
        QTest::newRow("near the end") << 0.9;
    }

    // Milliseconds the whole import of `declarations` takes, measured once on an installation
    // of its own.
    static qint64 wholeImportMs(int declarations)
    {
        static qint64 ms = -1;
        if (ms < 0) {
            Fixture other;
            QStringList lines;
            for (const Contribuinte &c : other.addTaxpayers(declarations))
                lines += declaracao(c.ie);
            const QString path = other.writeFile(lines);
            QProcess p;
            QElapsedTimer clock;
            clock.start();
            p.start(QString::fromLocal8Bit(ZEF_PROGRAM), {u"--home"_s, other.home(), u"import"_s, path});
            if (!p.waitForFinished(120000))
                qFatal("zef import did not finish");
            ms = clock.elapsed();
        }
        return ms;
    }

    void killedAtAnyMoment()
    {
        QFETCH(double, fraction);
        constexpr int kDeclarations = 3000;
        QList<Contribuinte> file = m_fx->addTaxpayers(kDeclarations);
        QStringList lines;
        for (const Contribuinte &c : file)
            lines += declaracao(c.ie);
        QString path = m_fx->writeFile(lines);

        // A run that ends before its moment (the machine sped up) would test nothing: the
        // moment is brought forward until the kill lands inside the import.
        qint64 delayMs = qint64(fraction * double(wholeImportMs(kDeclarations)));
        QProcess p;
        QByteArray out;
        for (int attempt = 0;; ++attempt) {
            out.clear();
            p.start(QString::fromLocal8Bit(ZEF_PROGRAM), {u"--home"_s, m_fx->home(), u"import"_s, path});
            QVERIFY(p.waitForStarted());
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < delayMs && p.state() == QProcess::Running) {
                p.waitForReadyRead(int(std::max<qint64>(1, delayMs - clock.elapsed())));
                out += p.readAllStandardOutput();
            }
            if (p.state() != QProcess::NotRunning) {
                p.kill();
                QVERIFY(p.waitForFinished(60000));
            }
            out += p.readAllStandardOutput();
            if (p.exitStatus() == QProcess::CrashExit)
                break;
            QVERIFY2(attempt < 8, "the import always ended before it was killed");
            // Start again on an empty installation with an earlier moment.
            m_fx = std::make_unique<Fixture>();
            file = m_fx->addTaxpayers(kDeclarations);
            path = m_fx->writeFile(lines);
            delayMs /= 2;
        }

        QCOMPARE(m_fx->scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        QSet<QString> printed;
        static const QRegularExpression line(u"^ZEF Referência 2025 Contribuinte (.*) Importada com sucesso. $"_s);
        const QStringList outLines = QString::fromUtf8(out).split(u'\n');
        for (qsizetype i = 0; i + 1 < outLines.size(); ++i)   // the last one may be cut short
            if (const auto m = line.match(outLines.at(i)); m.hasMatch())
                printed.insert(m.captured(1));
        // Whole: the header marked imported and one row in each of the ten section tables.
        QString rows = u"select CGCEmpresa from zef where Importado = 1"_s;
        for (const char *t : {"ZefMunAnterior", "Compras", "Entrada", "Vendas", "Saidas", "SaidasMun",
                              "ProdutosDiferidos", "ProdutosDiferidosNotas", "Estoque", "CFOPOperacoes"})
            rows += u" union all select CGCEmpresa from "_s + QLatin1String(t);
        const auto keys = [this, &rows](const QString &having) {
            const QString list = m_fx->scalar(u"select group_concat(CGCEmpresa) from (select CGCEmpresa from (%1) "
                                               u"group by CGCEmpresa %2)"_s.arg(rows, having)).toString();
            const QStringList ies = list.split(u',', Qt::SkipEmptyParts);
            return QSet<QString>(ies.begin(), ies.end());
        };
        const QSet<QString> whole = keys(u"having count(*) = 11"_s);
        rows += u" union all select CGCEmpresa from zef"_s;
        QCOMPARE(keys(QString()), whole);   // every declaration with a row at all is whole
        for (const Contribuinte &c : file)
            QVERIFY2(whole.contains(c.ie) || !printed.contains(c.nome), qPrintable(c.nome));
        qInfo("%d declarations printed, %d stored", int(printed.size()), int(whole.size()));
    }

    void missingFile()
    {
        const Result r = zef({u"import"_s, m_fx->home() + u"/nao-existe.txt"_s});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.startsWith(u"Não foi possível abrir o arquivo "_s));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no file") << QStringList{u"import"_s};
        QTest::newRow("two files") << QStringList{u"import"_s, u"a.txt"_s, u"b.txt"_s};
        QTest::newRow("unknown option") << QStringList{u"import"_s, u"--sim"_s};
    }

    void usage()
    {
        QFETCH(QStringList, args);
        const Result r = zef(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith(u"Uso: zef"_s));
    }
};

QTEST_GUILESS_MAIN(TestImportCommand)
#include "tst_import_command.moc"
