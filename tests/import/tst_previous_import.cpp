#include "previous_fixture.h"

#include "engine/engine_error.h"
#include "import/previous_tables.h"

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

namespace {

const QString kIE4 = u"290000041"_s;
const QString kIE5 = u"290000050"_s;
const QString kIE6 = u"290000068"_s;
const QString kCPF2 = u"11144477735"_s;

} // namespace

// The import over the current installation of the fixture (three taxpayers, one accountant),
// from an earlier installation of either kind.
class TestPreviousImport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    void origens()
    {
        QTest::addColumn<Origem>("origem");
        QTest::newRow("paradox") << Origem::Paradox;
        QTest::newRow("own database") << Origem::BancoProprio;
    }

    QVariantList stored(const QString &table, const QStringList &columns, const QString &key)
    {
        Query q(m_fx->db(), u"select %1 from %2 where %3 = :k"_s.arg(columns.join(u", "_s), table, columns.first()));
        q.setParam(u"k"_s, key);
        q.open();
        if (q.isEmpty())
            return {};
        QVariantList values;
        for (int i = 0; i < columns.size(); ++i)
            values.append(q.field(i)->value());
        return values;
    }

    QString razaoSocial(const QString &ie)
    {
        return m_fx->scalar(u"select RazaoSocial from Empresa where InscricaoEmpresa = :p0"_s, {ie}).toString();
    }

    // Runs the import and returns the error's message, empty when it succeeded.
    QString importa(const QString &folder, PreviousImportCount *count = nullptr)
    {
        PreviousImport importacao(m_fx->db());
        QString erro;
        try {
            importacao.importFolder(folder);
        } catch (const EngineError &e) {
            erro = e.message();
        }
        if (count)
            *count = importacao.added();
        return erro;
    }

