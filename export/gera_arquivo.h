#pragma once

#include "export/declaration_list.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zef {

class Database;
class Dialogs;

// The text of a declaration file before compression, with the findings of its checks.
struct DeclarationFileText {
    QByteArray text;            // Windows-1252, every line ending in CR LF
    QStringList validationList; // empty when no check blocks the file
};

// Builds the text of the declarations, in the order given, and checks each one as it goes.
// Questions are asked through dialogs; a No throws SilentAbort. An error of the tables, or a line
// type the file cannot carry, throws (EngineError, ExportError).
DeclarationFileText montaTextoArquivo(Database &db, Dialogs &dialogs, const QString &year,
                                      const QStringList &registrations);

// The declaration file's bytes: the text compressed twice.
QByteArray compactaArquivo(const QByteArray &text);

// Reads the declaration file's bytes back through both layers and compares them with the text
// they were made from; throws ExportError naming the file at path when they differ or cannot be
// read back, so that a file the tax authority could not read is never saved.
void confereArquivo(const QByteArray &text, const QByteArray &file, const QString &path);

// The name proposed for the file of a base year: "ZEF" + the digits of the year + ".vd".
QString nomeArquivoProposto(const QString &year);

struct ExportResult {
    enum class Outcome {
        Written,    // the file was saved
        Findings,   // checks block the file; validationList says why; nothing saved
        Abandoned,  // a question was answered No; nothing saved, nothing to show
        Cancelled,  // no file name was chosen; nothing saved, nothing to show
    };
    Outcome outcome = Outcome::Abandoned;
    QByteArray text;            // the uncompressed text (empty when abandoned)
    QByteArray file;            // the compressed bytes (empty when abandoned)
    QStringList validationList;
    QString fileName;           // where the file was saved

    QString validationText() const { return validationList.join(QLatin1Char('\n')); }
};

// Asks where to save: gets the proposed name, returns the chosen path or nothing to cancel.
using ChooseFile = std::function<std::optional<QString>(const QString &proposedName)>;

// Writes the declaration file of the base year for the declarations in list order: builds the
// text and runs the checks, compresses it twice, and with no findings asks for the file name and
// saves the bytes there, once they read back to the text, replacing any file of that name only
// once they are complete. Errors of the tables, of the compression, of that check and of the file
// system throw; nothing is saved then.
ExportResult GeraArquivo(Database &db, Dialogs &dialogs, const QString &year,
                         const QStringList &registrations, const ChooseFile &chooseFile);

// The same with the compression given (compactaArquivo above); the file is checked with
// confereArquivo before it is saved.
using Compacta = std::function<QByteArray(const QByteArray &text)>;
ExportResult GeraArquivo(Database &db, Dialogs &dialogs, const QString &year,
                         const QStringList &registrations, const ChooseFile &chooseFile,
                         const Compacta &compacta);

} // namespace zef
