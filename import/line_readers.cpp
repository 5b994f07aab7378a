#include "import/line_readers.h"

#include "data/text_routines.h"
#include "import/import_fields.h"
#include "import/import_lookups.h"

#include <array>
#include <iterator>

namespace zef {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Every line "B" to "K" begins with these.
constexpr ImportField kNumero{u"CGCEmpresa", 2, 9};
constexpr ImportField kAno{u"AnoBase", 11, 4};

constexpr ImportField kB[] = {kNumero, kAno, {u"CodMunicipioAnt", 15, 7}, {u"DataDRFAntI", 22, 8},
                              {u"DataDRFAntF", 30, 8}, {u"TipoDomicilio", 38, 1}};
constexpr ImportField kC[] = {kNumero, kAno, {u"TipoEntradas", 15, 2}, {u"TipoDomicilio", 17, 1},
                              {u"CodMunicipio", 18, 7}, {u"VlrContabil", 25, 14}, {u"BaseCalculo", 39, 14},
                              {u"Outras", 53, 14}, {u"SubTributaria", 67, 14}};
constexpr ImportField kD[] = {kNumero, kAno, {u"UFEntrada", 15, 2}, {u"TipoDomicilio", 17, 1},
                              {u"CodMunicipio", 18, 7}, {u"VlrContabilEntrada", 25, 14},
                              {u"BaseCalculoEntrada", 39, 14}, {u"OutrasEntradas", 53, 14},
                              {u"PetroleoEnergia", 67, 14}, {u"OutrosProdutosEntrada", 81, 14},
                              {u"SubsTributaria", 95, 14}};
constexpr ImportField kE[] = {kNumero, kAno, {u"TipoVendas", 15, 2}, {u"TipoDomicilio", 17, 1},
                              {u"CodMunicipio", 18, 7}, {u"VlrContabeis", 25, 14}, {u"BaseCalculo", 39, 14},
                              {u"Outras", 53, 14}, {u"SubTributaria", 67, 14}};
constexpr ImportField kF[] = {kNumero, kAno, {u"UF", 15, 2}, {u"TipoDomicilio", 17, 1},
                              {u"CodMunicipio", 18, 7}, {u"vlrContSaidaContrib", 25, 14},
                              {u"vlrContSaidaNContrib", 39, 14}, {u"BaseCalcSaidaContrib", 53, 14},
                              {u"BaseCalcSaidaNContrib", 67, 14}, {u"OutrasSaidas", 81, 14},
                              {u"SubsTributaria", 95, 14}, {u"ICMSSubTribSaidas", 109, 14}};
constexpr ImportField kG[] = {kNumero, kAno, {u"MunicipioID", 15, 7}, {u"TipoDomicilio", 22, 1},
                              {u"CodMunicipio", 23, 7}, {u"VlrContabil", 30, 14}, {u"Devolucoes", 44, 14}};
constexpr ImportField kH[] = {kNumero, kAno, {u"IEOrigem", 15, 9}, {u"TipoDomicilio", 24, 1},
                              {u"CodMunicipio", 25, 7}, {u"MunicipioID", 32, 7}};
constexpr ImportField kI[] = {kNumero, kAno, {u"IEOrigem", 15, 9}, {u"TipoDomicilio", 24, 1},
                              {u"CodMunicipio", 25, 7}, {u"NumNotaFiscal", 32, 7}, {u"VlrDiferido", 39, 14}};
constexpr ImportField kJ[] = {kNumero, kAno, {u"EstoqueInicialTribut", 15, 14}, {u"EstoqueInicialIsento", 29, 14},
                              {u"EstInicialSubTrib", 43, 14}, {u"EstoqueFinalTributado", 57, 14},
                              {u"EstoqueFinalIsento", 71, 14}, {u"EstFinalSubTrib", 85, 14}};
constexpr ImportField kK[] = {kNumero, kAno, {u"TipoEntSai", 15, 1}, {u"CFOP", 16, 4}, {u"TipoDomicilio", 20, 1},
                              {u"CodMunicipio", 21, 7}, {u"VlrContabil", 28, 14}, {u"BaseCalculo", 42, 14},
                              {u"Outras", 56, 14}, {u"SubTributaria", 70, 14}};

const QString kTipoEntradas[] = {
    QStringLiteral("01 - COMPRAS"),
    QStringLiteral("02 - TRANSFERÊNCIAS"),
    QStringLiteral("03 - VENDAS CANCELADAS"),
    QStringLiteral("04 - TRANSPORTES"),
    QStringLiteral("05 - COMUNICAÇÕES"),
    QStringLiteral("06 - ENERGIA ELÉTRICA"),
    QStringLiteral("07 - DIFERENCIAL DE ALÍQUOTA"),
    QStringLiteral("08 - COMPRAS PARA ATIVO PERMANENTE"),
    QStringLiteral("09 - COMPRAS DE MATERIAL PARA USO E CONSUMO"),
    QStringLiteral("10 - AQUISIÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"),
    QStringLiteral("11 - OUTRAS ENTRADAS"),
};

const QString kTipoVendas[] = {
    QStringLiteral("01 - VENDAS"),
    QStringLiteral("02 - TRANSFERÊNCIAS"),
    QStringLiteral("03 - COMPRAS CANCELADAS"),
    QStringLiteral("04 - ENERGIA ELÉTRICA"),
    QStringLiteral("05 - COMUNICAÇÕES"),
    QStringLiteral("06 - TRANSPORTES"),
    QStringLiteral("07 - VENDAS DO ATIVO PERMANENTE"),
    QStringLiteral("08 - VENDAS DE MATERIAL PARA USO E CONSUMO"),
    QStringLiteral("09 - PRESTAÇÕES DE SERVIÇOS TRIBUTADOS PELO ICMS"),
    QStringLiteral("10 - OUTRAS SAÍDAS"),
};

const QString kDiferencialAliquota = kTipoEntradas[6];

struct CodigoUF {
    const char16_t *code;
    const char16_t *uf;
};
constexpr CodigoUF kUFs[] = {
    {u"01", u"AC"}, {u"02", u"AL"}, {u"03", u"AP"}, {u"04", u"AM"}, {u"05", u"BA"}, {u"06", u"CE"}, {u"07", u"DF"},
    {u"08", u"ES"}, {u"10", u"GO"}, {u"12", u"MA"}, {u"13", u"MT"}, {u"14", u"MG"}, {u"15", u"PA"}, {u"16", u"PB"},
    {u"17", u"PR"}, {u"18", u"PE"}, {u"19", u"PI"}, {u"20", u"RN"}, {u"21", u"RS"}, {u"22", u"RJ"}, {u"23", u"RO"},
    {u"24", u"RR"}, {u"25", u"SC"}, {u"26", u"SP"}, {u"27", u"SE"}, {u"28", u"MS"}, {u"29", u"VD"}, {u"90", u"EX"},
};

// A line type's list: "01" is its first text, and so on.
template <std::size_t N>
QString textOfCode(const QString (&texts)[N], const QString &code)
{
    for (const QString &t : texts)
        if (code.size() == 2 && QStringView(t).first(2) == code)
            return t;
    return QString();
}

QString municipioInvalido(const QString &code)
{
    return code + QStringLiteral(" Não é  um código de município válido. ");
}

QString municipioDomicilioInvalido(const QString &code)
{
    return code + QStringLiteral(" Não é  um código de município do domicílio fiscal válido. ");
}

const QString kTipoDomicilioEmBranco = QStringLiteral(" Campo tipo de domicílio deve ser informado. ");

// One line being read: its fields and the text it gathers.
class Reader
{
public:
    Reader(const ImportLine &line, const DeclarationContext &ctx, ImportLookups &lookups)
        : m_line(line), m_ctx(ctx), m_lookups(lookups)
    {
    }

