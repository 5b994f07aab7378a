#include "data/taxpayer_register.h"

#include "data/identifier_checks.h"
#include "data/lookups.h"
#include "data/text_routines.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"
#include "engine/transaction.h"

#include <QStringList>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

QString texto(const Dataset &ds, const QString &campo)
{
    return ds.fieldByName(campo)->asString();
}

} // namespace

std::optional<RecusaCadastro> verificaContribuinte(Database &db, const Dataset &empresa)
{
    const QString cgc = texto(empresa, u"CGCEmpresa"_s);
    // A run of one digit passes the check-digit test, so it is turned away first.
    if (DigitosIguais(cgc))
        return RecusaCadastro{u"Não é válido sequência de número iguais!"_s, u"CGCEmpresa"_s};
    if (!ValidaCGCCPF(cgc, true) && !ValidaCGCCPF(cgc, false))
        return RecusaCadastro{u"CNPJ ou CPF inválido!"_s, u"CGCEmpresa"_s};
    if (texto(empresa, u"RazaoSocial"_s).trimmed().isEmpty())
        return RecusaCadastro{u"A Razão Social deve ser informada!"_s, u"RazaoSocial"_s};
    if (!ValidaIE(texto(empresa, u"InscricaoEmpresa"_s)))
        return RecusaCadastro{u"Inscrição Estadual inválida!"_s, u"InscricaoEmpresa"_s};
    if (texto(empresa, u"NomeFantasia"_s).trimmed().isEmpty())
        return RecusaCadastro{u"O Nome Fantasial deve ser informado!"_s, u"NomeFantasia"_s};
    if (texto(empresa, u"Endereco"_s).trimmed().isEmpty())
        return RecusaCadastro{u"O Endereço deve ser informado!"_s, u"Endereco"_s};
    if (texto(empresa, u"CEP"_s).trimmed().size() != 8)
        return RecusaCadastro{u"Tamanho do CEP inválido!"_s, u"CEP"_s};
    if (!ExisteAtividade(db, texto(empresa, u"CodigoAtividade"_s)))
        return RecusaCadastro{u"Código da atividade econômica inválido!"_s, u"CodigoAtividade"_s};
    if (!ValidaUF(texto(empresa, u"UF"_s)))
        return RecusaCadastro{u"UF inválida!"_s, u"UF"_s};
    if (texto(empresa, u"Senha"_s).trimmed().isEmpty())
        return RecusaCadastro{u"Senha do contribuinte deve ser informada!"_s, u"Senha"_s};
    return std::nullopt;
}

std::optional<QString> recusaExclusaoContribuinte(Database &db, const QString &inscricao)
{
    Query q(db, u"select AnoBase from Zef where CGCEmpresa = :CGCEmpresa order by AnoBase"_s);
    q.setParam(u"CGCEmpresa"_s, inscricao);
    QStringList anos;
    for (q.open(); !q.eof(); q.next())
        anos.append(q.fieldByName(u"AnoBase"_s)->asString().trimmed());
    if (anos.isEmpty())
        return std::nullopt;
    QString lista = anos.last();
    if (anos.size() > 1)
        lista = anos.mid(0, anos.size() - 1).join(u", "_s) + u" e "_s + lista;
    const bool uma = anos.size() == 1;
    return u"O contribuinte não pode ser excluído: possui %1 %2 (%3 %4). Exclua %5 antes, no Cadastro do ZEF."_s
        .arg(anos.size())
        .arg(uma ? u"declaração"_s : u"declarações"_s, uma ? u"ano base"_s : u"anos base"_s, lista,
             uma ? u"a declaração"_s : u"as declarações"_s);
}

QString textoAtualizaAtividade()
{
    return u"Update zef set codigoatividade = :CodigoAtividade where cgcempresa = :CGCEmpresa"_s;
}

bool gravaContribuinte(Database &db, Table &empresa)
{
    try {
        Transaction transaction(db);
        empresa.post();
        Query atualiza(db, textoAtualizaAtividade());
        atualiza.setParam(u"CodigoAtividade"_s, texto(empresa, u"CodigoAtividade"_s));
        atualiza.setParam(u"CGCEmpresa"_s, texto(empresa, u"InscricaoEmpresa"_s));
        atualiza.execSql();
        transaction.commit();
        return true;
    } catch (const SilentAbort &) {
        return false;
    } catch (const EngineError &e) {
        // A registration number that is already there is undone without a word, the record
        // left as keyed; anything else is an error the user must see.
        if (!isKeyViolation(e))
            throw;
        return false;
    }
}

} // namespace zef
