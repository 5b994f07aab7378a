// Record rules of the declaration header, Zef.DB.

#include "data/data_module.h"
#include "data/declaration_header.h"
#include "data/dialogs.h"
#include "data/field_edit.h"
#include "data/record_routines.h"
#include "data/text_routines.h"
#include "engine/transaction.h"

#include <QDate>
#include <QHash>

namespace zef {

namespace {

// An edit showing the empty date mask "  /  /    " (or nothing at all).
bool showsEmptyDate(const FieldEdit &edit)
{
    return SoDigitos(edit.text()).isEmpty();
}

void setDate(Field *field, const QString &shown)
{
    const std::optional<QDate> date = TextoParaData(shown);
    field->setAsDate(date ? *date : QDate());
}

} // namespace

void TfDmDados::attachHeaderRules()
{
    tbZEF.afterInsert = [this](Dataset &ds) { tbZEFAfterInsert(ds); };
    tbZEF.beforePost = [this](Dataset &ds) { tbZEFBeforePost(ds); };
    tbZEF.afterPost = [this](Dataset &ds) { tbZEFAfterPost(ds); };
    tbZEF.onPostError = [this](Dataset &, const EngineError &e, Dataset::PostAction &action) {
        registroDuplicado(e, action);
    };
    // The header window shows the domiciles of the current declaration: it fills them again
    // whenever another declaration becomes current and after every store.
    const Dataset::Event refill = [this](Dataset &) { refillHeader(); };
    tbZEF.afterOpen = refill;
    tbZEF.afterScroll = refill;
    tbZEF.afterCancel = refill;
    tbZEF.afterDelete = refill;
}

void TfDmDados::refillHeader()
{
    if (fCadZEF && tbZEF.active())
        fCadZEF->refillDomicileDisplay();
}

void TfDmDados::tbZEFAfterInsert(Dataset &ds)
{
    ds.fieldByName(QStringLiteral("Retificacao"))->setAsString(QStringLiteral("N"));
    ds.fieldByName(QStringLiteral("Finalidade"))->setAsString(QStringLiteral("1"));
    ds.fieldByName(QStringLiteral("RegimeApuracao"))->setAsString(QStringLiteral("3"));
}

void TfDmDados::periodFromDomiciles(Dataset &ds)
{
    // The dates as the header window shows them; with the window closed, as it would show
    // them (the stored domiciles of the declaration).
    QHash<QChar, std::pair<QString, QString>> shown;
    if (fCadZEF) {
        for (const QChar letter : QStringLiteral("ABCDE"))
            shown.insert(letter, {fCadZEF->domicileStart(letter), fCadZEF->domicileEnd(letter)});
    } else {
        for (const DomicilioExibido &d : domiciliosExibidos(dtbBaseDados, ds.fieldByName(QStringLiteral("AnoBase"))->asString(),
                                                             ds.fieldByName(QStringLiteral("CGCEmpresa"))->asString()))
            shown.insert(d.letra, {d.inicio, d.fim});
    }

    Field *start = ds.fieldByName(QStringLiteral("PeriodoRefInicio"));
    Field *end = ds.fieldByName(QStringLiteral("PeriodoRefFinal"));
    const auto current = shown.value(u'A');
    if (semMudancaDomicilio()) {
        setDate(start, current.first);
        setDate(end, current.second);
        return;
    }
    setDate(end, current.second);
    // The period starts with the oldest earlier domicile shown.
    for (const QChar letter : QStringLiteral("EDCB")) {
        const QString first = shown.value(letter).first;
        if (!first.trimmed().isEmpty()) {
            setDate(start, first);
            break;
        }
    }
}

void TfDmDados::tbZEFBeforePost(Dataset &ds)
{
    periodFromDomiciles(ds);

    const int year = ds.fieldByName(QStringLiteral("AnoBase"))->asString().trimmed().toInt();
    const QDate start = ds.fieldByName(QStringLiteral("PeriodoRefInicio"))->asDate();
    const QDate end = ds.fieldByName(QStringLiteral("PeriodoRefFinal"))->asDate();
    const bool startShown = fCadZEF ? !showsEmptyDate(fCadZEF->periodStartEdit()) : start.isValid();
    if (startShown && start.year() != year) {
        Mensagem(m_dialogs, QStringLiteral("O Período Inicial de referência é diferente do Ano Base!"));
        if (fCadZEF)
            fCadZEF->periodStartEdit().focus();
        throw SilentAbort();
    }
    const bool endShown = fCadZEF ? !showsEmptyDate(fCadZEF->periodEndEdit()) : end.isValid();
    if (endShown && end.year() != year) {
        Mensagem(m_dialogs, QStringLiteral("O período final de referência é diferente do Ano Base!"));
        if (fCadZEF)
            fCadZEF->periodEndEdit().focus();
        throw SilentAbort();
    }

    if (ds.fieldByName(QStringLiteral("AnoBase"))->asString() < QLatin1String("2007"))
        recusa(QStringLiteral("Ano Base deve ser maior que a 2007!"));

    rememberStoredKey(ds);
}

void TfDmDados::tbZEFAfterPost(Dataset &ds)
{
    // The simplified regime does not declare some values: they are cleared in every section
    // of the declaration once its header is stored under that regime. Done after the store,
    // so that a refused or failed store leaves the sections untouched.
    if (ds.fieldByName(QStringLiteral("RegimeApuracao"))->asString() == QLatin1String("4")) {
        const Key key = m_storedKeys.value(&ds, chaveDoRegistro(ds));
        clearSimplesValues(key.anoBase, key.cgcEmpresa);
    }
    stamp(ds);
    refillHeader();
}

void TfDmDados::clearSimplesValues(const QString &year, const QString &registration)
{
    static const char *const statements[] = {
        "Update   compras Set  BaseCalculo = 0, Outras = 0 ",
        "Update   Entrada Set  BaseCalculoEntrada = 0, OutrasEntradas = 0 ",
        "Update   Vendas Set  BaseCalculo = 0, Outras = 0 ",
        "Update   Saidas Set  BaseCalcSaidaNContrib = 0, BaseCalcSaidaContrib = 0, OutrasSaidas = 0 ",
        "Update   Estoque Set  EstoqueInicialIsento = 0, EstoqueFinalIsento = 0  ",
    };
    // Joins the store's transaction when the header row is being stored in one.
    Transaction transaction(dtbBaseDados);
    for (const char *statement : statements) {
        Query q(dtbBaseDados);
        q.addLine(QString::fromLatin1(statement));
        q.addLine(QStringLiteral("where AnoBase = :AnoBase"));
        q.addLine(QStringLiteral(" and CGCEmpresa = :CGCEmpresa"));
        bindKey(q, {year, registration});
        q.execSql();
    }
    transaction.commit();
}

} // namespace zef
