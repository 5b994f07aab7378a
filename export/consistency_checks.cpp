#include "export/consistency_checks.h"

#include "data/dialogs.h"
#include "data/lookups.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/query.h"
#include "export/declaration_text.h"
#include "export/line_encoding.h"

#include <array>
#include <functional>
#include <optional>

namespace zef {

namespace {

using namespace Qt::StringLiterals;

// F9 to F12, each with StatusDRF "N" first, then any other.
const std::array<QString, 8> &longFindings()
{
    static const std::array<QString, 8> texts = {
        // F9 "N"
        u"O valor do somatório total do item 3.2 \"Valor Contábil\", indicado no item 3.7, será obrigatoriamente igual ao valor do somatório do item 4.2, \"Valor Contábil\", indicado no item 4.6."_s,
        // F9 other
        u"O valor do somatório total do item 3.3 \"Valor Contábil\", indicado no item 3.7 para as linhas A, B, C, D, E, será obrigatoriamente igual ao valor do somatório do item 4.3 \"Valor Contábil\", indicado no item 4.7 para as linhas A, B, C, D, E."_s,
        // F10 "N"
        u"O valor do somatório total do item 5.2 \"Valor Contábil\", indicado no item 5.6, será obrigatoriamente igual ao valor do somatório do item 6.2 \"Valor Contábil\",  colunas \"A - Não Contribuinte\" e \"B - Contribuinte\", indicado no item 6.6."_s,
        // F10 other
        u"O valor do somatório do item 5.3 \"Valor Contábil\", indicado no item 5.7 para as linhas A, B, C, D, E, será obrigatoriamente igual ao valor do somatório do item 6.3 \"Valor Contábil\", colunas \"A - Não Contribuinte\" e \"B - Contribuinte\", indicado no item 6. 7 para as linhas A, B, C, D, E."_s,
        // F11 "N"
        u"O valor do somatório da coluna 7.2 \"Saídas e/ou Prestações\", indicado no item 7.5, será obrigatoriamente igual ao valor do total do item 5.2 \"Valor Contábil\", indicado no item 5.6, às linhas 01, 02, 03, 04, 05, 06, 07, 08 e 09."_s,
        // F11 other
        u"O valor do somatório da coluna 7.3 \"Saídas e/ou Prestações\", indicado no item 7.6 para as linhas A, B, C, D, E, será obrigatoriamente igual ao valor do total do item 5.3 \"Valor Contábil\", indicado no item 5.7, às linhas 01, 02, 03, 04, 05, 06, 07, 08 e 09."_s,
        // F12 "N"
        u"O valor do somatório da coluna 7.3 \"Entradas e/ou Aquisições\", indicado no item 7.5 para a linhas A, B, C, D, E, será obrigatoriamente igual ao valor do total do item 3.2 \"Valor Contábil\", indicado no item 3.6, às linhas 01, 02, 03, 07, 08, 09 e 10."_s,
        // F12 other
        u"O valor do somatório da coluna 7.4 \"Entradas e/ou Aquisições\", indicado no item 7.6 para a linhas A, B, C, D, E, será obrigatoriamente igual ao valor do total do item 3.3 \"Valor Contábil\", indicado no item 3.7, às linhas 01, 02, 03, 07, 08, 09 e 10."_s,
    };
    return texts;
}

enum class Tail { A, B };

struct QuestionText {
    QString body;
    Tail tail;
};

// Per question: regime "4" with status "N", "4" with other, other with "N", other with other.
const std::array<QuestionText, 24> &questionTexts()
{
    static const std::array<QuestionText, 24> texts = {{
        // Q1 regime "4" status "N" tail A
        {u"O valor do somatório total do item 4.2 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 4.4. \"Outras/Isentas não Tributadas\" \r\ne 4.5. \"Substituição Tributária\"."_s, Tail::A},
        // Q1 regime "4" status other tail A
        {u"O valor do somatório total do item 4.3 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 4.5. \"Outras/Isentas não Tributadas\" \r\ne 4.6. \"Substituição Tributária\"."_s, Tail::A},
        // Q1 regime other status "N" tail A
        {u"O valor do somatório total do item 4.2 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 4.3. \"Base de Cálculo\", \r\n4.4. \"Outras/Isentas não Tributadas\" e 4.5 \"Substituição Tributária\"."_s, Tail::A},
        // Q1 regime other status other tail A
        {u"O valor do somatório total do item 4.3 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 4.4. \"Base de Cálculo\", \r\n4.5. \"Outras/Isentas não Tributadas\" e 6.6 \"Substituição Tributária\"."_s, Tail::A},
        // Q2 regime "4" status "N" tail B
        {u"O valor do somatório total das colunas A e B do item 6.2 \"Valor Contábil\" será, \r\nobrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 6.5 \"Substituição Tributária\"."_s, Tail::B},
        // Q2 regime "4" status other tail B
        {u"O valor do somatório total das colunas A e B do item 6.3 \"Valor Contábil\" será, \r\nobrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 6.6 \"Substituição Tributária\"."_s, Tail::B},
        // Q2 regime other status "N" tail A
        {u"O valor do somatório total das colunas A e B do item 6.2 \"Valor Contábil\" será, \r\nobrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) A e B do item 6.3. \"Base de Cálculo\", \r\n6.4. \"Outras/Isentas não Tributadas\" e 6.5 \"Substituição Tributária\"."_s, Tail::A},
        // Q2 regime other status other tail A
        {u"O valor do somatório total das colunas A e B do item 6.3 \"Valor Contábil\" será, \r\nobrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) A e B do item 6.4. \"Base de Cálculo\", \r\n6.5. \"Outras/Isentas não Tributadas\" e 6.6 \"Substituição Tributária\"."_s, Tail::A},
        // Q3 regime "4" status "N" tail B
        {u"O valor total do somatório do item 3.2 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) \r\nda(s) coluna(s) 3.4. \"Outras/Isentas não Tributadas, se Campo 3.1 \"Tipo de Entradas\" , for igual \r\n\"07 - DIFERENCIAL DE ALÍQUOTA\", caso contrário será, obrigatoriamente igual, a 3.5. \"Substituição Tributária\"."_s, Tail::B},
        // Q3 regime "4" status other tail B
        {u"O valor total do somatório do item 3.3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) \r\nda(s) coluna(s) 3.5. \"Outras/Isentas não Tributadas, se Campo 3.1 \"Tipo de Entradas\" , for igual \r\n\"07 - DIFERENCIAL DE ALÍQUOTA\", caso contrário será, obrigatoriamente igual, a 3.6. \"Substituição Tributária\"."_s, Tail::B},
        // Q3 regime other status "N" tail A
        {u"O valor do somatório total do item 3.2 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 3.3. \"Base de Cálculo\", 3.4. \"Outras/Isentas não Tributadas\" e \r\n3.5 \"Substituição Tributária\"."_s, Tail::A},
        // Q3 regime other status other tail A
        {u"O valor do somatório total do item 3.3 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 3.4. \"Base de Cálculo\", 3.5. \"Outras/Isentas não Tributadas\" e \r\n3.6 \"Substituição Tributária\"."_s, Tail::A},
        // Q4 regime "4" status "N" tail A
        {u"O valor do somatório total do item 5.2 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 5.5. \"Substituição Tributária\"."_s, Tail::A},
        // Q4 regime "4" status other tail A
        {u"O valor do somatório total do item 5.3 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 5.6. \"SubstituiçãoTributária\"."_s, Tail::A},
        // Q4 regime other status "N" tail A
        {u"O valor do somatório total do item 5.2 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 5.3. \"Base de Cálculo\", 5.4. \"Outras/Isentas não Tributadas\" e \r\n5.5 \"Substituição Tributária\"."_s, Tail::A},
        // Q4 regime other status other tail A
        {u"O valor do somatório total do item 5.3 \"Valor Contábil\" será, obrigatoriamente igual, \r\na soma do(s) total(is) da(s) coluna(s) 5.4. \"Base de Cálculo\", 5.5. \"Outras/Isentas não Tributadas\" e \r\n5.6 \"Substituição Tributária\"."_s, Tail::A},
        // Q5 regime "4" status "N" tail A
        {u"O valor total do somatório do item 3.2 Linha \"11 - Outras Entradas\", do item \"11 - Outras Entradas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 6 \"Substituição Tributária\"."_s, Tail::A},
        // Q5 regime "4" status other tail A
        {u"O valor total do somatório do item 3.3 Linha \"11 - Outras Entradas\", do item \"11 - Outras Entradas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 6 \"Substituição Tributária\"."_s, Tail::A},
        // Q5 regime other status "N" tail A
        {u"O valor total do somatório do item 3.2 Linha \"11 - Outras Entradas\", do item \"11 - Outras Entradas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 4 \"Base de Cálculo\", \r\n5 \"Outras/Isentas não Tributadas\" e 6 \"Substituição Tributária\"."_s, Tail::A},
        // Q5 regime other status other tail A
        {u"O valor total do somatório do item 3.3 Linha \"11 - Outras Entradas\", do item \"11 - Outras Entradas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 4. \"Base de Cálculo\", \r\n5. \"Outras/Isentas não Tributadas\" e 6. \"Substituição Tributária\"."_s, Tail::A},
        // Q6 regime "4" status "N" tail A
        {u"O valor total do somatório do item 5.2 Linha \"10 - Outras Saídas\", do item \"10 - Outras Saídas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 6 \"Substituição Tributária\"."_s, Tail::A},
        // Q6 regime "4" status other tail A
        {u"O valor total do somatório do item 5.3 Linha \"10 - Outras Saídas\", do item \"10 - Outras Saídas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 6 \"Substituição Tributária\"."_s, Tail::A},
        // Q6 regime other status "N" tail A
        {u"O valor total do somatório do item 5.2 Linha \"10 - Outras Saídas\", do item \"10 - Outras Saídas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 4 \"Base de Cálculo\", \r\n5 \"Outras/Isentas não Tributadas\" e 6 \"Substituição Tributária\"."_s, Tail::A},
        // Q6 regime other status other tail A
        {u"O valor total do somatório do item 5.3 Linha \"10 - Outras Saídas\", do item \"10 - Outras Saídas por CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 4. \"Base de Cálculo\", \r\n5. \"Outras/Isentas não Tributadas\" e 6. \"Substituição Tributária\"."_s, Tail::A},
    }};
    return texts;
}

QString tail(Tail t)
{
    const QString warning = u"A apresentação com estas divergências sujeitará à fiscalização."_s;
    const QString ask = u"Deseja continuar?"_s;
    return (t == Tail::A ? u"\r\r"_s : u"\r\n"_s) + warning + u"\r\r"_s + ask;
}

double valueOf(const Row &row, int column)
{
    if (column < 0)
        return 0.0;
    const QVariant &v = row[std::size_t(column)];
    return v.isNull() ? 0.0 : v.toDouble();
}

QString textOf(const Row &row, int column)
{
    if (column < 0)
        return QString();
    const QVariant &v = row[std::size_t(column)];
    return v.isNull() ? QString() : v.toString();
}

// The sum of some columns of a line type's rows, row by row in the order read.
double sumOf(const DeclarationRows &d, LineType type, std::initializer_list<const char16_t *> columns,
             const std::function<bool(const Row &)> &accept = {})
{
    const LineLayout &layout = lineLayout(type);
    std::vector<int> indexes;
    for (const char16_t *c : columns)
        indexes.push_back(layout.column(QString::fromUtf16(c)));
    double total = 0.0;
    for (const Row &row : d.of(type)) {
        if (accept && !accept(row))
            continue;
        for (int i : indexes)
            total += valueOf(row, i);
    }
    return total;
}

// StatusDRF and RegimeApuracao are read trimmed, by their first character.
QString code(const QString &text)
{
    return text.trimmed().left(1);
}

} // namespace

QString linhaCabecalho(const QString &inscricao)
{
    return u"Inscrição Estadual: "_s + inscricao;
}

QString linhaSeparadora()
{
    return QString(52, u'-') + u' ';
}

QString textoAchado(Finding finding, bool statusN)
{
    switch (finding) {
    case Finding::F1: return u"Campo CPF do contabilista no item 8 deve ser informado."_s;
    case Finding::F2: return u"Campo CPF do contabilista não localizado no cadastro de contabilista."_s;
    case Finding::F3: return u"CNAE da empresa não informada no cadastro do contribuinte."_s;
    case Finding::F4: return u"Campo 2.2 - Informar os Domicílios Fiscais Atual e Anterior "_s;
    case Finding::F5: return u"Campo 2.2 - Informar o Domicilio Fiscal Anterior "_s;
    case Finding::F6: return u"Campos: Domicílio Fiscal, Data Inicial e Final devem ser informados"_s;
    case Finding::F7: return u"Campo Município do Domicílio Fiscal de Referencia deve ser informado."_s;
    case Finding::F8: return u"Campo Município de Origem deve ser informado."_s;
    case Finding::F9:
    case Finding::F10:
    case Finding::F11:
    case Finding::F12:
        return longFindings()[std::size_t(2 * (int(finding) - int(Finding::F9)) + (statusN ? 0 : 1))];
    }
    return QString();
}

QString textoQuestao(Question question, bool simplesNacional, bool statusN)
{
    const std::size_t index = std::size_t(4 * int(question) + (simplesNacional ? 0 : 2) + (statusN ? 0 : 1));
    const QuestionText &q = questionTexts()[index];
    return q.body + tail(q.tail);
}

int ExisteContador(Database &db, const QString &cpf)
{
    Query q(db, u"Select count(*) from Contador where CPFContador = :CPFContador"_s);
    q.setParam(u"CPFContador"_s, cpf);
    return q.scalar().toInt();
}

ConsistencyChecks::ConsistencyChecks(Database &db, Dialogs &dialogs) : m_db(db), m_dialogs(dialogs) {}

void ConsistencyChecks::headerBlock1()
{
    if (m_headerWritten)
        return;
    add(linhaCabecalho(m_inscricao));
    add(QString());
    m_headerWritten = true;
}

void ConsistencyChecks::headerBlock2()
{
    if (m_headerWritten)
        return;
    add(linhaCabecalho(m_inscricao));
    add(linhaSeparadora());
    m_headerWritten = true;
}

void ConsistencyChecks::check(const DeclarationRows &d)
{
    m_inscricao = formataInscricao(d.key.cgcEmpresa);
    m_headerWritten = false;

    const LineLayout &a = lineLayout(LineType::A);
    const Row header = d.header();
    const QString activity = textOf(header, a.column(u"CodigoAtividade"_s));
    const QString status = code(textOf(header, a.column(u"StatusDRF"_s)));
    const QString regime = code(textOf(header, a.column(u"RegimeApuracao"_s)));
    const bool statusN = status == u"N"_s;

    // Accountant and activity.
    const QString cpf = textOf(header, a.column(u"CPFContador"_s)).trimmed();
    if (cpf.isEmpty()) {
        headerBlock1();
        add(textoAchado(Finding::F1));
        add(QString());
    }
    if (ExisteContador(m_db, cpf) == 0) {
        headerBlock1();
        add(textoAchado(Finding::F2));
        add(QString());
    }
    if (!ExisteAtividade(m_db, activity)) {
        headerBlock1();
        add(textoAchado(Finding::F3));
        add(QString());
    }

    // Fiscal domiciles: looked at only while nothing has been reported for the declaration.
    if (!m_headerWritten) {
        const auto &domiciles = d.of(LineType::B);
        const std::size_t n = domiciles.size();
        const QString first =
            n > 0 ? textOf(domiciles.front(), lineLayout(LineType::B).column(u"TipoDomicilio"_s)) : QString();
        std::optional<Finding> finding;
        if (status == u"S"_s) {
            if (n == 0)
                finding = Finding::F4;
            else if (n == 1 && first == u"A"_s)
                finding = Finding::F5;
        } else if (n == 0) {
            finding = Finding::F6;
        }
        if (finding) {
            headerBlock2();
            if (*finding == Finding::F6) {
                add(QString());
                add(textoAchado(*finding));
            } else {
                add(textoAchado(*finding));
                add(QString());
            }
        }
    }

    // Municipality rows: reported without a header of their own.
    const LineLayout &i = lineLayout(LineType::I);
    const int codMunicipio = i.column(u"CodMunicipio"_s);
    const int municipioId = i.column(u"MunicipioID"_s);
    for (const Row &row : d.of(LineType::I)) {
        if (textOf(row, codMunicipio).trimmed().isEmpty()) {
            add(textoAchado(Finding::F7));
            add(QString());
        }
        if (textOf(row, municipioId).trimmed().isEmpty()) {
            add(textoAchado(Finding::F8));
            add(QString());
        }
    }

    // Totals across sections.
    const int typeColumn = lineLayout(LineType::E).column(u"TipoEntradas"_s);
    const int salesColumn = lineLayout(LineType::F).column(u"TipoVendas"_s);
    const double entriesByState = sumOf(d, LineType::C, {u"VlrContabilEntrada"});
    const double exitsByState = sumOf(d, LineType::D, {u"VlrContSaidaContrib", u"VlrContSaidaNContrib"});
    const double entriesByType = sumOf(d, LineType::E, {u"VlrContabil"});
    const double entriesOfTypes4_5_6_11 = sumOf(d, LineType::E, {u"VlrContabil"}, [&](const Row &row) {
        const std::optional<int> n = typeNumber(typeCode(row[std::size_t(typeColumn)]));
        return n && (*n == 4 || *n == 5 || *n == 6 || *n == 11);
    });
    const double exitsByType = sumOf(d, LineType::F, {u"VlrContabeis"});
    const double exitsOfType10 = sumOf(d, LineType::F, {u"VlrContabeis"}, [&](const Row &row) {
        return typeCode(row[std::size_t(salesColumn)]) == u"10"_s;
    });
    const double municipalityExits = sumOf(d, LineType::I, {u"VlrContabil"});
    const double municipalityEntries = sumOf(d, LineType::I, {u"Devolucoes"});

    if (differs(entriesByState - entriesByType)) {
        if (!m_headerWritten) {
            headerBlock2();
            add(QString());
        }
        add(textoAchado(Finding::F9, statusN));
        add(QString());
    }
    const auto report = [&](Finding finding) {
        headerBlock2();
        add(textoAchado(finding, statusN));
        add(QString());
    };
    if (differs(exitsByState - exitsByType))
        report(Finding::F10);

    if (!ExigeItem07(m_db, d.key.anoBase, activity))
        return;

    if (differs(municipalityExits - (exitsByType - exitsOfType10)))
        report(Finding::F11);
    if (differs(municipalityEntries - (entriesByType - entriesOfTypes4_5_6_11)))
        report(Finding::F12);

    // Column sums within each section.
    const auto isCfop = [&](const QString &kind) {
        const int column = lineLayout(LineType::L).column(u"TipoEntSai"_s);
        return [column, kind](const Row &row) { return textOf(row, column) == kind; };
    };
    const double differences[] = {
        sumOf(d, LineType::C, {u"VlrContabilEntrada"})
            - sumOf(d, LineType::C, {u"BaseCalculoEntrada", u"OutrasEntradas", u"SubsTributaria"}),
        sumOf(d, LineType::D, {u"VlrContSaidaContrib", u"VlrContSaidaNContrib"})
            - sumOf(d, LineType::D, {u"BaseCalcSaidaContrib", u"BaseCalcSaidaNContrib", u"OutrasSaidas",
                                     u"SubsTributaria"}),
        sumOf(d, LineType::E, {u"VlrContabil"}) - sumOf(d, LineType::E, {u"BaseCalculo", u"Outras", u"SubTributaria"}),
        sumOf(d, LineType::F, {u"VlrContabeis"}) - sumOf(d, LineType::F, {u"BaseCalculo", u"Outras", u"SubTributaria"}),
        sumOf(d, LineType::L, {u"VlrContabil"}, isCfop(u"E"_s))
            - sumOf(d, LineType::L, {u"BaseCalculo", u"Outras", u"SubTributaria"}, isCfop(u"E"_s)),
        sumOf(d, LineType::L, {u"VlrContabil"}, isCfop(u"S"_s))
            - sumOf(d, LineType::L, {u"BaseCalculo", u"Outras", u"SubTributaria"}, isCfop(u"S"_s)),
    };
    const bool simples = regime == u"4"_s;
    for (int q = 0; q < 6; ++q)
        if (differs(differences[q]) && !Confirma(m_dialogs, textoQuestao(Question(q), simples, statusN)))
            throw SilentAbort();
}

} // namespace zef
