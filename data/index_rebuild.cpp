#include "data/index_rebuild.h"

#include "data/catalogue.h"
#include "data/index_list.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/transaction.h"

#include <QDir>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

// Gives back the arrow and closes the gauge however the rebuild leaves, so that a table that cannot
// be opened does not leave the hourglass behind for the error box.
class UiGuard
{
public:
    explicit UiGuard(ReIndexUi &ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~UiGuard() { release(); }
    UiGuard(const UiGuard &) = delete;
    UiGuard &operator=(const UiGuard &) = delete;

    void progressShown() { m_progress = true; }
    void release()
    {
        if (m_progress)
            m_ui.closeProgress();
        if (m_busy)
            m_ui.setBusy(false);
        m_progress = false;
        m_busy = false;
    }

private:
    ReIndexUi &m_ui;
    bool m_progress = false;
    bool m_busy = true;
};

QString indexLabel(const IndexDef &index)
{
    return index.isPrimary() ? u"a chave primária (%1)"_s.arg(index.fields.join(u';'))
                             : u"o índice %1 (%2)"_s.arg(index.name, index.fields.join(u';'));
}

[[noreturn]] void refuse(const QString &what)
{
    throw EngineError(what + u" Nenhum índice foi alterado."_s);
}

} // namespace

QString textoFimReindexacao()
{
    return u"Programa será encerrado para concluir a atualização dos índices!"_s;
}

TReIndex::TReIndex(ReIndexUi &ui) : m_ui(ui) {}

void TReIndex::Reindexa()
{
    if (!DataBaseName)
        throw EngineError(u"Reindexação sem banco de dados."_s);
    Database &db = *DataBaseName;
    const QList<TableDef> &tables = tableCatalogue();

    UiGuard guard(m_ui);
    db.disconnect();
    db.connect();

    int total = 0;
    for (const TableDef &table : tables)
        total += int(table.indexes.size());
    if (ShowProgresso) {
        m_ui.showProgress(total);
        guard.progressShown();
    }

    // Every index the program needs is dropped and made again inside one transaction: a table that is
    // missing or a key that its rows no longer satisfy undoes the whole rebuild, so the database keeps
    // the indexes it had rather than losing them.
    Transaction transaction(db);
    int done = 0;
    for (const TableDef &table : tables) {
        const QString stored = db.storedTableName(table.sqlName());
        if (stored.isEmpty())
            refuse(u"A tabela %1 não existe no banco de dados %2. Restaure uma cópia de segurança da pasta Db."_s
                       .arg(table.fileName, QDir::toNativeSeparators(db.filePath())));
        for (const IndexDef &index : db.indexes(stored))
            db.deleteIndex(stored, index.name);
        for (const IndexDef &index : primaryFirst(table.indexes)) {
            try {
                db.addIndex(stored, index);
            } catch (const EngineError &e) {
                const QString reason = isKeyViolation(e)
                    ? u"há registros repetidos na chave; corrija ou exclua os repetidos e reindexe de novo."_s
                    : e.message();
                refuse(u"Não foi possível recriar %1 da tabela %2: %3"_s.arg(indexLabel(index), table.fileName,
                                                                              reason));
            }
            ++done;
            if (ShowProgresso)
                m_ui.setProgress(done);
        }
    }
    transaction.commit();

    // The list beside the program is rewritten from the same definitions, whatever it held before.
    if (!ArquivoINI.isEmpty())
        writeIndexList(ArquivoINI, tables);

    guard.release();
    m_ui.showEndMessage(textoFimReindexacao());
    m_ui.endProgram();
}

} // namespace zef
