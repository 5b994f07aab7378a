#include "data/catalogue.h"
#include "data/index_list.h"
#include "engine/engine_error.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::IndexListEntry)

namespace {

IndexDef index(const QString &name, const QString &fields)
{
    IndexDef i;
    i.name = name;
    i.fields = fields.split(u';');
    i.caseInsensitive = !name.isEmpty();
    return i;
}

TableDef tableWith(const QString &fileName, const QList<IndexDef> &indexes)
{
    TableDef t;
    t.fileName = fileName;
    t.indexes = indexes;
    return t;
}

IndexListEntry entry(const QString &table, const QString &index, const QString &fields)
{
    return {table, index, fields.split(u';', Qt::SkipEmptyParts)};
}

void writeText(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

namespace QTest {
template<>
char *toString(const IndexListEntry &e)
{
    return qstrdup(qPrintable(e.table + u" / "_s + e.index + u" / "_s + e.fields.join(u';')));
}
} // namespace QTest

class TstIndexList : public QObject
{
    Q_OBJECT

private slots:
    void textLayout();
    void primaryKeyWrittenFirst();
    void catalogueRoundTrip();
    void entriesOfOneTableStandTogether();
    void reading_data();
    void reading();
    void missingFileHasNoEntries();
    void writeReplacesAtomically();
};

void TstIndexList::textLayout()
{
    const QList<TableDef> tables{
        tableWith(u"Municip.DB"_s, {index(QString(), u"Codigo"_s), index(u"IDXDESCRICAO"_s, u"Descricao"_s)}),
        tableWith(u"CNAE11"_s, {index(QString(), u"cnae"_s)}),
        tableWith(u"Socio.DB"_s, {}),
    };
    const QString expected = u"[Tabelas]\n"
                             "001=Municip.DB\n"
                             "002=Municip.DB\n"
                             "003=CNAE11\n"
                             "\n"
                             "[Indices]\n"
                             "Total=3\n"
                             "001=\n"
                             "002=IDXDESCRICAO\n"
                             "003=\n"
                             "\n"
                             "[Campos]\n"
                             "001=Codigo\n"
                             "002=Descricao\n"
                             "003=cnae\n"_s;
    QCOMPARE(indexListText(tables), expected);
}

void TstIndexList::primaryKeyWrittenFirst()
{
    const QList<TableDef> tables{tableWith(u"Empresa.DB"_s, {index(u"idxRazaoSocial"_s, u"RazaoSocial"_s),
                                                            index(QString(), u"InscricaoEmpresa"_s)})};
    const QList<IndexListEntry> expected{entry(u"Empresa.DB"_s, QString(), u"InscricaoEmpresa"_s),
                                         entry(u"Empresa.DB"_s, u"idxRazaoSocial"_s, u"RazaoSocial"_s)};
    QCOMPARE(parseIndexList(indexListText(tables)), expected);
}

void TstIndexList::catalogueRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"Zef.ini"_s);
    writeIndexList(path, tableCatalogue());

    QList<IndexListEntry> expected;
    for (const TableDef &t : tableCatalogue())
        for (const IndexDef &i : t.indexes)
            expected.append({t.fileName, i.name, i.fields});
    const QList<IndexListEntry> read = readIndexList(path);
    QCOMPARE(read, expected);

    // The names the program selects by are all there.
    QSet<QString> names;
    for (const IndexListEntry &e : read)
        names.insert(e.table + u'/' + e.index);
    for (const QString &named : {u"Municip.DB/IDXDESCRICAO"_s, u"atividades20.DB/IDXDESCRICAO"_s,
                                 u"Contador.DB/idxNome"_s, u"Empresa.DB/idxRazaoSocial"_s, u"Zef.DB/"_s})
        QVERIFY2(names.contains(named), qPrintable(named));
}

void TstIndexList::entriesOfOneTableStandTogether()
{
    const QList<IndexListEntry> entries = parseIndexList(indexListText(tableCatalogue()));
    QVERIFY(!entries.isEmpty());
    QSet<QString> finished;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const IndexListEntry &e = entries.at(i);
        const bool firstOfTable = i == 0 || entries.at(i - 1).table != e.table;
        if (firstOfTable) {
            QVERIFY2(!finished.contains(e.table), qPrintable(e.table));
            finished.insert(e.table);
            const TableDef *def = catalogueTable(e.table);
            QVERIFY(def);
            if (def->primaryIndex())
                QVERIFY2(e.index.isEmpty(), qPrintable(e.table));
        } else {
            QVERIFY2(!e.index.isEmpty(), qPrintable(e.table + u": second primary key"_s));
        }
    }
}

