#include "import/import_store.h"

#include "data/catalogue.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/filter_expression.h"
#include "engine/statement.h"

#include <QStringList>

#include <array>
#include <vector>

namespace zef {
namespace {

// The removal of a declaration, in this order; each statement ends with the key.
constexpr std::array<const char16_t *, 11> kRemoval = {
    u"Delete  from zef where ",
    u"delete from ZefMunAnterior  where ",
    u"Delete  from Compras  where ",
    u"delete from Entrada  where ",
    u"Delete  from Saidas  where ",
    u"delete from Vendas  where ",
    u"Delete  from SaidasMun  where ",
    u"delete from ProdutosDiferidos  where ",
    u"delete from ProdutosDiferidosNotas  where ",
    u"delete from Estoque  where ",
    u"delete from CFOPOperacoes  where ",
};

constexpr auto kKeyCondition = u"(CGCEmpresa = :CGCEmpresa) and (AnoBase = :AnoBase)";

struct TableStatement {
    const char16_t *fileName;   // as the catalogue names the table
    const char16_t *insert;     // up to and including "values("
};

// Indexed by ImportTable.
constexpr std::array<TableStatement, 10> kInserts = {{
    {u"ZefMunAnterior.DB",
     u"Insert into ZefMunAnterior (CGCEmpresa, AnoBase, CodMunicipioAnt, DataDRFAntI, DataDRFAntF, TipoDomicilio) "
     u"values("},
    {u"Compras.DB",
     u"Insert into compras (CGCEmpresa,AnoBase,TipoEntradas,TipoRegime,TipoDomicilio, CodMunicipio, VlrContabil, "
     u"BaseCalculo, Outras, SubTributaria) values("},
    {u"Entrada.DB",
     u"Insert into Entrada (CGCEmpresa, AnoBase, UFEntrada, TipoRegime,TipoDomicilio, CodMunicipio,  "
     u"VlrContabilEntrada, BaseCalculoEntrada, OutrasEntradas, PetroleoEnergia, OutrosProdutosEntrada,  "
     u"SubsTributaria) values("},
    {u"Vendas.DB",
     u"Insert into Vendas (CGCEmpresa, AnoBase, TipoVendas, TipoRegime,TipoDomicilio, CodMunicipio,  VlrContabeis, "
     u"BaseCalculo, Outras, SubTributaria) values("},
    {u"Saidas.DB",
     u"Insert into Saidas (CGCEmpresa, AnoBase, UF, TipoRegime,TipoDomicilio, CodMunicipio,  vlrContSaidaContrib, "
     u"vlrContSaidaNContrib, BaseCalcSaidaContrib,  BaseCalcSaidaNContrib, OutrasSaidas, SubsTributaria, "
     u"ICMSSubTribSaidas) values("},
    {u"SaidasMun.DB",
     u"Insert into SaidasMun (CGCEmpresa, AnoBase, MunicipioID, TipoRegime,TipoDomicilio, CodMunicipio,  "
     u"VlrContabil, Devolucoes) values("},
    {u"ProdutosDiferidos.DB",
     u"Insert into ProdutosDiferidos (CGCEmpresa, AnoBase, IEOrigem, TipoRegime,TipoDomicilio,CodMunicipio,"
     u"MunicipioID) values("},
    {u"ProdutosDiferidosNotas.DB",
     u"Insert into ProdutosDiferidosNotas (CGCEmpresa, AnoBase, IEOrigem, TipoDomicilio,CodMunicipio, "
     u"NumNotaFiscal, VlrDiferido) values("},
    {u"Estoque.DB",
     u"Insert into Estoque (CGCEmpresa, AnoBase,EstoqueInicialTribut, EstoqueInicialIsento, EstInicialSubTrib,  "
     u"EstoqueFinalTributado,EstoqueFinalIsento, EstFinalSubTrib, TotalEstoqueInicial, TotalEstoqueFinal) values("},
    {u"CFOPOperacoes.DB",
     u"Insert into CFOPOperacoes (CGCEmpresa, AnoBase, TipoEntSai, CFOP, TipoDomicilio, CodMunicipio, VlrContabil, "
     u"BaseCalculo, Outras, SubTributaria ) values("},
}};

constexpr auto kHeaderInsert =
    u"Insert into zef (CGCEmpresa, AnoBase, Retificacao, CodigoAtividade, TipoEstabelecimento, Finalidade, "
    u"TipoEscrita, RegimeApuracao, CodigoMunicipio, PeriodoRefInicio, PeriodoRefFinal, CPFContador, Responsavel, "
    u"VlrCaixaI, VlrCCaixaI, VlrPatrimLiq, StatusDRF, DataDeclaracao) values(";

// The column names of an insert statement, as it lists them.
QStringList insertColumns(const QString &insert)
{
    const qsizetype open = insert.indexOf(u'(');
    const qsizetype close = insert.indexOf(u')', open);
    QStringList columns = insert.mid(open + 1, close - open - 1).split(u',');
    for (QString &c : columns)
        c = c.trimmed();
    return columns;
}

// The statement with one bound parameter per column.
QString withParameters(const QString &insert, qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks.append(QStringLiteral(":p%1").arg(i));
    return insert + marks.join(QStringLiteral(", ")) + u')';
}

// Empty text is no value, as the tables keep it.
QVariant bindable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString && value.toString().isEmpty())
        return QVariant();
    return value;
}

} // namespace