    template <std::size_t N>
    void requireAll(const ImportField (&fields)[N])
    {
        requireFields(m_line, fields, qsizetype(N));
    }

    QString raw(const ImportField &f) const { return fieldText(m_line, f); }
    QString trimmed(const ImportField &f) const { return raw(f).trimmed(); }
    QString value(const ImportField &f) const { return trimRight(raw(f)); }

    QVariant amount(const ImportField &f) const { return centsToReais(readCents(m_line, f)); }
    // An amount the Simples Nacional regime does not read.
    QVariant amountUnlessSimples(const ImportField &f) const { return simples() ? QVariant(0.0) : amount(f); }
    bool simples() const { return m_ctx.regimeApuracao == u"4"; }

    // The checks every line starts with; false when nothing else is to be checked. A line keyed
    // to another declaration would be stored into that one, or into none, behind the user's
    // back: it fails the declaration it sits in instead.
    bool commonChecks()
    {
        const QString numero = value(kNumero);
        if (numero != m_ctx.cgcEmpresa || value(kAno) != m_ctx.anoBase) {
            result.texto = textoLinhaDeOutraDeclaracao(m_line.number(), m_line.letter(), numero, value(kAno), m_ctx);
            return false;
        }
        if (!m_lookups.razaoSocial(numero)) {
            result.texto = raw(kNumero) + QStringLiteral(" Não é uma Inscrição Estadual válida. ");
            return false;
        }
        const QString ano = raw(kAno);
        if (!EhData(QStringLiteral("01/01/") + ano))
            result.texto += ano + QStringLiteral(" Não é um período de referencia válido.");
        return true;
    }

