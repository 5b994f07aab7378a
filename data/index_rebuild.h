#pragma once

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

// The index rebuild: makes again every index that the table catalogue defines, in one transaction,
// writes the index list file ("Zef.ini") anew from the same definitions, then tells the user and
// ends the program. The component of the data module keeps only its three properties.
class TReIndex
{
public:
    explicit TReIndex(ReIndexUi &ui);

    Database *DataBaseName = nullptr;   // the database whose tables are rebuilt
    bool ShowProgresso = false;         // show the gauge while rebuilding
    QString ArquivoINI;                 // full name of the index list file, written after the rebuild

    // Rebuilds and ends the program through the ui (it comes back only when the ui's endProgram
    // does). Whatever the list file holds, or when it is missing, the indexes come from the
    // catalogue. A database that cannot be opened, a table that is missing or an index that cannot
    // be made (a primary key over repeated rows) stops the rebuild with an EngineError that says
    // which and what to do; the database then keeps every index it had, and the program goes on.
    void Reindexa();

private:
    ReIndexUi &m_ui;
};

} // namespace zef