void TstIndexList::reading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<IndexListEntry>>("expected");

    QTest::newRow("values and fields trimmed")
        << QByteArray("[Indices]\nTotal = 2 \n001=\n002=  idxNome  \n"
                      "[Tabelas]\n001= Contador.DB \n002=Contador.DB\n"
                      "[Campos]\n001= CPFContador \n002= NomeContador ; \n")
        << QList<IndexListEntry>{entry(u"Contador.DB"_s, QString(), u"CPFContador"_s),
                                 entry(u"Contador.DB"_s, u"idxNome"_s, u"NomeContador"_s)};
    QTest::newRow("CRLF, comments, any letter case, byte order mark")
        << QByteArray("\xEF\xBB\xBF; lista de indices\r\n[TABELAS]\r\n001=Zef.DB\r\n\r\n[indices]\r\n"
                      "total=1\r\n001=\r\n[campos]\r\n001=AnoBase;CGCEmpresa\r\n")
        << QList<IndexListEntry>{entry(u"Zef.DB"_s, QString(), u"AnoBase;CGCEmpresa"_s)};
    QTest::newRow("only Total entries are read")
        << QByteArray("[Indices]\nTotal=1\n001=\n002=idxNome\n[Tabelas]\n001=A.DB\n002=A.DB\n"
                      "[Campos]\n001=x\n002=y\n")
        << QList<IndexListEntry>{entry(u"A.DB"_s, QString(), u"x"_s)};
    QTest::newRow("first of a repeated key counts")
        << QByteArray("[Indices]\nTotal=1\n001=\n[Tabelas]\n001=A.DB\n001=B.DB\n[Campos]\n001=x\n")
        << QList<IndexListEntry>{entry(u"A.DB"_s, QString(), u"x"_s)};
    QTest::newRow("quoted value") << QByteArray("[Indices]\nTotal=1\n001=\" idxNome \"\n[Tabelas]\n001=A.DB\n"
                                                "[Campos]\n001=x\n")
                                  << QList<IndexListEntry>{entry(u"A.DB"_s, u"idxNome"_s, u"x"_s)};
    QTest::newRow("missing entry reads empty")
        << QByteArray("[Indices]\nTotal=2\n001=\n[Tabelas]\n001=A.DB\n[Campos]\n001=x\n")
        << QList<IndexListEntry>{entry(u"A.DB"_s, QString(), u"x"_s), entry(QString(), QString(), QString())};
    QTest::newRow("no Total") << QByteArray("[Tabelas]\n001=A.DB\n[Campos]\n001=x\n") << QList<IndexListEntry>{};
    QTest::newRow("Total in another section")
        << QByteArray("[Tabelas]\nTotal=1\n001=A.DB\n[Campos]\n001=x\n") << QList<IndexListEntry>{};
    QTest::newRow("Total not a number") << QByteArray("[Indices]\nTotal=dois\n001=\n[Tabelas]\n001=A.DB\n")
                                        << QList<IndexListEntry>{};
    QTest::newRow("empty file") << QByteArray() << QList<IndexListEntry>{};
}

void TstIndexList::reading()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<IndexListEntry>, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"Zef.ini"_s);
    writeText(path, text);
    QCOMPARE(readIndexList(path), expected);
}

void TstIndexList::missingFileHasNoEntries()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(readIndexList(dir.filePath(u"Zef.ini"_s)).isEmpty());
    QVERIFY(readIndexList(dir.path()).isEmpty());   // a folder is no list either
}

void TstIndexList::writeReplacesAtomically()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"Zef.ini"_s);
    writeText(path, "[Indices]\nTotal=1\n001=\n[Tabelas]\n001=Velha.DB\n[Campos]\n001=x\n");

    const QList<TableDef> tables{tableWith(u"CNAE11"_s, {index(QString(), u"cnae"_s)})};
    writeIndexList(path, tables);
    QCOMPARE(readIndexList(path), QList<IndexListEntry>{entry(u"CNAE11"_s, QString(), u"cnae"_s)});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Zef.ini"_s});

    // A folder that does not exist cannot take the list.
    QVERIFY_THROWS_EXCEPTION(EngineError, writeIndexList(dir.filePath(u"nada/Zef.ini"_s), tables));
}

QTEST_APPLESS_MAIN(TstIndexList)
#include "tst_index_list.moc"