    // Without a change of fiscal domicile every line belongs to the current domicile "A".
    void domicileRule(const QString &prefix, const QString &tipoDomicilio)
    {
        if (m_ctx.statusDRF != u"S" && tipoDomicilio != u"A")
            result.texto += prefix + tipoDomicilio
                + QStringLiteral(" não permitido, pois não existe mudança de Domicílio Fiscal informada no segmento A18.")
                + kCrLf;
    }

    void checkMunicipio(const ImportField &f, QString (*message)(const QString &))
    {
        if (!m_lookups.existeMunicipio(value(f)))
            result.texto += message(raw(f));
    }

    void checkTipoDomicilio(const QString &tipoDomicilio)
    {
        if (tipoDomicilio.isEmpty())
            result.texto += kTipoDomicilioEmBranco;
    }

    bool valid() const { return result.texto.isEmpty(); }

    // The row, keyed by its declaration (the line's own key, once commonChecks has passed).
    void row(ImportTable table, QVariantList values)
    {
        values.prepend(m_ctx.anoBase);
        values.prepend(m_ctx.cgcEmpresa);
        result.table = table;
        result.values = std::move(values);
    }

    const ImportLine &m_line;
    const DeclarationContext &m_ctx;
    ImportLookups &m_lookups;
    LineResult result;
};

void readB(Reader &r)
{
    r.requireAll(kB);
    if (!r.commonChecks())
        return;
    r.result.acceptedB = true;
    const ImportField &municipio = kB[2];
    r.checkMunicipio(municipio, municipioInvalido);
    const auto inicio = readDate(r.raw(kB[3]));
    if (!inicio)
        r.result.texto = QStringLiteral("Não é um Período Inicial de Referência Fiscal válido.");
    const auto fim = readDate(r.raw(kB[4]));
    if (!fim)
        r.result.texto = QStringLiteral("Não é um Período final de Referência Fiscal válido.");
    if (r.valid())
        r.row(ImportTable::ZefMunAnterior, {r.value(municipio), *inicio, *fim, r.value(kB[5])});
}

// Lines "C" to "F": a type or state code, the domicile and its municipality, then amounts.
template <std::size_t N>
bool readCodedLine(Reader &r, const ImportField (&fields)[N], QChar letter, const QString &blankCodeText)
{
    r.requireAll(fields);
    if (!r.commonChecks())
        return false;
    const QString tipoDomicilio = r.trimmed(fields[3]);
    if (r.trimmed(fields[2]).isEmpty())
        r.result.texto += blankCodeText;
    r.checkTipoDomicilio(tipoDomicilio);
    r.checkMunicipio(fields[4], municipioInvalido);
    r.domicileRule(QStringLiteral("Seguimento %1: Tipo Domicílio Fiscal ").arg(letter), tipoDomicilio);
    return r.valid();
}

const QString kEntradasEmBranco = QStringLiteral(" Campo tipo de entradas deve ser informado. ");

void readC(Reader &r)
{
    if (!readCodedLine(r, kC, u'C', kEntradasEmBranco))
        return;
    const QString tipo = tipoEntradasDoCodigo(r.trimmed(kC[2]));
    // Under the Simples Nacional a purchase declares no base and, except the tax rate
    // difference, no other amounts; the rate difference declares no tax substitution.
    const bool diferencial = tipo == kDiferencialAliquota;
    const QVariant vlrContabil = r.amount(kC[5]);
    const QVariant baseCalculo = r.amountUnlessSimples(kC[6]);
    const QVariant outras = r.simples() && !diferencial ? QVariant(0.0) : r.amount(kC[7]);
    const QVariant subTributaria = r.simples() && diferencial ? QVariant(0.0) : r.amount(kC[8]);
    r.row(ImportTable::Compras, {tipo, QStringLiteral("A"), r.trimmed(kC[3]), r.value(kC[4]), vlrContabil,
                                 baseCalculo, outras, subTributaria});
}

void readD(Reader &r)
{
    if (!readCodedLine(r, kD, u'D', kEntradasEmBranco))
        return;
    r.row(ImportTable::Entrada,
          {siglaUFDoCodigo(r.trimmed(kD[2])), QStringLiteral("A"), r.trimmed(kD[3]), r.value(kD[4]), r.amount(kD[5]),
           r.amountUnlessSimples(kD[6]), r.amount(kD[7]), r.amount(kD[8]), r.amount(kD[9]), r.amount(kD[10])});
}

void readE(Reader &r)
{
    if (!readCodedLine(r, kE, u'E', QStringLiteral(" Campo tipo de Saídas deve ser informado. ")))
        return;
    r.row(ImportTable::Vendas, {tipoVendasDoCodigo(r.trimmed(kE[2])), QStringLiteral("A"), r.trimmed(kE[3]),
                                r.value(kE[4]), r.amount(kE[5]), r.amountUnlessSimples(kE[6]),
                                r.amountUnlessSimples(kE[7]), r.amount(kE[8])});
}

void readF(Reader &r)
{
    if (!readCodedLine(r, kF, u'F', kEntradasEmBranco))
        return;
    r.row(ImportTable::Saidas,
          {siglaUFDoCodigo(r.trimmed(kF[2])), QStringLiteral("A"), r.trimmed(kF[3]), r.value(kF[4]), r.amount(kF[5]),
           r.amount(kF[6]), r.amountUnlessSimples(kF[7]), r.amountUnlessSimples(kF[8]), r.amountUnlessSimples(kF[9]),
           r.amount(kF[10]), r.amount(kF[11])});
}

void readG(Reader &r)
{
    r.requireAll(kG);
    if (!r.commonChecks())
        return;
    const QString ano = r.raw(kAno);
    if (!r.m_lookups.exigeItem07(r.value(kAno), r.m_ctx.codigoAtividade)) {
        r.result.texto = QStringLiteral("Não é possível importar informações para o seguimento G devido a regra dos cnaes")
            + r.m_ctx.codigoAtividade + u'-' + ano;
        return;
    }
    const QString municipioId = r.trimmed(kG[2]);
    const QString tipoDomicilio = r.trimmed(kG[3]);
    if (!r.m_lookups.existeMunicipio(municipioId))
        r.result.texto += municipioInvalido(municipioId);
    r.checkTipoDomicilio(tipoDomicilio);
    r.checkMunicipio(kG[4], municipioInvalido);
    r.domicileRule(QStringLiteral("Seguimento G: Não deve ser informadoTipo Domicílio Fiscal "), tipoDomicilio);
    if (r.valid())
        r.row(ImportTable::SaidasMun, {municipioId, QStringLiteral("A"), tipoDomicilio, r.value(kG[4]),
                                       r.amount(kG[5]), r.amount(kG[6])});
}

void readH(Reader &r)
{
    r.requireAll(kH);
    if (!r.commonChecks())
        return;
    const QString ieOrigem = r.trimmed(kH[2]);
    const QString tipoDomicilio = r.trimmed(kH[3]);
    if (ieOrigem.isEmpty())
        r.result.texto += QStringLiteral("Não é valor válido para a Inscrição estadual da empresa.");
    r.checkTipoDomicilio(tipoDomicilio);
    r.checkMunicipio(kH[4], municipioDomicilioInvalido);
    if (!r.m_lookups.existeMunicipio(r.value(kH[5])))
        r.result.texto += r.raw(kH[5]) + QStringLiteral(" Não é  um código de município de origem válido. ");
    r.domicileRule(QStringLiteral("Seguimento H: Tipo Domicílio Fiscal "), tipoDomicilio);
    if (r.valid())
        r.row(ImportTable::ProdutosDiferidos,
              {ieOrigem, QStringLiteral("A"), tipoDomicilio, r.value(kH[4]), r.value(kH[5])});
}

void readI(Reader &r)
{
    r.requireAll(kI);
    if (!r.commonChecks())
        return;
    const QString ieOrigem = r.trimmed(kI[2]);
    const QString tipoDomicilio = r.trimmed(kI[3]);
    const QString nota = r.raw(kI[5]);
    if (ieOrigem.isEmpty())
        r.result.texto += QStringLiteral("Não é valor válido para a Inscrição estadual da empresa.2");
    r.checkTipoDomicilio(tipoDomicilio);
    r.checkMunicipio(kI[4], municipioDomicilioInvalido);
    const auto numero = TextoParaInteiro(nota);
    if (!numero)
        r.result.texto += nota + QStringLiteral(" Não é valor válido para o número da nota.");
    r.domicileRule(QStringLiteral("Seguimento I: Tipo Domicílio Fiscal "), tipoDomicilio);
    if (r.valid())
        r.row(ImportTable::ProdutosDiferidosNotas,
              {ieOrigem, tipoDomicilio, r.value(kI[4]), *numero, r.amount(kI[6])});
}

void readJ(Reader &r)
{
    r.requireAll(kJ);
    if (!r.commonChecks())
        return;
    if (!r.valid())
        return;
    // Under the Simples Nacional the exempt stock is not declared, and so stays out of the totals.
    qint64 cents[6];
    for (int i = 0; i < 6; ++i) {
        const bool isento = i == 1 || i == 4;
        cents[i] = isento && r.simples() ? 0 : readCents(r.m_line, kJ[2 + i]);
    }
    QVariantList values;
    for (const qint64 c : cents)
        values.append(centsToReais(c));
    values.append(centsToReais(cents[0] + cents[1] + cents[2]));
    values.append(centsToReais(cents[3] + cents[4] + cents[5]));
    r.row(ImportTable::Estoque, values);
}

void readK(Reader &r)
{
    r.requireAll(kK);
    if (!r.commonChecks())
        return;
    const QString tipoEntSai = r.trimmed(kK[2]);
    const QString cfop = r.trimmed(kK[3]);
    const QString tipoDomicilio = r.trimmed(kK[4]);
    if (tipoEntSai.isEmpty())
        r.result.texto += QStringLiteral("Não é valor válido para a Entrada e/o Saídas.");
    if (cfop.isEmpty())
        r.result.texto += QStringLiteral("Não é valor válido para Código Fiscal de Operações e de Prestações.");
    if (!r.m_lookups.existeCodigoCFOP(cfop))
        r.result.texto += cfop + QStringLiteral(" Não é CFOP válido para campo ")
            + (tipoEntSai == u"E" ? QStringLiteral("11 - Outras Entradas por CFOP")
                                  : QStringLiteral("10 - Outras Saídas por CFOP"))
            + QStringLiteral(", Segmento K.") + kCrLf;
    r.checkTipoDomicilio(tipoDomicilio);
    r.checkMunicipio(kK[5], municipioDomicilioInvalido);
    r.domicileRule(QStringLiteral("Seguimento K: Tipo Domicílio Fiscal "), tipoDomicilio);
    if (!r.valid())
        return;
    // The code is one of the table's, all digits; the column holds it as a number.
    const auto codigo = TextoParaInteiro(cfop);
    if (!codigo)
        throw ImportError(QStringLiteral("Linha %1, campo CFOP (posições 16 a 19): \"%2\" não é um valor válido. "
                                         "Importação interrompida.")
                              .arg(r.m_line.number())
                              .arg(cfop));
    r.row(ImportTable::CFOPOperacoes, {tipoEntSai, *codigo, tipoDomicilio, r.value(kK[5]), r.amount(kK[6]),
                                       r.amountUnlessSimples(kK[7]), r.amountUnlessSimples(kK[8]),
                                       r.amount(kK[9])});
}

} // namespace

