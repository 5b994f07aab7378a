#include "data/record_routines.h"

#include "data/declaration_key.h"
#include "engine/database.h"
#include "engine/dataset.h"
#include "engine/query.h"

#include <QLocale>

namespace zef {

namespace {

// The day the program's dates count from; an empty date shows as this day.
QDate dataVazia()
{
    return QDate(1899, 12, 30);
}

QString descricao(Database &db, const QString &anoBase, const QString &cgcEmpresa, const QString &letter,
                  const char *dateColumn, bool emptyWhenMissing)
{
    Query q(db);
    q.addLine(QStringLiteral("Select TipoDomicilio,DataDRFAntI,DataDRFAntF,Descricao From  ZefMunAnterior,Municip   "
                             "Where AnoBase = :AnoBase "));
    q.addLine(QStringLiteral("And CGCEmpresa = :CGCEmpresa "));
    q.addLine(QStringLiteral("And TipoDomicilio  = :TipoDomicilio "));
    q.addLine(QStringLiteral("And CodMunicipioAnt = Codigo "));
    bindKey(q, {anoBase, cgcEmpresa});
    q.setParam(QStringLiteral("TipoDomicilio"), letter);
    q.open();
    if (q.isEmpty() && emptyWhenMissing)
        return QString();
    QDate date;
    QString name;
    if (!q.isEmpty()) {
        date = q.fieldByName(QLatin1String(dateColumn))->asDate();
        name = q.fieldByName(QStringLiteral("Descricao"))->asString().trimmed();
    }
    return textoDataDomicilio(date) + QLatin1Char('"') + letter + QStringLiteral("\" ") + name;
}

} // namespace

void ZeraCamposValor(Dataset &record)
{
    for (Field *f : record.fields())
        if (f->kind() == FieldKind::Data && f->dataType() == FieldType::Float && f->isNull())
            f->setAsFloat(0.0);
}

void AtualizaDataDeclaracao(Database &db, const QString &anoBase, const QString &cgcEmpresa, const QDate &today)
{
    Query q(db);
    q.addLine(QStringLiteral("Update ZEF  Set DataDeclaracao = :DataDeclaracao  where  AnoBase = :AnoBase"));
    q.addLine(QStringLiteral(" and CGCEmpresa = :CGCEmpresa"));
    q.setParamDate(QStringLiteral("DataDeclaracao"), today);
    bindKey(q, {anoBase, cgcEmpresa});
    q.execSql();
}

QString DescreveDomicilio(Database &db, const QString &anoBase, const QString &cgcEmpresa, const QString &letter)
{
    return descricao(db, anoBase, cgcEmpresa, letter, "DataDRFAntI", false);
}

QString DescreveDomicilioB(Database &db, const QString &anoBase, const QString &cgcEmpresa)
{
    return descricao(db, anoBase, cgcEmpresa, QStringLiteral("B"), "DataDRFAntF", true);
}

QString textoDataDomicilio(const QDate &date)
{
    return (date.isValid() ? date : dataVazia()).toString(QStringLiteral("dd/MM/yyyy"));
}

QString textoCFOP(int code)
{
    if (code == 0)
        return QString();
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(code);
}

} // namespace zef
