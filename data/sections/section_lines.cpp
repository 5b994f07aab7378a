#include "data/sections/section_lines.h"

#include "data/dialogs.h"
#include "data/record_routines.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/transaction.h"

namespace zef {

using namespace Qt::StringLiterals;

namespace {

const QString kLetras = u"ABCDE"_s;

// The codes that only declarations from this base year on may use.
constexpr int kAnoCFOPNovos = 2019;
const QStringList kCFOPNovosEntrada{u"1933"_s, u"1934"_s, u"2933"_s, u"2934"_s};
const QStringList kCFOPNovosSaida{u"5926"_s, u"5927"_s, u"5928"_s, u"5931"_s, u"5933"_s,
                                  u"5934"_s, u"6929"_s, u"6931"_s, u"6933"_s, u"6934"_s};

} // namespace

QList<DomicilioSecao> domiciliosDaDeclaracao(Database &db, const DeclarationKey &key, bool semMudanca)
{
    Query q(db);
    if (semMudanca)
        q.setSql(u"select m.Codigo as Codigo, m.Descricao as Descricao from Municip m, Zef da "
                 u"where m.Codigo = da.CodigoMunicipio and AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa "
                 u"order by Descricao"_s);
    else
        q.setSql(u"select m.Codigo as Codigo, m.Descricao as Descricao,TipoDomicilio from Municip m, "
                 u"ZefMunAnterior da where m.Codigo = da.CodMunicipioAnt and AnoBase = :AnoBase "
                 u"and CGCEmpresa = :CGCEmpresa order by Descricao"_s);
    bindKey(q, key);
    q.open();
    QList<DomicilioSecao> domicilios;
    for (q.first(); !q.eof(); q.next())
        domicilios.append({semMudanca ? u"A"_s : q.fieldByName(u"TipoDomicilio"_s)->asString(),
                           q.fieldByName(u"Codigo"_s)->asString(), q.fieldByName(u"Descricao"_s)->asString()});
    return domicilios;
}

// ---------------------------------------------------------------------------------------------

SectionLines::SectionLines(Database &db, const SectionDescription &description, const QString &bufferName)
    : m_db(db), m_description(description), m_buffer(db, description.table + u".DB"_s)
{
    m_buffer.setObjectName(bufferName);
    m_buffer.setIndexFieldNames((QStringList{u"AnoBase"_s, u"CGCEmpresa"_s} + description.lineKeyColumns())
                                    .join(u';'));
    m_buffer.afterInsert = [](Dataset &ds) { ZeraCamposValor(ds); };
}

QVariant SectionLines::chosenValue(const QString &chosen) const
{
    return m_description.keyIsNumber ? QVariant(chosen.trimmed().toInt()) : QVariant(chosen);
}

QVariantList SectionLines::lineKey(const DeclarationKey &key, const QString &chosen, const QString &letra) const
{
    QVariantList values{key.anoBase, key.cgcEmpresa};
    if (!m_description.directionColumn.isEmpty())
        values.append(m_direction);
    values.append(chosenValue(chosen));
    if (!m_description.regimeColumn.isEmpty())
        values.append(m_description.regimeValue);
    values.append(letra);
    return values;
}

bool SectionLines::ExisteLinha(const DeclarationKey &key, const QString &chosen, const QString &letra)
{
    if (!m_buffer.active())
        m_buffer.open();
    return m_buffer.findKey(lineKey(key, chosen, letra));
}

int SectionLines::GeraLinhas(const DeclarationKey &key, const QString &chosen, bool semMudanca)
{
    const QList<DomicilioSecao> domicilios = domiciliosDaDeclaracao(m_db, key, semMudanca);
    if (!m_buffer.active())
        m_buffer.open();
    else
        m_buffer.refresh();
    const QStringList columns = QStringList{u"AnoBase"_s, u"CGCEmpresa"_s} + m_description.lineKeyColumns();
    int criadas = 0;
    Transaction tx(m_db, {&m_buffer});
    for (const DomicilioSecao &d : domicilios) {
        if (ExisteLinha(key, chosen, d.letra))
            continue;
        m_buffer.append();
        const QVariantList values = lineKey(key, chosen, d.letra);
        for (int i = 0; i < columns.size(); ++i)
            m_buffer.fieldByName(columns.at(i))->setValue(values.at(i));
        m_buffer.fieldByName(u"CodMunicipio"_s)->setAsString(d.codigo);
        try {
            m_buffer.post();
        } catch (...) {
            m_buffer.cancel();
            throw;
        }
        ++criadas;
    }
    tx.commit();
    return criadas;
}

void SectionLines::exclui(const DeclarationKey &key, const QString &chosen)
{
    const auto run = [&] {
        Query del(m_db, u"delete from %1 where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa and %2 = :Chave"_s.arg(
                            m_description.table, m_description.keyColumn));
        bindKey(del, key);
        del.setParam(u"Chave"_s, chosenValue(chosen));
        del.execSql();
        if (!m_description.clearsOtherEntriesWithType07)
            return;
        Query restantes(m_db, u"select count(TipoEntradas) from compras where AnoBase = :AnoBase "
                              u"and CGCEmpresa = :CGCEmpresa and TipoEntradas = :Tipo"_s);
        bindKey(restantes, key);
        restantes.setParam(u"Tipo"_s, QString::fromUtf8(kTipoDiferencialAliquota));
        if (restantes.scalar().toInt() == 0) {
            Query zera(m_db, u"Update Entrada Set  OutrasEntradas = 0 where AnoBase = :AnoBase "
                             u"and CGCEmpresa = :CGCEmpresa"_s);
            bindKey(zera, key);
            zera.execSql();
        }
    };
    if (!m_description.deleteInTransaction) {
        run();
        return;
    }
    Transaction tx(m_db);
    run();
    tx.commit();
}

// ---------------------------------------------------------------------------------------------

int indiceDomicilio(const QString &letra)
{
    return letra.size() == 1 ? int(kLetras.indexOf(letra)) : -1;
}

TotaisSecao totaisPorDomicilio(Database &db, const SectionDescription &description, const DeclarationKey &key,
                               const QString &direction)
{
    const QString group = description.totalsGroupColumn;
    QStringList sums;
    for (const QString &f : description.amountFields())
        sums.append(u"sum(%1)"_s.arg(f));
    QString sql = u"select %1, TipoDomicilio, Descricao as NomMunicipio, %2 from %3, Municip "
                  u"where CodMunicipio = Codigo and AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"_s.arg(
                      group, sums.join(u", "_s), description.table);
    if (!description.directionColumn.isEmpty())
        sql += u" and %1 = :Direcao"_s.arg(description.directionColumn);
    sql += u" group by %1, TipoDomicilio, NomMunicipio order by %1, NomMunicipio"_s.arg(group);
    Query q(db, sql);
    bindKey(q, key);
    if (!description.directionColumn.isEmpty())
        q.setParam(u"Direcao"_s, direction);
    q.open();

    TotaisSecao totais;
    for (q.first(); !q.eof(); q.next()) {
        // Item 03 counts only the lines of a regime.
        if (description.totals == SectionDescription::Totals::Assign && q.field(0)->asString().isEmpty())
            continue;
        const QString letra = q.field(1)->asString();
        const int i = indiceDomicilio(letra);
        if (i < 0)
            continue;
        TotaisDomicilio &t = totais[size_t(i)];
        t.letra = letra;
        t.municipio = q.field(2)->asString();
        for (size_t v = 0; v < t.valores.size() && int(v) < sums.size(); ++v) {
            const double valor = q.field(3 + int(v))->asFloat();
            t.valores[v] = description.totals == SectionDescription::Totals::Add ? t.valores[v] + valor : valor;
        }
    }
    return totais;
}

void gravaLinha(Table &edit, const SectionDescription &description, const DeclarationKey &key,
                const QString &direction)
{
    if (!edit.editing())
        return;
    Transaction tx(edit.database(), {&edit});
    edit.fieldByName(u"AnoBase"_s)->setAsString(key.anoBase);
    edit.fieldByName(u"CGCEmpresa"_s)->setAsString(key.cgcEmpresa);
    if (!description.directionColumn.isEmpty())
        edit.fieldByName(description.directionColumn)->setAsString(direction);
    edit.post();
    tx.commit();
}

int perguntasFechamento(Database &db, Dialogs &dialogs, const QList<LinhaFechamento> &linhas)
{
    int sim = 0;
    for (const LinhaFechamento &linha : linhas) {
        Query q(db, u"select TipoRegime from Compras  Where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa "
                    u"and TipoEntradas = :Tipo Group By TipoRegime"_s);
        bindKey(q, linha.key);
        q.setParam(u"Tipo"_s, linha.tipo);
        q.open();
        bool temA = false;
        bool temB = false;
        for (q.first(); !q.eof(); q.next()) {
            const QString regime = q.field(0)->asString();
            temA = temA || regime == QLatin1String("A");
            temB = temB || regime == QLatin1String("B");
        }
        const QString tipo = linha.tipo.mid(2, 20).trimmed();
        const QString inicio = u"A empresa teve "_s + tipo + u", durante o período de enquadramento no Tipo de Regime "_s;
        if (!temA && Confirma(dialogs, inicio + u"A (Normal)?"_s))
            ++sim;
        if (!temB && Confirma(dialogs, inicio + u"B (Microempresa / Emp. de Pequeno Porte)?"_s))
            ++sim;
    }
    return sim;
}

QStringList listaCFOP(Database &db, const QString &direction, const QString &anoBase)
{
    Query q(db, u"select CFOPTipo, CFOPCod, CFOPNom from CFOP  where CFOPTipo = :Direcao order by CFOPCod"_s);
    q.setParam(u"Direcao"_s, direction);
    q.open();
    const bool antigo = anoBase.toInt() < kAnoCFOPNovos;
    const QStringList &novos = direction == QLatin1String("E") ? kCFOPNovosEntrada : kCFOPNovosSaida;
    QStringList itens;
    for (q.first(); !q.eof(); q.next()) {
        const QString codigo = q.fieldByName(u"CFOPCod"_s)->asString();
        if (antigo && novos.contains(codigo))
            continue;
        itens.append(codigo + u" - "_s + q.fieldByName(u"CFOPNom"_s)->asString());
    }
    return itens;
}

QString tituloGrupoCFOP(const QString &direction)
{
    return direction == QLatin1String("E") ? u"11 - Outras Entradas - por CFOP"_s : u"10 - Outras Saídas - por CFOP"_s;
}

void aplicaTotaisCFOP(Table &edit, const TotaisSecao &totais)
{
    static const QStringList campos{u"VlrContabil"_s, u"BaseCalculo"_s, u"Outras"_s, u"SubTributaria"_s};
    edit.disableControls();
    struct Libera {
        Table &t;
        ~Libera()
        {
            t.first();
            t.enableControls();
        }
    } libera{edit};
    for (edit.first(); !edit.eof(); edit.next()) {
        const int i = indiceDomicilio(edit.fieldByName(u"TipoDomicilio"_s)->asString());
        if (i < 0)
            continue;
        const TotaisDomicilio &t = totais[size_t(i)];
        edit.edit();
        for (int c = 0; c < campos.size(); ++c)
            edit.fieldByName(campos.at(c))->setAsFloat(t.valores[size_t(c)]);
        try {
            edit.post();
        } catch (...) {
            edit.cancel();
            throw;
        }
    }
}

} // namespace zef
