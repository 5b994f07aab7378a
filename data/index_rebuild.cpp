#include "data/index_rebuild.h"

#include "data/index_list.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/table.h"

#include <QFileInfo>

#include <algorithm>

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

bool hasPrimaryIndex(const QList<IndexDef> &indexes)
{
    return std::any_of(indexes.begin(), indexes.end(), [](const IndexDef &i) { return i.isPrimary(); });
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
    m_ignoradas.clear();

    UiGuard guard(m_ui);
    db.disconnect();

    // The indexes live inside the database file, so dropping them takes a connection. A missing
    // folder has no index to lose; the first table of the list then reports it.
    if (QFileInfo(db.param(u"PATH"_s)).isDir()) {
        db.connect();
        db.dropAllIndexes();
    }

    const int total = int(readIndexList(ArquivoINI).size());
    if (ShowProgresso) {
        m_ui.showProgress(total);
        guard.progressShown();
    }

    // The list is read again before each entry, as the profile functions would read it.
    QString previousTable;
    for (int i = 1;; ++i) {
        const QList<IndexListEntry> entries = readIndexList(ArquivoINI);
        if (i > entries.size())
            break;
        const IndexListEntry &entry = entries.at(i - 1);

        if (!db.connected())
            db.connect();
        Table table(db, entry.table);
        table.setExclusive(true);
        table.open();
        table.updateIndexDefs();

        // A table starts over from its primary key: the list names it first.
        if (entry.table.compare(previousTable, Qt::CaseInsensitive) != 0 && hasPrimaryIndex(table.indexDefs()))
            table.deleteIndex(QString());

        bool added = true;
        try {
            const QString fields = entry.fields.join(u';');
            if (entry.index.isEmpty())
                table.addIndex(QString(), fields, true, false);
            else
                table.addIndex(entry.index, fields, false, true);
        } catch (const EngineError &) {
            added = false;
        }
        table.close();
        previousTable = entry.table;

        if (!added)
            m_ignoradas.append(i);
        else if (ShowProgresso)
            m_ui.setProgress(i);
    }

    guard.release();
    m_ui.showEndMessage(textoFimReindexacao());
    m_ui.endProgram();
}

} // namespace zef
