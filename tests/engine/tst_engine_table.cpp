#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"
#include "engine/transaction.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace zef;

namespace {

FieldDef text(const char *name, int size, bool required = false)
{
    FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = FieldType::String;
    f.size = size;
    f.required = required;
    return f;
}

FieldDef number(const char *name, const char *constraint = "", const char *message = "")
{
    FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = FieldType::Float;
    f.constraint = QString::fromUtf8(constraint);
    f.constraintMessage = QString::fromUtf8(message);
    f.defaultValue = 0.0;
    return f;
}

FieldDef typed(const char *name, FieldType type)
{
    FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    return f;
}

IndexDef index(const char *name, const char *fields, bool ci = false)
{
    IndexDef i;
    i.name = QString::fromLatin1(name);
    i.fields = QString::fromLatin1(fields).split(QLatin1Char(';'));
    i.caseInsensitive = ci;
    return i;
}

QList<TableDef> testCatalogue()
{
    TableDef head;
    head.fileName = QStringLiteral("Zef.DB");
    head.fields = {text("AnoBase", 4, true), text("CGCEmpresa", 14, true), text("Responsavel", 10),
                   typed("DataDeclaracao", FieldType::Date), typed("Importado", FieldType::Boolean),
                   typed("Qtd", FieldType::Integer)};
    head.indexes = {index("", "AnoBase;CGCEmpresa")};

    TableDef lines;
    lines.fileName = QStringLiteral("Compras.DB");
    lines.fields = {text("AnoBase", 4), text("CGCEmpresa", 14), text("TipoEntradas", 50, true),
                    number("VlrContabil", "VlrContabil >= 0 or  VlrContabil  is null", "Valor contábil não pode ser negativo"),
                    number("Outras", "Outras >= 0")};
    lines.indexes = {index("", "AnoBase;CGCEmpresa;TipoEntradas"), index("idxChave", "AnoBase;CGCEmpresa")};

    TableDef towns;
    towns.fileName = QStringLiteral("Municip.DB");
    towns.fields = {text("Codigo", 7, true), text("Descricao", 50), text("UF", 2)};
    towns.indexes = {index("", "Codigo"), index("IDXDESCRICAO", "Descricao", true)};
    return {head, lines, towns};
}

} // namespace

