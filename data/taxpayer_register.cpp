#include "data/taxpayer_register.h"

#include "data/identifier_checks.h"
#include "data/lookups.h"
#include "data/text_routines.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"

namespace zef {

using namespace Qt::StringLiterals;

namespace {

QString texto(const Dataset &ds, const QString &campo)
{
    return ds.fieldByName(campo)->asString();
}

// The statement is built as text; a quote inside a value must not end it early.
QString entreAspas(const QString &valor)
{
    QString dobrado = valor;
    dobrado.replace(u'\'', u"''"_s);
    return u"'"_s + dobrado + u"'"_s;
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

QString textoAtualizaAtividade(const QString &codigoAtividade, const QString &inscricao)
{
    return u"Update zef set codigoatividade = "_s + entreAspas(codigoAtividade) + u" where cgcempresa = "_s
        + entreAspas(inscricao);
}

bool gravaContribuinte(Database &db, Table &empresa)
{
    db.startTransaction();
    try {
        empresa.post();
        Query atualiza(db, textoAtualizaAtividade(texto(empresa, u"CodigoAtividade"_s),
                                                  texto(empresa, u"InscricaoEmpresa"_s)));
        atualiza.execSql();
        db.commit();
        return true;
    } catch (...) {
        db.rollback();
        return false;
    }
}

} // namespace zef
