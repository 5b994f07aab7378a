#include "import/previous_import.h"

#include "engine/engine_error.h"
#include "engine/query.h"
#include "engine/table.h"
#include "engine/transaction.h"
#include "import/previous_tables.h"

namespace zef {

QString textoCaminhoNaoInformado()
{
    return QStringLiteral("Caminho do banco de dados deve ser informado!!!");
}

QString textoDadosImportados()
{
    return QStringLiteral("Dados importados com sucesso!!!");
}

QString textoErroImportacao()
{
    return QStringLiteral("Erro ao tentar importar dados ");
}

const QStringList &PreviousImport::empresaColumns()
{
    static const QStringList columns{
        QStringLiteral("InscricaoEmpresa"), QStringLiteral("CGCEmpresa"),      QStringLiteral("RazaoSocial"),
        QStringLiteral("NomeFantasia"),     QStringLiteral("Endereco"),        QStringLiteral("CodigoAtividade"),
        QStringLiteral("CodigoMunicipio"),  QStringLiteral("UF"),              QStringLiteral("CEP"),
        QStringLiteral("Senha"),
    };
    return columns;
}

const QStringList &PreviousImport::contadorColumns()
{
    static const QStringList columns{
        QStringLiteral("CPFContador"),  QStringLiteral("CRCContador"),      QStringLiteral("NomeContador"),
        QStringLiteral("FoneContador"), QStringLiteral("EnderecoContador"),
    };
    return columns;
}

PreviousImport::PreviousImport(Database &db) : m_db(db) {}

PreviousImportCount PreviousImport::importFolder(const QString &folder)
{
    const std::unique_ptr<PreviousTables> tables = openPreviousTables(folder);
    return importFrom(*tables);
}

PreviousImportCount PreviousImport::importFrom(PreviousTables &tables)
{
    m_added = {};
    copy(tables, QStringLiteral("Empresa.DB"), empresaColumns(), m_added.empresas);
    copy(tables, QStringLiteral("Contador.DB"), contadorColumns(), m_added.contadores);
    return m_added;
}

void PreviousImport::copy(PreviousTables &tables, const QString &table, const QStringList &columns, int &added)
{
    const QList<QVariantList> rows = tables.rows(table, columns);

    // The current table without the data module's rules: only the engine's checks apply. It is
    // seen through its key: a one-row query holds the key looked up and the table, restricted to
    // the rows of that key, shows whether it is there and takes the new row. Every look-up and
    // every store then reads one row, however long the register.
    Query chave(m_db, QStringLiteral("select :Chave as %1").arg(columns.first()));
    chave.setParam(QStringLiteral("Chave"), QVariant());
    chave.open();
    Table destino(m_db, table);
    destino.setMasterSource(&chave, columns.first());
    destino.open();
    QList<Field *> fields;
    for (const QString &column : columns)
        fields.append(destino.fieldByName(column));

    // One transaction for the table keeps a long register from waiting on the disk row after
    // row; a refused row commits the rows stored before it, which stay as if each had been
    // stored on its own.
    Transaction transacao(m_db, {&destino});
    for (const QVariantList &row : rows) {
        // The key as the current column stores it (cut to its width) is the one looked up.
        chave.setParam(QStringLiteral("Chave"), row.first());
        chave.refresh();
        if (!destino.isEmpty())
            continue;
        destino.append();
        try {
            for (int i = 0; i < fields.size(); ++i)
                fields[i]->setValue(row.at(i));
            destino.post();
        } catch (const EngineError &) {
            destino.cancel();
            transacao.commit();
            throw;
        }
        ++added;
    }
    transacao.commit();
}

} // namespace zef
