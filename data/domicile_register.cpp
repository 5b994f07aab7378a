#include "data/domicile_register.h"

#include "data/data_module.h"
#include "data/dialogs.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"
#include "engine/transaction.h"

namespace zef {

using namespace Qt::StringLiterals;

int contaDomicilios(Database &db, const QString &anoBase, const QString &cgcEmpresa)
{
    Query q(db);
    q.addLine(u"Select count(*) from ZefMunAnterior where  AnoBase = :AnoBase"_s);
    q.addLine(u" and CGCEmpresa = :CGCEmpresa"_s);
    bindKey(q, {anoBase, cgcEmpresa});
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
    try {
        // A failure after the row went in (the stamp, the commit) leaves the table showing a
        // row the rollback took away: it is read again.
        Transaction transaction(db, {&domicilio});
        domicilio.fieldByName(u"AnoBase"_s)->setAsString(dm.anoBase());
        domicilio.fieldByName(u"CGCEmpresa"_s)->setAsString(dm.cgcEmpresa());
        domicilio.post();
        transaction.commit();
        return true;
    } catch (const SilentAbort &) {
        // The rule that refused has said why.
        return false;
    } catch (const EngineError &e) {
        // A second row with a stored domicile's key is refused without a word, as a refusal is;
        // anything else is an error the user must see.
        if (!isKeyViolation(e))
            throw;
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
    {
        // The rows read inside an undone transaction are read again.
        Transaction transaction(db, {&dm.tbDomicilio});
        for (const QString &statement : comandosExclusaoDomicilios()) {
            Query q(db, statement);
            bindKey(q, {anoBase, cgcEmpresa});
            q.execSql();
        }
        if (dm.tbDomicilio.active())
            dm.tbDomicilio.refresh();
        transaction.commit();
    }
    // Said once committed, so that a failed commit is never reported as done.
    Mensagem(dialogs, u"Registros excluídos com sucesso!"_s);
}

} // namespace zef
