#include "data/database_setup.h"
#include "data/lookups.h"
#include "engine/database.h"
#include "engine/query.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace zef;

class TestLookups : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<Database> m_db;

    void exec(const QString &sql) { Query(*m_db, sql).execSql(); }

private slots:
    void initTestCase()
    {
        createDatabase(m_home.path());
        m_db = std::make_unique<Database>();
        m_db->addPassword(QString::fromLatin1(kTablePassword));
        m_db->setParam(QStringLiteral("PATH"), m_home.filePath(QStringLiteral("Db")));
        m_db->connect();
        exec(QStringLiteral("delete from AnoBaseCampo7"));
        exec(QStringLiteral("insert into AnoBaseCampo7 (cnae, AnoBase) values ('0111301', '2019')"));
        exec(QStringLiteral("insert into AnoBaseCampo7 (cnae, AnoBase) values ('0111302', '2025')"));
        exec(QStringLiteral("insert into AnoBaseCampo7 (cnae, AnoBase) values ('0111303', '2012')"));
        exec(QStringLiteral("insert into AnoBaseCampo7 (cnae, AnoBase) values ('0111304', '2015')"));
    }

    void groupYear_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("group");
        const char *rows[][2] = {{"2026", "2025"}, {"2025", "2025"}, {"2024", "2019"}, {"2019", "2019"},
                                 {"2018", "2015"}, {"2015", "2015"}, {"2014", "2014"}, {"2013", "2013"},
                                 {"2012", "2012"}, {"2010", "2012"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
    }

    void groupYear()
    {
        QFETCH(QString, year);
        QFETCH(QString, group);
        QCOMPARE(grupoAnoBaseCampo7(year), group);
    }

    void exigeItem07LooksUpTheGroup_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("cnae");
        QTest::addColumn<bool>("expected");
        QTest::newRow("2024 -> 2019") << QStringLiteral("2024") << QStringLiteral("0111301") << true;
        QTest::newRow("2026 -> 2025") << QStringLiteral("2026") << QStringLiteral("0111302") << true;
        QTest::newRow("2026 not in 2019's list") << QStringLiteral("2026") << QStringLiteral("0111301") << false;
        QTest::newRow("2010 -> 2012") << QStringLiteral("2010") << QStringLiteral("0111303") << true;
        QTest::newRow("2016 -> 2015") << QStringLiteral("2016") << QStringLiteral("0111304") << true;
        QTest::newRow("quote in the code") << QStringLiteral("2026") << QStringLiteral("0'1") << false;
    }

    void exigeItem07LooksUpTheGroup()
    {
        QFETCH(QString, year);
        QFETCH(QString, cnae);
        QFETCH(bool, expected);
        QCOMPARE(ExigeItem07(*m_db, year, cnae), expected);
    }

    void existeRoutines()
    {
        QVERIFY(ExisteMunicipio(*m_db, QStringLiteral("9999999")));
        QVERIFY(!ExisteMunicipio(*m_db, QStringLiteral("0000000")));
        QVERIFY(ExisteCFOP(*m_db, QStringLiteral("1933"), QStringLiteral("E")));
        QVERIFY(!ExisteCFOP(*m_db, QStringLiteral("1933"), QStringLiteral("S")));
        QVERIFY(ExisteAtividade(*m_db, QStringLiteral("4751201")));
        QVERIFY(!ExisteAtividade(*m_db, QStringLiteral("'; delete from atividades20; --")));
        QVERIFY(ExisteCNAE11(*m_db, QStringLiteral("4751200")));
        QVERIFY(!ExisteCNAE11(*m_db, QStringLiteral("0000000")));
        QVERIFY(ExisteCampo(*m_db, QStringLiteral("zef"), QStringLiteral("importado")));
        QVERIFY(ExisteCampo(*m_db, QStringLiteral("Zef.DB"), QStringLiteral("ANOBASE")));
        QVERIFY(!ExisteCampo(*m_db, QStringLiteral("zef"), QStringLiteral("Inexistente")));
        QVERIFY_THROWS_EXCEPTION(EngineError, ExisteCampo(*m_db, QStringLiteral("nada"), QStringLiteral("x")));
    }
};

QTEST_GUILESS_MAIN(TestLookups)
#include "tst_lookups.moc"
