#include "previous_fixture.h"

#include <QProcess>

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

namespace {

const QString kIE4 = u"290000041"_s;
const QString kCPF2 = u"11144477735"_s;

QString counts(int empresas, int contadores)
{
    return u"Contribuintes incluídos: %1\nContabilistas incluídos: %2\n"_s.arg(empresas).arg(contadores);
}

} // namespace

// `zef import-previous` as a user runs it: the program over the fixture's installation.
class TestImportPreviousCommand : public QObject
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

    void importsAndReportsTheCounts_data()
    {
        QTest::addColumn<Origem>("origem");
        QTest::newRow("paradox") << Origem::Paradox;
        QTest::newRow("own database") << Origem::BancoProprio;
    }
    void importsAndReportsTheCounts()
    {
        QFETCH(Origem, origem);
        Anterior anterior(origem);
        anterior.write(QList<QVariantList>{empresa(kIE1), empresa(kIE4, u"PADARIA SÃO JOSÉ"_s)},
                       QList<QVariantList>{contador(kCPF2)});
        Result r = zef({u"import-previous"_s, anterior.folder()});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, u"Dados importados com sucesso!!!\n"_s + counts(1, 1));
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(m_fx->scalar(u"select RazaoSocial from Empresa where InscricaoEmpresa = :p0"_s, {kIE4}).toString(),
                 u"PADARIA SÃO JOSÉ"_s);

        r = zef({u"import-previous"_s, anterior.folder()});
        QCOMPARE(r.out, u"Dados importados com sucesso!!!\n"_s + counts(0, 0));
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 4);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("folder");   // "<anterior>" stands for the earlier installation
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("empresas");
        QTest::newRow("missing folder") << u"<anterior>/nada"_s << 1 << counts(0, 0)
                                        << u"Erro ao tentar importar dados Diretório não encontrado: <anterior>/nada\n"_s
                                        << 3;
        QTest::newRow("missing table, earlier rows stay")
            << u"<anterior>"_s << 1 << counts(1, 0)
            << u"Erro ao tentar importar dados Tabela não encontrada: <anterior>/Contador.DB\n"_s << 4;
        QTest::newRow("only spaces") << u"   "_s << 1 << QString()
                                     << u"Caminho do banco de dados deve ser informado!!!\n"_s << 3;
    }
    void failures()
    {
        QFETCH(QString, folder);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(int, empresas);
        Anterior anterior(Origem::Paradox);
        anterior.write(QList<QVariantList>{empresa(kIE4)}, std::nullopt);
        const QString path = QDir::toNativeSeparators(anterior.folder());
        const Result r = zef({u"import-previous"_s, folder.replace(u"<anterior>"_s, anterior.folder())});
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err.replace(u"<anterior>"_s, path));
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), empresas);
    }

    void usage()
    {
        for (const QStringList &args : {QStringList{u"import-previous"_s}, QStringList{u"import-previous"_s, u"a"_s, u"b"_s}}) {
            const Result r = zef(args);
            QCOMPARE(r.exitCode, 2);
            QCOMPARE(r.err, u"Uso: zef [--home PASTA] import-previous ORIGEM\n"_s);
        }
    }
};

QTEST_GUILESS_MAIN(TestImportPreviousCommand)

#include "tst_import_previous_command.moc"