// The column rules of a table as its insert statement fills it.
struct ImportStore::Rules {
    QString sql;
    std::unique_ptr<Statement> statement;   // prepared once, run for every row
    struct Column {
        QString name;
        const FieldDef *def = nullptr;
        std::unique_ptr<FilterExpression> constraint;
    };
    std::vector<Column> columns;
};

ImportStore::ImportStore(Database &db) : m_db(db) {}

ImportStore::~ImportStore() = default;

QString ImportStore::importStatement(ImportTable table)
{
    return QString::fromUtf16(kInserts.at(static_cast<std::size_t>(table)).insert);
}

ImportStore::Rules &ImportStore::rulesOf(ImportTable table)
{
    const auto index = static_cast<std::size_t>(table);
    std::unique_ptr<Rules> &rules = m_rules[index];
    if (!rules) {
        rules = std::make_unique<Rules>();
        const TableStatement &st = kInserts.at(index);
        const TableDef *def = catalogueTable(QString::fromUtf16(st.fileName));
        const QStringList names = insertColumns(QString::fromUtf16(st.insert));
        rules->sql = withParameters(QString::fromUtf16(st.insert), names.size());
        for (const QString &name : names) {
            Rules::Column column;
            column.name = name;
            column.def = def ? def->field(name) : nullptr;
            if (column.def && !column.def->constraint.isEmpty())
                column.constraint = std::make_unique<FilterExpression>(column.def->constraint);
            rules->columns.push_back(std::move(column));
        }
    }
    return *rules;
}

void ImportStore::storeHeader(const ImportHeader &h)
{
    insertHeader(h);
    clearSections(h.cgcEmpresa, h.anoBase);
}

void ImportStore::insertHeader(const ImportHeader &h)
{
    const QVariantList values = {
        h.cgcEmpresa, h.anoBase, h.retificacao, h.codigoAtividade, h.tipoEstabelecimento, h.finalidade,
        h.tipoEscrita, h.regimeApuracao, h.codigoMunicipio, h.periodoRefInicio, h.periodoRefFinal, h.cpfContador,
        h.responsavel, h.vlrCaixaI, h.vlrCCaixaI, h.vlrPatrimLiq, h.statusDRF, h.dataDeclaracao,
    };
    run(Fixed::HeaderInsert, values);
}

void ImportStore::storeRow(ImportTable table, const QVariantList &values)
{
    Rules &rules = rulesOf(table);
    if (values.size() != qsizetype(rules.columns.size()))
        throw EngineError(QStringLiteral("Número de valores diferente do número de colunas: %1").arg(rules.sql));

    // The database keeps these rules only for rows posted through a table; an insert has to keep
    // them itself, or a row no editor could save would slip in.
    auto valueOf = [&](const QString &name) -> QVariant {
        for (std::size_t i = 0; i < rules.columns.size(); ++i)
            if (rules.columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return bindable(values.at(qsizetype(i)));
        return QVariant();
    };
    for (std::size_t i = 0; i < rules.columns.size(); ++i) {
        const Rules::Column &c = rules.columns[i];
        if (c.def && c.def->required && bindable(values.at(qsizetype(i))).isNull())
            throw EngineError(QStringLiteral("O campo '%1' deve ser preenchido.").arg(c.def->name));
    }
    for (const Rules::Column &c : rules.columns) {
        if (c.constraint && !c.constraint->accepts(valueOf))
            throw EngineError(c.def->constraintMessage.isEmpty()
                                  ? QStringLiteral("Valor inválido no campo '%1'.").arg(c.def->name)
                                  : c.def->constraintMessage);
    }

    if (!rules.statement)
        rules.statement = std::make_unique<Statement>(m_db.handle(), rules.sql);
    execute(*rules.statement, values);
}

void ImportStore::execute(Statement &statement, const QVariantList &values)
{
    statement.reset();
    for (qsizetype i = 0; i < values.size(); ++i)
        statement.bind(int(i) + 1, bindable(values.at(i)));
    while (statement.step()) {
    }
    statement.reset();
}

void ImportStore::run(Fixed which, const QVariantList &values)
{
    std::unique_ptr<Statement> &statement = m_fixed[static_cast<std::size_t>(which)];
    if (!statement) {
        QString sql;
        const auto index = static_cast<std::size_t>(which);
        if (which == Fixed::HeaderInsert) {
            sql = withParameters(QString::fromUtf16(kHeaderInsert), values.size());
        } else if (which == Fixed::MarkImported) {
            sql = QStringLiteral("Update zef set Importado = :Importado where ") + QString::fromUtf16(kKeyCondition);
        } else {
            sql = QString::fromUtf16(kRemoval.at(index - static_cast<std::size_t>(Fixed::Removal))) +
                QString::fromUtf16(kKeyCondition);
        }
        statement = std::make_unique<Statement>(m_db.handle(), sql);
    }
    execute(*statement, values);
}

void ImportStore::clearSections(const QString &cgcEmpresa, const QString &anoBase)
{
    for (std::size_t i = 1; i < kRemoval.size(); ++i)
        run(Fixed(std::size_t(Fixed::Removal) + i), {cgcEmpresa, anoBase});
}

void ImportStore::removeDeclaration(const QString &cgcEmpresa, const QString &anoBase)
{
    for (std::size_t i = 0; i < kRemoval.size(); ++i)
        run(Fixed(std::size_t(Fixed::Removal) + i), {cgcEmpresa, anoBase});
}

void ImportStore::markImported(const QString &cgcEmpresa, const QString &anoBase)
{
    run(Fixed::MarkImported, {true, cgcEmpresa, anoBase});
}

} // namespace zef
