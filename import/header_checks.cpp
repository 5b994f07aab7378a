#include "import/header_checks.h"

#include "data/identifier_checks.h"
#include "data/text_routines.h"
#include "import/import_fields.h"
#include "import/import_lookups.h"

#include <array>

namespace zef {
namespace {

constexpr qsizetype kLength = 189;

constexpr ImportField kNumero{u"CGCEmpresa", 2, 9};
constexpr ImportField kAno{u"AnoBase", 11, 4};
constexpr ImportField kRetificacao{u"Retificacao", 15, 1};
constexpr ImportField kAtividade{u"CodigoAtividade", 16, 7};
constexpr ImportField kEstabelecimento{u"TipoEstabelecimento", 23, 1};
constexpr ImportField kFinalidade{u"Finalidade", 24, 1};
constexpr ImportField kEscrita{u"TipoEscrita", 25, 1};
constexpr ImportField kRegime{u"RegimeApuracao", 26, 1};
constexpr ImportField kMunicipio{u"CodigoMunicipio", 27, 7};
constexpr ImportField kInicio{u"PeriodoRefInicio", 34, 8};
constexpr ImportField kFinal{u"PeriodoRefFinal", 42, 8};
constexpr ImportField kCPF{u"CPFContador", 50, 11};
constexpr ImportField kResponsavel{u"Responsavel", 61, 80};
constexpr ImportField kCaixaInicial{u"VlrCaixaI", 141, 14};
constexpr ImportField kCaixaFinal{u"VlrCCaixaI", 155, 14};
constexpr ImportField kPatrimonio{u"VlrPatrimLiq", 169, 14};
constexpr ImportField kStatusDRF{u"StatusDRF", 183, 1};
constexpr ImportField kVersao{u"Versao", 184, 6};

// Activities that the classification of 2010 on no longer has.
constexpr std::array<const char16_t *, 9> kAtividadesExtintas = {
    u"1091100", u"1822900", u"2539000", u"3091100", u"3250708", u"3511500", u"4721101", u"4751200", u"9609201",
};

bool oneOf(const QString &value, std::initializer_list<const char16_t *> options)
{
    for (const char16_t *o : options)
        if (value == QStringView(o))
            return true;
    return false;
}

bool atividadeExtinta(const QString &code)
{
    for (const char16_t *c : kAtividadesExtintas)
        if (code == QStringView(c))
            return true;
    return false;
}

} // namespace

QString textoAnoFuturo()
{
    return QStringLiteral("O ZEF com período de referência anterior a  deverá ser informada no programa ZEF 2013");
}

HeaderCheck checkHeaderLine(const ImportLine &line, ImportLookups &lookups, const QDate &today)
{
    HeaderCheck c;
    auto raw = [&](const ImportField &f) { return fieldText(line, f); };
    const QString numero = raw(kNumero);
    const QString ano = raw(kAno);
    c.cgcEmpresa = trimRight(numero);
    c.anoBase = trimRight(ano);
    QString &e = c.erro;

    if (line.length() != kLength) {
        e = QStringLiteral("Tamanho do seguimento \"A\" inválido!");
        return c;
    }
    if (raw(kVersao) != u"2026.1") {
        e = QStringLiteral("Versão do arquivo inválida!");
        return c;
    }
    const auto razaoSocial = lookups.razaoSocial(c.cgcEmpresa);
    if (!razaoSocial) {
        e = QStringLiteral(" Inscrição Estadual ") + numero
            + QStringLiteral(" não localizada no cadastro de contribuintes. ");
        return c;
    }
    c.razaoSocial = *razaoSocial;

    if (!EhData(QStringLiteral("01/01/") + ano))
        e += ano + QStringLiteral(" Não é um período de referencia válido.");
    const int anoBase = readYear(line, ano);
    const int anoCorrente = today.year();
    if (anoBase > anoCorrente) {
        c.anoFuturo = true;
        return c;
    }
    const QString retificacao = raw(kRetificacao);
    if (!oneOf(retificacao, {u"S", u"N"}))
        e = retificacao + QStringLiteral("Não valor válido para o campo retificação.");
    if (lookups.existeDeclaracao(c.anoBase, c.cgcEmpresa)) {
        e = QStringLiteral("ZEF Referência ") + ano + QStringLiteral(" já Cadastrada para o contribuinte ")
            + c.razaoSocial;
        c.jaCadastrada = true;
        return c;
    }
    const QString atividade = raw(kAtividade);
    const QString codigoAtividade = trimRight(atividade);
    if (c.anoBase >= u"2010" && atividadeExtinta(codigoAtividade)) {
        e = QStringLiteral("IE: ") + numero + u' ' + atividade
            + QStringLiteral(" não é um código de atividade econômica válido para o ano de ") + ano;
        return c;
    }
    if (!lookups.existeAtividade(codigoAtividade))
        e = atividade + QStringLiteral(" não é um código de atividade econômica válido.");
    const QString estabelecimento = raw(kEstabelecimento);
    if (!oneOf(estabelecimento, {u"1", u"2", u"3"}))
        e = estabelecimento + QStringLiteral(" não é válido para Tipo de Estabelecimento .");
    const QString finalidade = raw(kFinalidade);
    if (!oneOf(finalidade, {u"1", u"2", u"4"}))
        e = finalidade + QStringLiteral("Tipo de Finalidade informada inválida");
    const QString corrente = QString::number(anoCorrente);
    if (anoBase < anoCorrente && oneOf(finalidade, {u"4", u"2"}))
        e = QStringLiteral("Finalidade de Baixa não pode ser informada para ZEF com Ano Base anterior a ") + corrente
            + u'.';
    if (anoBase == anoCorrente && finalidade == u"1")
        e = QStringLiteral("Finalidade de Informação Anual não pode ser informada para Ano Base ") + corrente + u'.';
    const QString escrita = raw(kEscrita).trimmed().toUpper();
    if (!oneOf(escrita, {u"1", u"2"}))
        e = escrita + QStringLiteral("Tipo de Escrituração informado inválido");
    const QString regime = raw(kRegime).trimmed().toUpper();
    if (!oneOf(regime, {u"3", u"4"}))
        e = regime + QStringLiteral("Tipo de Tipo de Regime de Apuração informado inválido");
    const QString municipio = raw(kMunicipio);
    if (!lookups.existeMunicipio(trimRight(municipio)))
        e += municipio + QStringLiteral(" Não é  um código de município válido. ");
    const auto inicio = readDate(raw(kInicio));
    if (!inicio)
        e = QStringLiteral("Não é um Período Inicial de Referência Fiscal válido.");
    const auto fim = readDate(raw(kFinal));
    if (!fim)
        e = QStringLiteral("Não é um Período final de Referência Fiscal válido.");
    const qint64 caixaInicial = readCents(line, kCaixaInicial);
    const qint64 caixaFinal = readCents(line, kCaixaFinal);
    const qint64 patrimonio = readCents(line, kPatrimonio);
    const QString cpf = raw(kCPF).trimmed();
    if (!ValidaCGCCPF(cpf, false))
        e = QStringLiteral("CPF do Contador inválido");
    if (!lookups.existeContador(cpf))
        e += QStringLiteral("CPF: ") + cpf + QStringLiteral(" não localizado no cadastro de contabilista.\r\n");
    const QString statusDRF = raw(kStatusDRF);
    if (!oneOf(statusDRF, {u"S", u"N"}))
        e = QStringLiteral("Deve ser informado se houve mudança de domicílio.");
    if (!e.isEmpty())
        return c;

    ImportHeader &h = c.header;
    h.cgcEmpresa = c.cgcEmpresa;
    h.anoBase = c.anoBase;
    h.retificacao = retificacao;
    h.codigoAtividade = codigoAtividade;
    h.tipoEstabelecimento = estabelecimento;
    h.finalidade = finalidade;
    h.tipoEscrita = escrita;
    h.regimeApuracao = regime;
    h.codigoMunicipio = trimRight(municipio);
    h.periodoRefInicio = *inicio;
    h.periodoRefFinal = *fim;
    h.cpfContador = cpf;
    h.responsavel = trimRight(raw(kResponsavel));
    h.vlrCaixaI = centsToReais(caixaInicial);
    h.vlrCCaixaI = centsToReais(caixaFinal);
    h.vlrPatrimLiq = centsToReais(patrimonio);
    h.statusDRF = statusDRF;
    h.dataDeclaracao = today;
    return c;
}

} // namespace zef