class TestEngineTable : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;

    void exec(const QString &sql)
    {
        Query q(*m_db, sql);
        q.execSql();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_db = std::make_unique<Database>();
        m_db->setParam(QStringLiteral("PATH"), m_dir->path());
        m_db->addPassword(QStringLiteral("segredo"));
        m_db->setCatalogue(testCatalogue());
        m_db->connect(true);
        for (const TableDef &t : m_db->catalogue()) {
            m_db->createTable(t);
            for (const IndexDef &i : t.indexes)
                m_db->addIndex(t.fileName, i);
        }
        exec(QStringLiteral("insert into Municip (Codigo, Descricao, UF) values ('0000001', 'Alto Alegre', 'VD')"));
        exec(QStringLiteral("insert into Municip (Codigo, Descricao, UF) values ('0000002', 'Água Fria', 'VD')"));
        exec(QStringLiteral("insert into Municip (Codigo, Descricao, UF) values ('0000003', 'bom jesus', 'VD')"));
        exec(QStringLiteral("insert into Municip (Codigo, Descricao, UF) values ('0000004', 'Anápolis', 'GO')"));
        exec(QStringLiteral("insert into Municip (Codigo, Descricao, UF) values ('0000005', 'Olho D''Água', 'VD')"));
    }

    void cleanup()
    {
        m_db.reset();
        m_dir.reset();
    }

    void keyViolationOnPrimaryKeyClash()
    {
        Table t(*m_db, QStringLiteral("Zef.DB"));
        t.open();
        for (int i = 0; i < 2; ++i) {
            t.append();
            t.fieldByName(QStringLiteral("AnoBase"))->setAsString(QStringLiteral("2026"));
            t.fieldByName(QStringLiteral("CGCEmpresa"))->setAsString(QStringLiteral("290000017"));
            if (i == 0)
                t.post();
        }
        try {
            t.post();
            QFAIL("a duplicate key was stored");
        } catch (const EngineError &e) {
            QCOMPARE(e.message(), QStringLiteral("Key violation."));
        }
        QCOMPARE(t.state(), Dataset::State::Insert);

        // The handler may turn it into a silent abort (the rules' "Registro duplicado!").
        bool handled = false;
        t.onPostError = [&](Dataset &, const EngineError &e, Dataset::PostAction &action) {
            handled = e.message() == QLatin1String(kKeyViolation);
            action = Dataset::PostAction::Abort;
        };
        QVERIFY_THROWS_EXCEPTION(SilentAbort, t.post());
        QVERIFY(handled);

        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 exec(QStringLiteral("insert into zef (AnoBase, CGCEmpresa) values ('2026', '290000017')")));
    }

    void missingIndexFailsWithNoIndexForFields()
    {
        m_db->deleteIndex(QStringLiteral("Municip"), QStringLiteral("IDXDESCRICAO"));
        Table byName(*m_db, QStringLiteral("Municip.DB"));
        byName.setIndexName(QStringLiteral("IDXDESCRICAO"));
        try {
            byName.open();
            QFAIL("opened without its index");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(QLatin1String("No index for fields")), qPrintable(e.message()));
        }
        m_db->deletePrimaryIndex(QStringLiteral("Compras"));
        Table byFields(*m_db, QStringLiteral("Compras"));
        byFields.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa;TipoEntradas"));
        QVERIFY_THROWS_EXCEPTION(EngineError, byFields.open());
        // The other index of the table still serves.
        byFields.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa"));
        byFields.open();
        QVERIFY(byFields.active());
    }

    void sqlDialectResults()
    {
        exec(QStringLiteral("insert into compras (AnoBase, CGCEmpresa, TipoEntradas, VlrContabil) values ('2026', '1', '01 - COMPRAS', 10.5)"));
        exec(QStringLiteral("insert into COMPRAS (AnoBase, CGCEmpresa, TipoEntradas, VlrContabil) values ('2026', '1', '02 - TRANSFERÊNCIAS', 4.5)"));

        Query count(*m_db, QStringLiteral("select count(*) from Compras where AnoBase = :AnoBase"));
        count.setParam(QStringLiteral("AnoBase"), QStringLiteral("2026"));
        count.open();
        QCOMPARE(count.recordCount(), 1);
        QCOMPARE(count.field(0)->dataType(), FieldType::Integer);
        QCOMPARE(count.field(0)->asInteger(), 2);

        Query sum(*m_db, QStringLiteral("select sum(VlrContabil), sum(c.Outras) as Total from compras c"));
        sum.open();
        QCOMPARE(sum.fieldByName(QStringLiteral("SUM OF VlrContabil"))->asFloat(), 15.0);
        QCOMPARE(sum.fieldByName(QStringLiteral("Total"))->asFloat(), 0.0);

        Query none(*m_db, QStringLiteral("Select * from Zef where AnoBase = '' and cgcempresa = ''"));
        none.open();
        QVERIFY(none.isEmpty());
        QVERIFY(none.eof());
        QVERIFY(none.findField(QStringLiteral("Responsavel")));

        exec(QStringLiteral("insert into zef (AnoBase, CGCEmpresa) values ('2026', '1')"));
        exec(QStringLiteral("alter table zef add Extra boolean "));
        exec(QStringLiteral("update zef set Extra = true "));
        Table z(*m_db, QStringLiteral("zef"));
        z.open();
        QVERIFY(z.fieldByName(QStringLiteral("Extra"))->asBoolean());
        QCOMPARE(z.fieldByName(QStringLiteral("Extra"))->dataType(), FieldType::Boolean);

        Query join(*m_db, QStringLiteral("select z.AnoBase as Ano, count(*) as N from zef z, compras c "
                                         "where z.AnoBase = c.AnoBase and z.CGCEmpresa = c.CGCEmpresa group by Ano"));
        join.open();
        QCOMPARE(join.fieldByName(QStringLiteral("Ano"))->asString(), QStringLiteral("2026"));
        QCOMPARE(join.fieldByName(QStringLiteral("N"))->asInteger(), 2);
    }

    void storedForms()
    {
        Table z(*m_db, QStringLiteral("Zef.DB"));
        z.open();
        z.append();
        z.fieldByName(QStringLiteral("AnoBase"))->setAsString(QStringLiteral("2026"));
        z.fieldByName(QStringLiteral("CGCEmpresa"))->setAsString(QStringLiteral("290000017"));
        z.fieldByName(QStringLiteral("Responsavel"))->setAsString(QString());
        z.fieldByName(QStringLiteral("DataDeclaracao"))->setAsDate(QDate(2026, 3, 31));
        z.fieldByName(QStringLiteral("Importado"))->setAsBoolean(true);
        z.post();

        QSqlQuery raw(m_db->sql());
        QVERIFY(raw.exec(QStringLiteral("select DataDeclaracao, Importado, typeof(Importado) from Zef where Responsavel IS NULL")));
        QVERIFY(raw.next());
        QCOMPARE(raw.value(0).toString(), QStringLiteral("2026-03-31"));
        QCOMPARE(raw.value(1).toInt(), 1);
        QCOMPARE(raw.value(2).toString(), QStringLiteral("integer"));
        QCOMPARE(z.fieldByName(QStringLiteral("DataDeclaracao"))->asString(), QStringLiteral("31/03/2026"));
    }

    void textIsCutToWidth()
    {
        Table z(*m_db, QStringLiteral("Zef.DB"));
        z.open();
        z.append();
        z.fieldByName(QStringLiteral("AnoBase"))->setAsString(QStringLiteral("202612"));
        QCOMPARE(z.fieldByName(QStringLiteral("AnoBase"))->asString(), QStringLiteral("2026"));
    }

    void rollbackUndoesPostsAndStatements()
    {
        m_db->startTransaction();
        Table z(*m_db, QStringLiteral("Zef.DB"));
        z.open();
        z.append();
        z.fieldByName(QStringLiteral("AnoBase"))->setAsString(QStringLiteral("2026"));
        z.fieldByName(QStringLiteral("CGCEmpresa"))->setAsString(QStringLiteral("1"));
        z.post();
        exec(QStringLiteral("delete from municip"));
        m_db->rollback();
        z.refresh();
        QCOMPARE(z.recordCount(), 0);
        Query n(*m_db, QStringLiteral("select count(*) from Municip"));
        QCOMPARE(n.scalar().toInt(), 5);
    }

    void scopedTransactionCommitsJoinsAndRollsBack()
    {
        auto countTowns = [this] {
            Query n(*m_db, QStringLiteral("select count(*) from Municip"));
            return n.scalar().toInt();
        };
        Table towns(*m_db, QStringLiteral("Municip.DB"));
        towns.open();

        // Left without commit: undone, and the dataset read inside it shows the rows again.
        {
            Transaction t(*m_db, {&towns});
            QVERIFY(t.owns());
            exec(QStringLiteral("delete from municip"));
            towns.refresh();
            QCOMPARE(towns.recordCount(), 0);
        }
        QVERIFY(!m_db->inTransaction());
        QCOMPARE(countTowns(), 5);
        QCOMPARE(towns.recordCount(), 5);

        // An inner unit joins the outer one: its commit leaves the outer one open and an
        // error inside it undoes the whole outer unit.
        try {
            Transaction outer(*m_db);
            exec(QStringLiteral("delete from municip where Codigo = '0000001'"));
            {
                Transaction inner(*m_db);
                QVERIFY(!inner.owns());
                exec(QStringLiteral("delete from municip where Codigo = '0000002'"));
                inner.commit();
            }
            QVERIFY(m_db->inTransaction());
            Transaction inner(*m_db);
            exec(QStringLiteral("insert into nowhere values (1)"));
            QFAIL("the statement should have failed");
        } catch (const EngineError &) {
        }
        QVERIFY(!m_db->inTransaction());
        QCOMPARE(countTowns(), 5);

        {
            Transaction t(*m_db);
            exec(QStringLiteral("delete from municip where Codigo = '0000001'"));
            t.commit();
            QVERIFY(!m_db->inTransaction());
        }
        QCOMPARE(countTowns(), 4);
    }

    void namesSortAsPortugueseReaders()
    {
        Table t(*m_db, QStringLiteral("Municip.DB"));
        t.setIndexName(QStringLiteral("IDXDESCRICAO"));
        t.open();
        QStringList names;
        for (t.first(); !t.eof(); t.next())
            names << t.fieldByName(QStringLiteral("Descricao"))->asString();
        QCOMPARE(names, (QStringList{QStringLiteral("Água Fria"), QStringLiteral("Alto Alegre"),
                                     QStringLiteral("Anápolis"), QStringLiteral("bom jesus"),
                                     QStringLiteral("Olho D'Água")}));
    }

    void findNearest_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found");
        QTest::newRow("empty text -> first row") << QString() << QStringLiteral("Água Fria");
        QTest::newRow("without accent") << QStringLiteral("agua") << QStringLiteral("Água Fria");
        QTest::newRow("upper case") << QStringLiteral("BOM") << QStringLiteral("bom jesus");
        QTest::newRow("whole name in other case") << QStringLiteral("ALTO ALEGRE") << QStringLiteral("Alto Alegre");
        QTest::newRow("between") << QStringLiteral("Al") << QStringLiteral("Alto Alegre");
        QTest::newRow("past the end -> last") << QStringLiteral("Zz") << QStringLiteral("Olho D'Água");
    }

    void findNearest()
    {
        QFETCH(QString, typed);
        QFETCH(QString, found);
        Table t(*m_db, QStringLiteral("Municip.DB"));
        t.setIndexName(QStringLiteral("IDXDESCRICAO"));
        t.open();
        t.last();
        t.findNearest({typed});
        QCOMPARE(t.fieldByName(QStringLiteral("Descricao"))->asString(), found);
    }

    void findKeyAndFilter()
    {
        Table t(*m_db, QStringLiteral("Municip.DB"));
        t.setFilter(QStringLiteral("Codigo<>'0000002' and UF='VD'"));
        t.setFiltered(true);
        t.open();
        QCOMPARE(t.recordCount(), 3);
        QVERIFY(t.findKey({QStringLiteral("0000005")}));
        QCOMPARE(t.fieldByName(QStringLiteral("Descricao"))->asString(), QStringLiteral("Olho D'Água"));
        QVERIFY(!t.findKey({QStringLiteral("0000002")}));
        QCOMPARE(t.fieldByName(QStringLiteral("Codigo"))->asString(), QStringLiteral("0000005"));
        t.setFiltered(false);
        QCOMPARE(t.recordCount(), 5);
    }

    void masterDetailFollowsAndFillsLinkFields()
    {
        exec(QStringLiteral("insert into zef (AnoBase, CGCEmpresa) values ('2025', '7')"));
        exec(QStringLiteral("insert into zef (AnoBase, CGCEmpresa) values ('2026', '7')"));
        exec(QStringLiteral("insert into compras (AnoBase, CGCEmpresa, TipoEntradas) values ('2026', '7', '01 - COMPRAS')"));
        Table head(*m_db, QStringLiteral("Zef.DB"));
        Table detail(*m_db, QStringLiteral("Compras.DB"));
        detail.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa"));
        detail.setMasterSource(&head, QStringLiteral("AnoBase;CGCEmpresa"));
        head.open();
        detail.open();
        QCOMPARE(detail.recordCount(), 0);
        head.next();
        QCOMPARE(detail.recordCount(), 1);
        detail.append();
        QCOMPARE(detail.fieldByName(QStringLiteral("AnoBase"))->asString(), QStringLiteral("2026"));
        QCOMPARE(detail.fieldByName(QStringLiteral("CGCEmpresa"))->asString(), QStringLiteral("7"));
        QCOMPARE(detail.fieldByName(QStringLiteral("VlrContabil"))->asFloat(), 0.0);   // default
        detail.fieldByName(QStringLiteral("TipoEntradas"))->setAsString(QStringLiteral("02 - TRANSFERÊNCIAS"));
        detail.post();
        QCOMPARE(detail.recordCount(), 2);
        head.first();
        QCOMPARE(detail.recordCount(), 0);
    }

    void constraintsAndRequiredRefuseThePost_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QVariant>("outras");
        QTest::addColumn<QString>("message");
        QTest::newRow("negative with message") << QStringLiteral("01") << QVariant(-1.0) << QVariant(0.0)
                                               << QStringLiteral("Valor contábil não pode ser negativo");
        QTest::newRow("negative without message") << QStringLiteral("01") << QVariant(1.0) << QVariant(-0.01)
                                                  << QStringLiteral("Valor inválido no campo 'Outras'.");
        QTest::newRow("required empty") << QString() << QVariant(1.0) << QVariant(0.0)
                                        << QStringLiteral("O campo 'TipoEntradas' deve ser preenchido.");
        QTest::newRow("null passes") << QStringLiteral("01") << QVariant() << QVariant() << QString();
    }

    void constraintsAndRequiredRefuseThePost()
    {
        QFETCH(QString, tipo);
        QFETCH(QVariant, valor);
        QFETCH(QVariant, outras);
        QFETCH(QString, message);
        Table t(*m_db, QStringLiteral("Compras"));
        t.open();
        t.append();
        t.fieldByName(QStringLiteral("AnoBase"))->setAsString(QStringLiteral("2026"));
        t.fieldByName(QStringLiteral("TipoEntradas"))->setAsString(tipo);
        t.fieldByName(QStringLiteral("VlrContabil"))->setValue(valor);
        t.fieldByName(QStringLiteral("Outras"))->setValue(outras);
        QString got;
        try {
            t.post();
        } catch (const EngineError &e) {
            got = e.message();
        }
        QCOMPARE(got, message);
        QCOMPARE(t.state(), message.isEmpty() ? Dataset::State::Browse : Dataset::State::Insert);
    }

    void eventsRunInOrderAndSilentAbortKeepsState()
    {
        Table t(*m_db, QStringLiteral("Zef.DB"));
        QStringList seen;
        QSignalSpy states(&t, &Dataset::stateChanged);
        t.beforeInsert = [&](Dataset &) { seen << QStringLiteral("beforeInsert"); };
        t.afterInsert = [&](Dataset &d) {
            seen << QStringLiteral("afterInsert");
            d.fieldByName(QStringLiteral("AnoBase"))->setAsString(QStringLiteral("2026"));
        };
        bool refuse = true;
        t.beforePost = [&](Dataset &) {
            seen << QStringLiteral("beforePost");
            if (refuse)
                throw SilentAbort();
        };
        t.afterPost = [&](Dataset &) { seen << QStringLiteral("afterPost"); };
        t.open();
        t.append();
        t.fieldByName(QStringLiteral("CGCEmpresa"))->setAsString(QStringLiteral("1"));
        QVERIFY_THROWS_EXCEPTION(SilentAbort, t.post());
        QCOMPARE(t.state(), Dataset::State::Insert);
        refuse = false;
        t.post();
        QCOMPARE(seen, (QStringList{QStringLiteral("beforeInsert"), QStringLiteral("afterInsert"),
                                    QStringLiteral("beforePost"), QStringLiteral("beforePost"),
                                    QStringLiteral("afterPost")}));
        QCOMPARE(states.count(), 3);   // open, insert, browse
        QCOMPARE(t.recordCount(), 1);

        t.beforeInsert = [](Dataset &) { throw SilentAbort(); };
        QVERIFY_THROWS_EXCEPTION(SilentAbort, t.append());
        QCOMPARE(t.state(), Dataset::State::Browse);
        QCOMPARE(t.recordCount(), 1);
    }

    void calculatedAndLookupFields()
    {
        exec(QStringLiteral("insert into zef (AnoBase, CGCEmpresa, Responsavel) values ('2026', '0000005', 'x')"));
        Table towns(*m_db, QStringLiteral("Municip"));
        towns.open();
        Table z(*m_db, QStringLiteral("Zef"));
        FieldDef name = text("NomMunicipio", 50);
        z.addLookupField(name, QStringLiteral("CGCEmpresa"), &towns, QStringLiteral("Codigo"), QStringLiteral("Descricao"));
        z.addCalculatedField(text("Dobro", 20));
        z.onCalcFields = [](Dataset &d) {
            d.fieldByName(QStringLiteral("Dobro"))->setAsString(d.fieldByName(QStringLiteral("Responsavel"))->asString().repeated(2));
        };
        z.open();
        QCOMPARE(z.fieldByName(QStringLiteral("NomMunicipio"))->asString(), QStringLiteral("Olho D'Água"));
        QCOMPARE(z.fieldByName(QStringLiteral("Dobro"))->asString(), QStringLiteral("xx"));
        z.edit();
        z.fieldByName(QStringLiteral("Responsavel"))->setAsString(QStringLiteral("ab"));
        QCOMPARE(z.fieldByName(QStringLiteral("Dobro"))->asString(), QStringLiteral("abab"));
        z.cancel();
        QCOMPARE(z.fieldByName(QStringLiteral("Dobro"))->asString(), QStringLiteral("xx"));
    }

    void wrongPasswordRefusesToConnect()
    {
        m_db->disconnect();
        Database other;
        other.setParam(QStringLiteral("PATH"), m_dir->path());
        other.addPassword(QStringLiteral("outra"));
        QVERIFY_THROWS_EXCEPTION(EngineError, other.connect());
        other.addPassword(QStringLiteral("segredo"));
        other.connect();
        QVERIFY(other.connected());
    }

    void missingFolderIsReported()
    {
        Database db;
        db.setParam(QStringLiteral("PATH"), m_dir->filePath(QStringLiteral("nada")));
        try {
            db.connect();
            QFAIL("connected to nothing");
        } catch (const EngineError &e) {
            QVERIFY(e.message().contains(QLatin1String("nada")));
        }
    }
};

QTEST_GUILESS_MAIN(TestEngineTable)
#include "tst_engine_table.moc"