QString textoLinhaDeOutraDeclaracao(qint64 linha, QChar letra, const QString &inscricao, const QString &ano,
                                    const DeclarationContext &ctx)
{
    return QStringLiteral("Linha %1, seguimento %2, de outra declaração: inscrição estadual %3, ano-base %4; "
                          "a declaração é da inscrição estadual %5, ano-base %6.")
               .arg(linha)
               .arg(letra)
               .arg(inscricao, ano, ctx.cgcEmpresa, ctx.anoBase)
        + kCrLf;
}

QString tipoEntradasDoCodigo(const QString &code)
{
    return textOfCode(kTipoEntradas, code);
}

QString tipoVendasDoCodigo(const QString &code)
{
    return textOfCode(kTipoVendas, code);
}

QString siglaUFDoCodigo(const QString &code)
{
    for (const CodigoUF &u : kUFs)
        if (code == QStringView(u.code))
            return QString::fromUtf16(u.uf);
    return QString();
}

LineResult readDeclarationLine(const ImportLine &line, const DeclarationContext &ctx, ImportLookups &lookups)
{
    Reader r(line, ctx, lookups);
    switch (line.letter().unicode()) {
    case u'B': readB(r); break;
    case u'C': readC(r); break;
    case u'D': readD(r); break;
    case u'E': readE(r); break;
    case u'F': readF(r); break;
    case u'G': readG(r); break;
    case u'H': readH(r); break;
    case u'I': readI(r); break;
    case u'J': readJ(r); break;
    case u'K': readK(r); break;
    default: break;
    }
    return std::move(r.result);
}

} // namespace zef
