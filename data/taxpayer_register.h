#pragma once

#include <QString>

#include <optional>

namespace zef {

class Database;
class Dataset;
class Table;

// Why a register refuses to store its record: the message for the user and the field whose
// control takes the focus.
struct RecusaCadastro {
    QString mensagem;
    QString campo;
    friend bool operator==(const RecusaCadastro &, const RecusaCadastro &) = default;
};

// The checks of the taxpayer register (Empresa.DB) on the record being edited, in the order the
// user meets them; the first that fails is returned. Nothing when the record may be stored.
std::optional<RecusaCadastro> verificaContribuinte(Database &db, const Dataset &empresa);

// Stores the taxpayer and gives every declaration of it, of any base year, its activity code, in
// one transaction. A refusal or a duplicate registration number rolls everything back without
// a word and leaves the record as keyed; the answer is then false. Any other failure is rolled
// back and raised.
bool gravaContribuinte(Database &db, Table &empresa);

// Why the taxpayer with that registration number may not be deleted: its declarations would be
// left naming nobody (no cover, no export). The message names how many there are and of which
// base years; nothing when it has none.
std::optional<QString> recusaExclusaoContribuinte(Database &db, const QString &inscricao);

// The statement that carries the taxpayer's activity code into its declarations; the code and
// the registration number are bound as :CodigoAtividade and :CGCEmpresa.
QString textoAtualizaAtividade();

} // namespace zef
