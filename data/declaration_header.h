#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

namespace zef {

class Database;
class Dataset;
class Dialogs;
class TfDmDados;

// The rules of the declaration header window that do not need its widgets: what it offers for a
// base year, what it checks before storing, and the statements that store, delete and clean up a
// declaration.

// One choice of a radio group: its caption and the code stored for it.
struct ItemEscolha {
    QString rotulo;
    QString valor;
    friend bool operator==(const ItemEscolha &, const ItemEscolha &) = default;
};

// The purposes a declaration of the base year may have ("2.6 - FINALIDADE").
QList<ItemEscolha> itensFinalidade(const QString &anoBase);
// The tax regimes open to the base year; the simplified national regime ended with 2013.
QList<ItemEscolha> itensRegime(const QString &anoBase);

// Why a base year cannot be used, or nothing when it can. Years are compared as four-character texts.
std::optional<QString> recusaAnoBase(const QString &anoBase);

// The activity code a declaration of the base year carries for the taxpayer's code: up to 2009
// the declaration knows only the older classification, in which some codes were one.
QString atividadeDoAnoBase(const QString &anoBase, const QString &codigoContribuinte);

// One filled row of the domicile display ("2.2"): dates as shown, "dd/mm/yyyy".
struct DomicilioExibido {
    QChar letra;
    QString municipio;
    QString inicio;
    QString fim;
};

// The domiciles of a declaration whose municipality is known, letters "A" to "E" only, as stored.
QList<DomicilioExibido> domiciliosExibidos(Database &db, const QString &anoBase, const QString &inscricao);

// The controls the store checks lead back to.
enum class CampoCabecalho {
    Nenhum,
    UF,
    Escrituracao,
    TipoEstabelecimento,
    Finalidade,
    CaixaInicial,
    CaixaFinal,
    PatrimonioLiquido,
    Regime,
};

struct RecusaCabecalho {
    QString mensagem;
    CampoCabecalho campo;
};

// The checks before a header is stored, in order; the first failure, or nothing. `zef` is the
// header row as keyed, `ufMostrada` the taxpayer's state as shown, `regimeEscolhido` whether a
// regime item is selected.
std::optional<RecusaCabecalho> verificaCabecalho(Database &db, const Dataset &zef, const QString &ufMostrada,
                                                 bool regimeEscolhido);

// Stores the header row being edited or inserted in one transaction; a rule that abandons the
// store leaves the row in edit with the user's input and returns false. Errors roll back and
// propagate.
bool gravaCabecalho(TfDmDados &dm);

// Deletes the current declaration (every section, the domiciles and the header row) in one
// transaction and says so. Asks nothing: the window confirms first.
void excluiDeclaracao(TfDmDados &dm);

// Removes the earlier domiciles of the current declaration and every section line kept for them,
// in one transaction, after the user answered that the domicile did not change.
void excluiDomiciliosAnteriores(TfDmDados &dm);

} // namespace zef
