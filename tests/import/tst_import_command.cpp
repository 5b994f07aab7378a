#include "import_fixture.h"

#include <QProcess>

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
                                                    u"com sucesso. \n"_s;
        QTest::newRow("one refused") << declaracao(kIE1) + declaracaoCom({}, lineA(kIE2).set(23, u"9"_s)) << 0
                                     << l6um + u"Inscrição Estadual: 290000025\nRazão Social: EMPRESA DOIS LTDA\n"
                                               u"Ano-base: 2025\n9 não é válido para Tipo de Estabelecimento .\n"_s;
        QTest::newRow("empty file") << QStringList() << 1 << u"Formato do arquivo inválido!!!\n"_s;
        QTest::newRow("not a declaration file") << QStringList{u"Z"_s} << 1 << u"Formato do Arquivo inválido!!!\n"_s;
        QTest::newRow("future year") << declaracao(kIE1, u"2099"_s) << 1
                                     << u"O ZEF com período de referência anterior a  deverá ser informada no programa "
                                        u"ZEF 2013\n"_s;
        QTest::newRow("two domiciles without a move") << declaracaoCom({lineB(), lineB(kIE1, u"2025"_s, u"B"_s)}) << 1
                                                      << u"Não deve ser informado os Domicílios Fiscais Anterior para "
                                                         u"o Contribuinte EMPRESA UM LTDA pois, existe não mudança de "
                                                         u"Domicílio Fiscal.\n"_s;
        QTest::newRow("unreadable amount") << declaracaoCom({lineC().set(25, u"?"_s)}) << 1
                                           << u"Inscrição Estadual: 290000017\nRazão Social: EMPRESA UM LTDA\n"
                                              u"Ano-base: 2025\nLinha 2, campo VlrContabil (posições 25 a 38): "
                                              u"\"?0000000000100\" não é um valor válido. Importação interrompida.\n"_s;
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
