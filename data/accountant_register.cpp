#include "data/accountant_register.h"

#include "data/identifier_checks.h"
#include "data/text_routines.h"
#include "engine/dataset.h"

namespace zef {

using namespace Qt::StringLiterals;

std::optional<RecusaCadastro> verificaContador(const Dataset &contador)
{
    const auto texto = [&contador](const QString &campo) { return contador.fieldByName(campo)->asString(); };

    const QString cpf = texto(u"CPFContador"_s);
    // A run of one digit passes the check-digit test, so it is turned away first.
    if (DigitosIguais(cpf))
        return RecusaCadastro{u"Não é válido sequência de número iguais!"_s, u"CPFContador"_s};
    if (!ValidaCGCCPF(cpf, false))
        return RecusaCadastro{u"CPF inválido!"_s, u"CPFContador"_s};
    if (texto(u"CRCContador"_s).trimmed().isEmpty())
        return RecusaCadastro{u"CRC deve ser informado!"_s, u"CRCContador"_s};
    const QString nome = texto(u"NomeContador"_s);
    if (nome.trimmed().isEmpty())
        return RecusaCadastro{u"Nome deve ser informado!"_s, u"NomeContador"_s};
    if (ContaPalavras(nome) <= 1)
        return RecusaCadastro{u"Nome do contabilista  deve ter duas ou mais palavras!"_s, u"NomeContador"_s};
    if (texto(u"EnderecoContador"_s).trimmed().isEmpty())
        return RecusaCadastro{u"Endereço deve ser informado!"_s, u"EnderecoContador"_s};
    if (texto(u"FoneContador"_s).trimmed().isEmpty())
        return RecusaCadastro{u"Telefone deve ser informado!"_s, u"FoneContador"_s};
    return std::nullopt;
}

} // namespace zef
