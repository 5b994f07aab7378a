#pragma once

#include <QString>
#include <QStringList>

namespace zef {

class Database;
class PreviousTables;

// How many rows the import added to each register.
struct PreviousImportCount {
    int empresas = 0;     // taxpayers
    int contadores = 0;   // accountants
};

// The registers that do not change from year to year, copied from an earlier installation:
// the taxpayers of `Empresa.DB`, then the accountants of `Contador.DB`. Each row of the earlier
// table, in its key order, is looked up by its key in the current table and appended when it is
// not there; rows already there keep the current data. Only the copied columns are written and
// only the engine's own checks apply (a text longer than its column is cut).
//
// Every row is stored on its own: an error (a missing folder, table or column, a row the current
// table refuses) ends the import with an EngineError, and the rows stored before it stay.
class PreviousImport
{
public:
    explicit PreviousImport(Database &db);

    // Reads the earlier installation in folder (see openPreviousTables).
    PreviousImportCount importFolder(const QString &folder);
    PreviousImportCount importFrom(PreviousTables &tables);

    // The rows added so far, also after a failure.
    const PreviousImportCount &added() const { return m_added; }

    // The copied columns of each register, the key first.
    static const QStringList &empresaColumns();
    static const QStringList &contadorColumns();

private:
    void copy(PreviousTables &tables, const QString &table, const QStringList &columns, int &added);

    Database &m_db;
    PreviousImportCount m_added;
};

// The window's and the command's texts.
QString textoCaminhoNaoInformado();   // "Caminho do banco de dados deve ser informado!!!"
QString textoDadosImportados();       // "Dados importados com sucesso!!!"
QString textoErroImportacao();        // "Erro ao tentar importar dados "

} // namespace zef
