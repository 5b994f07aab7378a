#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

#include <cstddef>
#include <memory>

namespace zef {

class Database;
class Statement;

// The tables the lines "B" to "K" fill, one row per line.
enum class ImportTable {
    ZefMunAnterior,          // "B"
    Compras,                 // "C"
    Entrada,                 // "D"
    Vendas,                  // "E"
    Saidas,                  // "F"
    SaidasMun,               // "G"
    ProdutosDiferidos,       // "H"
    ProdutosDiferidosNotas,  // "I"
    Estoque,                 // "J"
    CFOPOperacoes,           // "K"
};

// The `Zef.DB` row an "A" line gives.
struct ImportHeader {
    QString cgcEmpresa;
    QString anoBase;
    QString retificacao;
    QString codigoAtividade;
    QString tipoEstabelecimento;
    QString finalidade;
    QString tipoEscrita;
    QString regimeApuracao;
    QString codigoMunicipio;
    QDate periodoRefInicio;
    QDate periodoRefFinal;
    QString cpfContador;
    QString responsavel;
    double vlrCaixaI = 0;
    double vlrCCaixaI = 0;
    double vlrPatrimLiq = 0;
    QString statusDRF;
    QDate dataDeclaracao;
};

// What the import writes: the header, the section rows, the removal of a declaration and the
// `Importado` mark. Every value is bound to its statement, never written into it; each statement
// is prepared once and run for every row, as a long import runs the same few statements a hundred
// thousand times. Failures of the database are EngineError, as everywhere. The store must go
// before the database connection does.
class ImportStore
{
public:
    explicit ImportStore(Database &db);
    ~ImportStore();
    ImportStore(const ImportStore &) = delete;
    ImportStore &operator=(const ImportStore &) = delete;

    // Inserts the header, then empties the ten section tables for its key so that the
    // declaration starts empty (insertHeader, then clearSections).
    void storeHeader(const ImportHeader &header);
    void insertHeader(const ImportHeader &header);
    void clearSections(const QString &cgcEmpresa, const QString &anoBase);

    // One row of a section table, its values in the order of the table's insert statement
    // (importStatement()). A text that is empty is stored empty (null). The row must keep the
    // table's column rules (required columns, constraints) as any row posted to it: one that
    // breaks them is refused with the rule's message and nothing is written.
    void storeRow(ImportTable table, const QVariantList &values);

    // Deletes the header and the section rows of the key (the statements run in a fixed order).
    void removeDeclaration(const QString &cgcEmpresa, const QString &anoBase);

    void markImported(const QString &cgcEmpresa, const QString &anoBase);

    // The insert statement of a table (its text up to the values).
    static QString importStatement(ImportTable table);

private:
    struct Rules;
    // The statements that are not a table's insert: the header's insert, the mark, then the
    // removal statements in their order.
    enum class Fixed : std::size_t { HeaderInsert, MarkImported, Removal };
    static constexpr std::size_t kFixedCount = 2 + 11;

    Rules &rulesOf(ImportTable table);
    void run(Fixed which, const QVariantList &values);
    static void execute(Statement &statement, const QVariantList &values);

    Database &m_db;
    std::unique_ptr<Rules> m_rules[10];
    std::unique_ptr<Statement> m_fixed[kFixedCount];
};

} // namespace zef
