#pragma once

#include <QList>
#include <QString>

namespace zef {

class Database;

// What the index rebuild shows while it runs and how it ends the program. The program shows the
// progress window and a message box; the command line and the tests print or record.
class ReIndexUi
{
public:
    virtual ~ReIndexUi() = default;

    // The hourglass, for the whole rebuild.
    virtual void setBusy(bool /*busy*/) {}
    // The gauge, from 0 to total; shown only when the rebuild is asked to show its progress.
    virtual void showProgress(int /*total*/) {}
    virtual void setProgress(int /*position*/) {}
    virtual void closeProgress() {}

    // The closing message (one button OK), then the end of the program.
    virtual void showEndMessage(const QString &text) = 0;
    virtual void endProgram() = 0;
};

// "Programa será encerrado para concluir a atualização dos índices!"
QString textoFimReindexacao();

// The index rebuild: drops every index of the database and adds again, one by one, those listed in
// the index list file ("Zef.ini"); then tells the user and ends the program. The component of the
// data module keeps only its three properties.
class TReIndex
{
public:
    explicit TReIndex(ReIndexUi &ui);

    Database *DataBaseName = nullptr;   // the database whose tables are rebuilt
    bool ShowProgresso = false;         // show the gauge while rebuilding
    QString ArquivoINI;                 // full name of the index list file

    // Rebuilds and ends the program through the ui (it comes back only when the ui's endProgram
    // does). An index that cannot be added is skipped; a table that cannot be opened stops the
    // rebuild with an EngineError, leaving the indexes already added in place.
    void Reindexa();

    // Entry numbers (from 1) whose index could not be added in the last run.
    const QList<int> &entradasIgnoradas() const { return m_ignoradas; }

private:
    ReIndexUi &m_ui;
    QList<int> m_ignoradas;
};

} // namespace zef
