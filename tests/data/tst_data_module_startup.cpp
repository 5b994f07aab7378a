#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/lookups.h"
#include "data/scripted_dialogs.h"
#include "engine/query.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace zef;

// The start-up steps of the data module on prepared databases.
class TestDataModuleStartup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_home;
    ScriptedDialogs m_dialogs;

    // Runs statements on the installation before the program starts.
    void prepare(const QStringList &statements)
    {
        Database db(QStringLiteral("prepare"));
        db.addPassword(QString::fromLatin1(kTablePassword));
        db.setParam(QStringLiteral("PATH"), m_home->filePath(QStringLiteral("Db")));
        db.connect();
        for (const QString &sql : statements)
            Query(db, sql).execSql();
    }

    int count(TfDmDados &dm, const QString &sql)
    {
        Query q(dm.dtbBaseDados, sql);
        return q.scalar().toInt();
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        createDatabase(m_home->path());
    }

    void placeholderMunicipalityIsAddedOnce()
    {
        prepare({QStringLiteral("delete from Municip where Codigo = '9999999'")});
        for (int start = 0; start < 2; ++start) {
            TfDmDados dm(m_dialogs, m_home->path());
            dm.DataModuleCreate();
            QCOMPARE(count(dm, QStringLiteral("select count(*) from Municip where Codigo = '9999999'")), 1);
            Query q(dm.dtbBaseDados, QStringLiteral("select Descricao, UF from Municip where Codigo = '9999999'"));
            q.open();
            QCOMPARE(q.fieldByName(QStringLiteral("Descricao"))->asString(), QStringLiteral("MUNICÍPIO A CLASSIFICAR"));
            QCOMPARE(q.fieldByName(QStringLiteral("UF"))->asString(), QStringLiteral("VD"));
        }
    }

    void orphanRowsOfSaidasMunAreRemoved()
    {
        prepare({QStringLiteral("insert into SaidasMun (AnoBase, CGCEmpresa, MunicipioID, TipoRegime) values ('2026', '290000017', '1700100', 'A')"),
                 QStringLiteral("insert into SaidasMun (AnoBase, CGCEmpresa, MunicipioID, TipoRegime) values ('2026', '290000017', NULL, 'A')"),
                 QStringLiteral("insert into SaidasMun (AnoBase, CGCEmpresa, MunicipioID, TipoRegime) values ('2025', '290000017', NULL, 'B')")});
        TfDmDados dm(m_dialogs, m_home->path());
        dm.DataModuleCreate();
        QCOMPARE(count(dm, QStringLiteral("select count(*) from SaidasMun")), 1);
        QCOMPARE(count(dm, QStringLiteral("select count(*) from SaidasMun where MunicipioID = '1700100'")), 1);
    }

    void importadoColumnIsAddedAndTrueForExistingRows()
    {
        // A database of an older version: Zef without the column.
        prepare({QStringLiteral("insert into Zef (AnoBase, CGCEmpresa) values ('2025', '290000017')"),
                 QStringLiteral("alter table Zef drop column Importado")});
        {
            TfDmDados dm(m_dialogs, m_home->path());
            dm.DataModuleCreate();
            QVERIFY(ExisteCampo(dm.dtbBaseDados, QStringLiteral("zef"), QStringLiteral("importado")));
            Query(dm.dtbBaseDados, QStringLiteral("insert into Zef (AnoBase, CGCEmpresa) values ('2026', '290000017')")).execSql();
            dm.tbZEF.open();
            QVERIFY(dm.tbZEF.locate({QStringLiteral("AnoBase")}, {QStringLiteral("2025")}));
            QVERIFY(dm.tbZEF.fieldByName(QStringLiteral("Importado"))->asBoolean());
            QVERIFY(dm.tbZEF.locate({QStringLiteral("AnoBase")}, {QStringLiteral("2026")}));
            QVERIFY(dm.tbZEF.fieldByName(QStringLiteral("Importado"))->isNull());
        }
        // The next start finds the column and changes nothing.
        TfDmDados again(m_dialogs, m_home->path());
        again.DataModuleCreate();
        QCOMPARE(count(again, QStringLiteral("select count(*) from Zef where Importado IS NULL")), 1);
    }

    void previousInstallationIsImportedOnlyWhenRegisterIsEmptyAndFolderExists_data()
    {
        QTest::addColumn<bool>("hasTaxpayer");
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<bool>("imported");
        QTest::newRow("empty register, folder") << false << true << true;
        QTest::newRow("empty register, no folder") << false << false << false;
        QTest::newRow("taxpayers, folder") << true << true << false;
    }

    void previousInstallationIsImportedOnlyWhenRegisterIsEmptyAndFolderExists()
    {
        QFETCH(bool, hasTaxpayer);
        QFETCH(bool, folderExists);
        QFETCH(bool, imported);
        if (hasTaxpayer)
            prepare({QStringLiteral("insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, CodigoMunicipio, UF) "
                                    "values ('290000017', '11222333000181', 'D''ÁVILA LTDA', '9999999', 'VD')")});
        QTemporaryDir previous;
        TfDmDados dm(m_dialogs, m_home->path());
        dm.previousInstallationDir = folderExists ? previous.path() : previous.filePath(QStringLiteral("nada"));
        QString seen;
        dm.importarInstalacaoAnterior = [&](const QString &folder) { seen = folder; };
        dm.DataModuleCreate();
        QCOMPARE(!seen.isEmpty(), imported);
        if (imported)
            QCOMPARE(seen, previous.path());
        QVERIFY(m_dialogs.texts().isEmpty());
    }

    void missingDatabaseFolderStopsTheSteps()
    {
        QTemporaryDir empty;
        TfDmDados dm(m_dialogs, empty.path());
        QVERIFY_THROWS_EXCEPTION(EngineError, dm.DataModuleCreate());
        QVERIFY(!dm.dtbBaseDados.connected());
    }
};

QTEST_GUILESS_MAIN(TestDataModuleStartup)
#include "tst_data_module_startup.moc"
