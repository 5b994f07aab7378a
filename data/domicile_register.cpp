#include "data/domicile_register.h"

#include "data/data_module.h"
#include "data/dialogs.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"

namespace zef {

using namespace Qt::StringLiterals;

namespace {

void bindKey(Query &q, const QString &anoBase, const QString &cgcEmpresa)
{
    q.setParam(u"AnoBase"_s, anoBase);
    q.setParam(u"CGCEmpresa"_s, cgcEmpresa);
}

} // namespace

int contaDomicilios(Database &db, const QString &anoBase, const QString &cgcEmpresa)
{
    Query q(db);
    q.addLine(u"Select count(*) from ZefMunAnterior where  AnoBase = :AnoBase"_s);
    q.addLine(u" and CGCEmpresa = :CGCEmpresa"_s);
    bindKey(q, anoBase, cgcEmpresa);
    return q.scalar().toInt();
}

QString letraDomicilio(int stored)
{
    static const QString letters = u"ABCDE"_s;
    if (stored < 0 || stored >= letters.size())
        return QString();
    return letters.mid(stored, 1);
}

bool gravaDomicilio(TfDmDados &dm)
{
    Table &domicilio = dm.tbDomicilio;
    if (!domicilio.active() || !domicilio.editing())
        return false;
    Database &db = dm.dtbBaseDados;
    db.startTransaction();
    try {
        domicilio.fieldByName(u"AnoBase"_s)->setAsString(dm.anoBase());
        domicilio.fieldByName(u"CGCEmpresa"_s)->setAsString(dm.cgcEmpresa());
        domicilio.post();
        db.commit();
        return true;
    } catch (...) {
        // The rule that refused has said why; anything else stays unsaid as well.
        try {
            db.rollback();
            // A failure after the row went in (the stamp, the commit) leaves the table showing a
            // row the rollback took away.
            if (domicilio.active() && !domicilio.editing())
                domicilio.refresh();
        } catch (...) {
        }
        return false;
    }
}

QStringList comandosExclusaoDomicilios()
{
    // The statements keep their text as it has always been written, two spaces after "from"
    // before Operacoes and CFOPOperacoes included.
    const QStringList tables{u"ZefMunAnterior"_s,    u"Compras"_s,  u" Operacoes"_s, u" CFOPOperacoes"_s,
                             u"ProdutosDiferidos"_s, u"ProdutosDiferidosNotas"_s,  u"Entrada"_s,
                             u"Saidas"_s,            u"SaidasMun"_s, u"Vendas"_s};
    QStringList statements;
    for (const QString &table : tables)
        statements.append(u"delete from "_s + table + u" where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"_s);
    return statements;
}

void excluiDomicilios(TfDmDados &dm, Dialogs &dialogs)
{
    Database &db = dm.dtbBaseDados;
    const QString anoBase = dm.anoBase();
    const QString cgcEmpresa = dm.cgcEmpresa();
    db.startTransaction();
    try {
        for (const QString &statement : comandosExclusaoDomicilios()) {
            Query q(db, statement);
            bindKey(q, anoBase, cgcEmpresa);
            q.execSql();
        }
        if (dm.tbDomicilio.active())
            dm.tbDomicilio.refresh();
        db.commit();
    } catch (...) {
        db.rollback();
        // The rows read inside the undone transaction are gone from the database's view again.
        if (dm.tbDomicilio.active())
            dm.tbDomicilio.refresh();
        throw;
    }
    // Said once committed, so that a failed commit is never reported as done.
    Mensagem(dialogs, u"Registros excluídos com sucesso!"_s);
}

} // namespace zef
