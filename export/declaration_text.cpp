#include "export/declaration_text.h"

#include "engine/database.h"
#include "engine/statement.h"
#include "export/export_error.h"
#include "export/line_encoding.h"

namespace zef {

namespace {

using namespace Qt::StringLiterals;

constexpr auto kLineBreak = u"\r\n";

FieldLayout fixed(const QString &literal)
{
    return {literal, Encoding::Fixed, 0};
}
FieldLayout stored(const QString &column)
{
    return {column, Encoding::Stored, 0};
}
FieldLayout right(const QString &column, int width)
{
    return {column, Encoding::RightAligned, width};
}
FieldLayout money(const QString &column)
{
    return {column, Encoding::Amount, 0};
}
FieldLayout signedMoney(const QString &column)
{
    return {column, Encoding::SignedAmount, 0};
}
FieldLayout date(const QString &column)
{
    return {column, Encoding::Date, 0};
}
FieldLayout numberOf(const QString &column, int width)
{
    return {column, Encoding::Number, width};
}
FieldLayout typeCodeOf(const QString &column)
{
    return {column, Encoding::TypeCode, 0};
}

QString unqualified(const QString &column)
{
    const qsizetype dot = column.lastIndexOf(u'.');
    return dot < 0 ? column : column.mid(dot + 1);
}

// A line type read from one section table: the declaration's rows, with a non-empty filter
// column when the line needs one, in the table's key order (rowid last, for rows the key does not
// tell apart).
LineLayout section(LineType type, QChar letter, const QString &table, const QString &nonEmpty,
                   const QString &order, std::vector<FieldLayout> fields, const QStringList &extraColumns = {})
{
    LineLayout l;
    l.type = type;
    l.letter = letter;
    l.fields = std::move(fields);
    for (const FieldLayout &f : l.fields)
        if (f.encoding != Encoding::Fixed)
            l.columns.append(f.column);
    l.columns += extraColumns;
    QString sql = u"SELECT "_s + l.columns.join(u", "_s) + u" FROM "_s + table
        + u" WHERE AnoBase = :AnoBase AND CGCEmpresa = :Inscricao"_s;
    if (!nonEmpty.isEmpty())
        sql += u" AND "_s + nonEmpty + u" <> ''"_s;
    sql += u" ORDER BY "_s + order + u", rowid"_s;
    l.sql = sql;
    for (QString &c : l.columns)
        c = unqualified(c);
    return l;
}

std::array<LineLayout, kLineTypeCount> buildLayouts()
{
    std::array<LineLayout, kLineTypeCount> all;

    LineLayout a;
    a.type = LineType::A;
    a.letter = u'A';
    a.fields = {
        fixed(u"A"_s),
        stored(u"Zef.AnoBase"_s),
        right(u"Empresa.InscricaoEmpresa"_s, 14),
        right(u"Zef.CodigoMunicipio"_s, 7),
        right(u"Zef.TipoEscrita"_s, 1),
        right(u"Zef.TipoEstabelecimento"_s, 1),
        date(u"Zef.PeriodoRefInicio"_s),
        date(u"Zef.PeriodoRefFinal"_s),
        right(u"Zef.Finalidade"_s, 1),
        // Declared one wide: the 7-character code is written whole.
        right(u"Zef.CodigoAtividade"_s, 1),
        signedMoney(u"Zef.VlrCaixaI"_s),
        signedMoney(u"Zef.VlrCCaixaI"_s),
        signedMoney(u"Zef.VlrPatrimLiq"_s),
        fixed(u"1036"_s),
        right(u"Zef.CPFContador"_s, 11),
        right(u"Zef.Responsavel"_s, 80),
        right(u"Empresa.Senha"_s, 4),
        right(u"Zef.Retificacao"_s, 1),
        right(u"Zef.RegimeApuracao"_s, 1),
        right(u"Zef.StatusDRF"_s, 1),
    };
    for (const FieldLayout &f : a.fields)
        if (f.encoding != Encoding::Fixed)
            a.columns.append(f.column);
    a.sql = u"SELECT "_s + a.columns.join(u", "_s)
        + u" FROM Zef INNER JOIN Empresa ON Zef.CGCEmpresa = Empresa.InscricaoEmpresa"
          u" WHERE Empresa.InscricaoEmpresa = :Inscricao AND Zef.AnoBase = :AnoBase"_s;
    for (QString &c : a.columns)
        c = unqualified(c);
    all[0] = a;

    all[1] = section(LineType::B, u'B', u"ZefMunAnterior"_s, {}, u"TipoDomicilio, DataDRFAntI, DataDRFAntF"_s,
                     {fixed(u"B"_s), stored(u"AnoBase"_s), right(u"CGCEmpresa"_s, 14), date(u"DataDRFAntI"_s),
                      date(u"DataDRFAntF"_s), right(u"CodMunicipioAnt"_s, 7), stored(u"TipoDomicilio"_s)});

    all[2] = section(LineType::C, u'C', u"Entrada"_s, u"UFEntrada"_s,
                     u"UFEntrada, TipoRegime, TipoDomicilio, CodMunicipio"_s,
                     {fixed(u"C"_s), stored(u"AnoBase"_s), right(u"CGCEmpresa"_s, 14), right(u"UFEntrada"_s, 2),
                      money(u"VlrContabilEntrada"_s), money(u"BaseCalculoEntrada"_s), money(u"OutrasEntradas"_s),
                      money(u"PetroleoEnergia"_s), money(u"OutrosProdutosEntrada"_s), money(u"SubsTributaria"_s),
                      stored(u"TipoDomicilio"_s)});

    all[3] = section(LineType::D, u'D', u"Saidas"_s, u"UF"_s, u"UF, TipoRegime, TipoDomicilio, Codmunicipio"_s,
                     {fixed(u"D"_s), stored(u"AnoBase"_s), right(u"CGCEmpresa"_s, 14), stored(u"UF"_s),
                      money(u"VlrContSaidaContrib"_s), money(u"VlrContSaidaNContrib"_s),
                      money(u"BaseCalcSaidaContrib"_s), money(u"BaseCalcSaidaNContrib"_s), money(u"OutrasSaidas"_s),
                      money(u"ICMSSubTribSaidas"_s), money(u"SubsTributaria"_s), stored(u"TipoDomicilio"_s)});

    all[4] = section(LineType::E, u'E', u"Compras"_s, u"TipoEntradas"_s, u"TipoEntradas, TipoRegime, TipoDomicilio"_s,
                     {fixed(u"E"_s), right(u"AnoBase"_s, 4), right(u"CGCEmpresa"_s, 14),
                      typeCodeOf(u"TipoEntradas"_s), money(u"VlrContabil"_s), money(u"BaseCalculo"_s),
                      money(u"Outras"_s), money(u"SubTributaria"_s), stored(u"TipoDomicilio"_s)});

    all[5] = section(LineType::F, u'F', u"Vendas"_s, u"TipoVendas"_s,
                     u"TipoVendas, Tiporegime, TipoDomicilio, CodMunicipio"_s,
                     {fixed(u"F"_s), stored(u"AnoBase"_s), right(u"CGCEmpresa"_s, 14), typeCodeOf(u"TipoVendas"_s),
                      money(u"VlrContabeis"_s), money(u"BaseCalculo"_s), money(u"Outras"_s),
                      money(u"SubTributaria"_s), stored(u"TipoDomicilio"_s)});

    all[6] = section(LineType::G, u'G', u"Estoque"_s, {}, u"AnoBase, CGCEmpresa"_s,
                     {fixed(u"G"_s), stored(u"AnoBase"_s), right(u"CGCEmpresa"_s, 14),
                      money(u"EstoqueInicialTribut"_s), money(u"EstoqueInicialIsento"_s),
                      money(u"EstInicialSubTrib"_s), money(u"EstoqueFinalTributado"_s),
                      money(u"EstoqueFinalIsento"_s), money(u"EstFinalSubTrib"_s),
                      money(u"TotalEstoqueInicial"_s), money(u"TotalEstoqueFinal"_s)});

    all[7] = section(LineType::H, u'H', u"ProdutosDiferidos"_s, {},
                     u"IEOrigem, TipoRegime, CodMunicipio, TipoDomicilio"_s,
                     {fixed(u"H"_s), stored(u"AnoBase"_s), right(u"CGCEmpresa"_s, 14), right(u"IEOrigem"_s, 9),
                      right(u"MunicipioID"_s, 40), stored(u"TipoDomicilio"_s)});

    // CodMunicipio is not written, but the checks look at it.
    all[8] = section(LineType::I, u'I', u"SaidasMun"_s, u"CodMunicipio"_s,
                     u"MunicipioID, TipoRegime, TipoDomicilio, CodMunicipio"_s,
                     {fixed(u"I"_s), stored(u"AnoBase"_s), right(u"CGCEmpresa"_s, 14), right(u"MunicipioID"_s, 7),
                      money(u"VlrContabil"_s), money(u"Devolucoes"_s), stored(u"TipoDomicilio"_s)},
                     {u"CodMunicipio"_s});

    // One line per invoice and matching supplier line; the key and the domicile are the
    // invoice's. Invoices have no key of their own: they come in the order they were keyed.
    LineLayout j;
    j.type = LineType::J;
    j.letter = u'J';
    j.fields = {fixed(u"J"_s),
                stored(u"n.AnoBase"_s),
                right(u"n.CGCEmpresa"_s, 14),
                right(u"n.IEOrigem"_s, 9),
                numberOf(u"n.NumNotaFiscal"_s, 10),
                money(u"n.VlrDiferido"_s),
                stored(u"n.TipoDomicilio"_s)};
    for (const FieldLayout &f : j.fields)
        if (f.encoding != Encoding::Fixed)
            j.columns.append(f.column);
    j.sql = u"SELECT "_s + j.columns.join(u", "_s)
        + u" FROM ProdutosDiferidosNotas n INNER JOIN ProdutosDiferidos p"
          u" ON n.AnoBase = p.AnoBase AND n.CGCEmpresa = p.CGCEmpresa AND n.IEOrigem = p.IEOrigem"
          u" AND n.CodMunicipio = p.CodMunicipio"
          // The invoices' only index sorts without regard to case; naming its collation lets the
          // search use it, and the plain comparison keeps the match exact.
          u" WHERE n.AnoBase = :AnoBase COLLATE ZEFNOCASE AND n.CGCEmpresa = :Inscricao COLLATE ZEFNOCASE"
          u" AND n.AnoBase = :AnoBase AND n.CGCEmpresa = :Inscricao"
          u" ORDER BY n.IEOrigem, n.TipoDomicilio, n.rowid, p.IEOrigem, p.TipoRegime, p.CodMunicipio,"
          u" p.TipoDomicilio, p.rowid"_s;
    for (QString &c : j.columns)
        c = unqualified(c);
    all[9] = j;

    all[10] = section(LineType::L, u'L', u"CFOPOperacoes"_s, u"TipoEntSai"_s,
                      u"TipoEntSai, CFOP, TipoDomicilio, CodMunicipio"_s,
                      {fixed(u"L"_s), right(u"AnoBase"_s, 4), right(u"CGCEmpresa"_s, 14), stored(u"TipoEntSai"_s),
                       numberOf(u"CFOP"_s, 4), money(u"VlrContabil"_s), money(u"BaseCalculo"_s), money(u"Outras"_s),
                       money(u"SubTributaria"_s), stored(u"TipoDomicilio"_s)});
    // Field columns as the rows are indexed.
    for (LineLayout &l : all)
        for (FieldLayout &f : l.fields)
            if (f.encoding != Encoding::Fixed)
                f.column = unqualified(f.column);
    return all;
}

const std::array<LineLayout, kLineTypeCount> &layouts()
{
    static const std::array<LineLayout, kLineTypeCount> all = buildLayouts();
    return all;
}

QString encode(const FieldLayout &f, const QVariant &value)
{
    switch (f.encoding) {
    case Encoding::Fixed: return f.column;
    case Encoding::Stored: return storedText(value);
    case Encoding::RightAligned: return rightAligned(value, f.width);
    case Encoding::Amount: return amount(value);
    case Encoding::SignedAmount: return signedAmount(value);
    case Encoding::Date: return dateField(value);
    case Encoding::Number: return number(value, f.width);
    case Encoding::TypeCode: return typeCode(value);
    }
    return QString();
}

} // namespace

int LineLayout::column(const QString &name) const
{
    for (int i = 0; i < int(columns.size()); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const LineLayout &lineLayout(LineType type)
{
    return layouts()[std::size_t(type)];
}

Row DeclarationRows::header() const
{
    const auto &a = of(LineType::A);
    if (!a.empty())
        return a.front();
    return Row(std::size_t(lineLayout(LineType::A).columns.size()));
}

DeclarationReader::DeclarationReader(Database &db) : m_db(db) {}

DeclarationReader::~DeclarationReader() = default;

DeclarationRows DeclarationReader::read(const DeclarationKey &key)
{
    DeclarationRows result;
    result.key = key;
    for (int t = 0; t < kLineTypeCount; ++t) {
        const LineLayout &layout = layouts()[std::size_t(t)];
        auto &st = m_statements[std::size_t(t)];
        if (!st)
            st = std::make_unique<Statement>(m_db.handle(), layout.sql);
        st->reset();
        for (int p = 1; p <= st->parameterCount(); ++p) {
            const QString name = st->parameterName(p);
            st->bind(p, name == QLatin1String(":AnoBase") ? key.anoBase : key.cgcEmpresa);
        }
        const int n = st->columnCount();
        std::vector<FieldType> types(static_cast<std::size_t>(n));
        for (int c = 0; c < n; ++c)
            types[std::size_t(c)] = typeFromDecl(st->columnDeclType(c));
        auto &rows = result.rows[std::size_t(t)];
        while (st->step()) {
            Row row(static_cast<std::size_t>(n));
            for (int c = 0; c < n; ++c)
                row[std::size_t(c)] = st->column(c, types[std::size_t(c)]);
            rows.push_back(std::move(row));
        }
        st->reset();
    }
    return result;
}

QString formatLine(const LineLayout &layout, const Row &row)
{
    QString line;
    int c = 0;
    for (const FieldLayout &f : layout.fields) {
        if (f.encoding == Encoding::Fixed) {
            line += f.column;
            continue;
        }
        line += encode(f, row[std::size_t(c++)]);
    }
    return line;
}

QString formatZLine(const QString &year, const QString &digits, int counter)
{
    return u"Z"_s + year + rightAligned(digits, 14) + number(counter, 3);
}

void appendDeclarationText(QString &text, const DeclarationRows &declaration, int &counter)
{
    const auto append = [&](const QString &line) {
        text += line;
        text += QStringView(kLineBreak);
    };
    append(formatLine(lineLayout(LineType::A), declaration.header()));
    ++counter;
    for (int t = 1; t < kLineTypeCount; ++t) {
        const LineLayout &layout = layouts()[std::size_t(t)];
        const int typeColumn = layout.type == LineType::E ? layout.column(u"TipoEntradas"_s) : -1;
        for (const Row &row : declaration.of(layout.type)) {
            if (typeColumn >= 0) {
                const QString code = typeCode(row[std::size_t(typeColumn)]);
                if (!typeNumber(code))
                    throw ExportError(
                        u"O tipo de entrada \"%1\" da declaração %2 (ano-base %3), linha \"E\" do arquivo, não começa "
                        "por um número. Corrija o item 03 da declaração; o arquivo não foi gravado."_s.arg(
                            storedText(row[std::size_t(typeColumn)]), formataInscricao(declaration.key.cgcEmpresa),
                            declaration.key.anoBase));
            }
            append(formatLine(layout, row));
            ++counter;
        }
    }
    append(formatZLine(declaration.key.anoBase, declaration.key.cgcEmpresa, counter));
}

} // namespace zef