private slots:
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    void texts()
    {
        QCOMPARE(textoCaminhoNaoInformado(), u"Caminho do banco de dados deve ser informado!!!"_s);
        QCOMPARE(textoDadosImportados(), u"Dados importados com sucesso!!!"_s);
        QCOMPARE(textoErroImportacao(), u"Erro ao tentar importar dados "_s);
    }

    void addsWhatIsMissingAndKeepsWhatIsThere_data() { origens(); }
    void addsWhatIsMissingAndKeepsWhatIsThere()
    {
        QFETCH(Origem, origem);
        Anterior anterior(origem);
        QVariantList nova = empresa(kIE4, u"AÇÃO & CONSTRUÇÕES ÁGUA-MARINHA LTDA"_s);
        nova[3] = u"“SÃO JOÃO” – CAFÉ € 1"_s;   // quotes, dash and euro sit where Latin-1 has control codes
        nova[4] = u"PRAÇA DA ESTAÇÃO, 1º ANDAR"_s;
        anterior.write(QList<QVariantList>{empresa(kIE1, u"NOME ANTIGO DA EMPRESA UM"_s), nova},
                       QList<QVariantList>{contador(kCPF, u"OUTRO NOME"_s), contador(kCPF2, u"JOSÉ DA CONCEIÇÃO"_s)});

        PreviousImportCount count;
        QCOMPARE(importa(anterior.folder(), &count), QString());
        QCOMPARE(count.empresas, 1);
        QCOMPARE(count.contadores, 1);

        // Every copied column, accents and all; the taxpayer present in both keeps its data.
        QCOMPARE(stored(u"Empresa"_s, PreviousImport::empresaColumns(), kIE4), nova);
        QCOMPARE(stored(u"Contador"_s, PreviousImport::contadorColumns(), kCPF2), contador(kCPF2, u"JOSÉ DA CONCEIÇÃO"_s));
        QCOMPARE(razaoSocial(kIE1), u"EMPRESA UM LTDA"_s);
        QCOMPARE(m_fx->scalar(u"select NomeContador from Contador where CPFContador = :p0"_s, {kCPF}).toString(),
                 u"CONTADOR"_s);
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 4);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 2);

        // A second run finds everything there.
        QCOMPARE(importa(anterior.folder(), &count), QString());
        QCOMPARE(count.empresas, 0);
        QCOMPARE(count.contadores, 0);
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 4);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 2);
    }

    void emptyAccountantTableCopiesTheTaxpayersOnly_data() { origens(); }
    void emptyAccountantTableCopiesTheTaxpayersOnly()
    {
        QFETCH(Origem, origem);
        Anterior anterior(origem);
        anterior.write(QList<QVariantList>{empresa(kIE4), empresa(kIE5)}, QList<QVariantList>{});
        PreviousImportCount count;
        QCOMPARE(importa(anterior.folder(), &count), QString());
        QCOMPARE(count.empresas, 2);
        QCOMPARE(count.contadores, 0);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 1);
    }

    void textLongerThanTheColumnIsCut_data() { origens(); }
    void textLongerThanTheColumnIsCut()
    {
        QFETCH(Origem, origem);
        Anterior anterior(origem);
        QVariantList longa = empresa(kIE4);
        longa[4] = u"AVENIDA DOS TRABALHADORES DA CONSTRUÇÃO CIVIL, 1234"_s;   // the column holds 40
        if (origem == Origem::Paradox) {
            QList<PxColumn> wide = pxEmpresa();
            wide[4].length = 80;
            writeParadox(anterior.filePath(u"Empresa.DB"_s), wide, {longa});
            writeParadox(anterior.filePath(u"Contador.DB"_s), pxContador(), {});
        } else {
            anterior.write(QList<QVariantList>{longa}, QList<QVariantList>{});
        }
        QCOMPARE(importa(anterior.folder()), QString());
        QCOMPARE(m_fx->scalar(u"select Endereco from Empresa where InscricaoEmpresa = :p0"_s, {kIE4}).toString(),
                 longa[4].toString().left(40));
    }

    // A row the current table refuses ends the import; the rows before it, in key order, stay.
    void refusedRowEndsTheImportKeepingEarlierRows_data() { origens(); }
    void refusedRowEndsTheImportKeepingEarlierRows()
    {
        QFETCH(Origem, origem);
        Anterior anterior(origem);
        // Stored out of key order: the key decides what came first.
        anterior.write(QList<QVariantList>{empresa(kIE6), empresa(kIE5, QVariant()), empresa(kIE4)},
                       QList<QVariantList>{contador(kCPF2)});
        PreviousImportCount count;
        QCOMPARE(importa(anterior.folder(), &count), u"O campo 'RazaoSocial' deve ser preenchido."_s);
        QCOMPARE(count.empresas, 1);
        QCOMPARE(razaoSocial(kIE4), u"EMPRESA ANTIGA LTDA"_s);
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 4);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 1);
    }

    void missingFolderOrTable_data()
    {
        QTest::addColumn<Origem>("origem");
        QTest::addColumn<bool>("semEmpresa");
        QTest::addColumn<int>("empresas");
        QTest::newRow("paradox without Empresa") << Origem::Paradox << true << 3;
        QTest::newRow("paradox without Contador") << Origem::Paradox << false << 4;
        QTest::newRow("own database without Empresa") << Origem::BancoProprio << true << 3;
        QTest::newRow("own database without Contador") << Origem::BancoProprio << false << 4;
    }
    void missingFolderOrTable()
    {
        QFETCH(Origem, origem);
        QFETCH(bool, semEmpresa);
        QFETCH(int, empresas);
        Anterior anterior(origem);
        if (semEmpresa)
            anterior.write(std::nullopt, QList<QVariantList>{contador(kCPF2)});
        else
            anterior.write(QList<QVariantList>{empresa(kIE4)}, std::nullopt);
        const QString missing = semEmpresa ? u"Empresa.DB"_s : u"Contador.DB"_s;
        QCOMPARE(importa(anterior.folder()),
                 u"Tabela não encontrada: "_s + QDir::toNativeSeparators(QDir(anterior.folder()).filePath(missing)));
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), empresas);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 1);
    }

    void missingFolder()
    {
        const QString folder = QDir(m_fx->home()).filePath(u"nada"_s);
        QCOMPARE(importa(folder), u"Diretório não encontrado: "_s + QDir::toNativeSeparators(folder));
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 3);
    }

    void missingColumnIsNamed_data() { origens(); }
    void missingColumnIsNamed()
    {
        QFETCH(Origem, origem);
        Anterior anterior(origem);
        QString table;
        if (origem == Origem::Paradox) {
            writeParadox(anterior.filePath(u"Empresa.DB"_s), pxEmpresa().mid(0, 9), {empresa(kIE4)});
            table = anterior.filePath(u"Empresa.DB"_s);
        } else {
            anterior.write(QList<QVariantList>{empresa(kIE4)}, QList<QVariantList>{});
            zef::Query(*Fixture::connect(QFileInfo(anterior.folder()).path()), u"alter table Empresa drop column Senha"_s)
                .execSql();
            table = QDir(anterior.folder()).filePath(u"Empresa.DB"_s);
        }
        QCOMPARE(importa(anterior.folder()),
                 u"Campo Senha não encontrado na tabela "_s + QDir::toNativeSeparators(table));
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 3);
    }

    // What only the Paradox reader has to deal with.
    void paradoxFileNamesAnyCase()
    {
        Anterior anterior(Origem::Paradox);
        writeParadox(anterior.filePath(u"EMPRESA.db"_s), pxEmpresa(), {empresa(kIE4)});
        writeParadox(anterior.filePath(u"contador.DB"_s), pxContador(), {contador(kCPF2)});
        PreviousImportCount count;
        QCOMPARE(importa(anterior.folder(), &count), QString());
        QCOMPARE(count.empresas, 1);
        QCOMPARE(count.contadores, 1);
    }

    void paradoxTableWithPassword()
    {
        Anterior anterior(Origem::Paradox);
        writeParadox(anterior.filePath(u"Empresa.DB"_s), pxEmpresa(), {empresa(kIE4, u"CAFÉ DO SERTÃO"_s)},
                     {.password = "KorVim"});
        writeParadox(anterior.filePath(u"Contador.DB"_s), pxContador(), {contador(kCPF2)}, {.password = "KorVim"});
        QCOMPARE(importa(anterior.folder()), QString());
        QCOMPARE(razaoSocial(kIE4), u"CAFÉ DO SERTÃO"_s);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 2);
    }

    // A registration kept in a number column copies as its digits; a table without a key is
    // read in the order stored.
    void paradoxNumberKeyAndUnkeyedTable()
    {
        Anterior anterior(Origem::Paradox);
        QList<PxColumn> numeric = pxEmpresa();
        numeric[0].type = pxfNumber;
        writeParadox(anterior.filePath(u"Empresa.DB"_s), numeric, {empresa(kIE6), empresa(kIE4)});
        writeParadox(anterior.filePath(u"Contador.DB"_s), pxContador(),
                     {contador(kCPF2), contador(u"00000000191"_s, QVariant())}, {.password = {}, .keyFields = 0});
        PreviousImportCount count;
        QCOMPARE(importa(anterior.folder(), &count), u"O campo 'NomeContador' deve ser preenchido."_s);
        QCOMPARE(count.empresas, 2);
        QCOMPARE(razaoSocial(kIE4), u"EMPRESA ANTIGA LTDA"_s);
        QCOMPARE(razaoSocial(kIE6), u"EMPRESA ANTIGA LTDA"_s);
        QCOMPARE(count.contadores, 1);
    }

    void paradoxFileThatIsNotATable()
    {
        Anterior anterior(Origem::Paradox);
        QFile f(anterior.filePath(u"Empresa.DB"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("isto não é uma tabela");
        f.close();
        const QString erro = importa(anterior.folder());
        QVERIFY2(erro.startsWith(u"Não foi possível ler a tabela "_s
                                 + QDir::toNativeSeparators(anterior.filePath(u"Empresa.DB"_s)) + u": "_s),
                 qPrintable(erro));
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 3);
    }

    // Pointing the import at the current installation's own Db changes nothing.
    void currentDatabaseAsItsOwnSource()
    {
        PreviousImportCount count;
        QCOMPARE(importa(QDir(m_fx->home()).filePath(u"Db"_s), &count), QString());
        QCOMPARE(count.empresas, 0);
        QCOMPARE(count.contadores, 0);
    }
};

QTEST_GUILESS_MAIN(TestPreviousImport)

#include "tst_previous_import.moc"
