#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace zef {

class Database;
class Dialogs;

// How an import ended.
enum class ImportEnd {
    Completed,        // the file was read to its end (some declarations may have been refused)
    CannotOpen,       // the file could not be read; nothing was imported
    EmptyFile,        // nothing to read
    InvalidFormat,    // the first line is not an "A" line
    DomicileCount,    // the domiciles declared do not match the change of domicile
    FutureYear,       // a base year ahead of the current one ended the import
    Error,            // a line the import could not read, or a row the database refused
};

// Every declaration of the file ("A" line) is counted once: read = imported + refused + notStored.
struct ImportSummary {
    ImportEnd end = ImportEnd::Completed;
    int read = 0;             // declarations in the file (up to a first line that ends the import as invalid)
    int imported = 0;         // declarations stored and marked `Importado`
    int refused = 0;          // declarations their checks refused (removed again when stored)
    int notStored = 0;        // declarations the database did not store, or the import never reached
    QString error;            // CannotOpen: why; Error: the message that ended the import
    bool endedEarly() const { return end != ImportEnd::Completed; }
};

// The text import of declarations from accounting systems: reads a file of the layout "2026.1"
// and stores each valid declaration in the declaration tables, logging one result per declaration
// (its success, or its identification and the reasons it was refused or not stored). Each
// declaration is imported on its own: one refused or removed does not touch the others. When the
// import ends early, the declarations after the one that ended it are named as not imported, so
// that the log accounts for every declaration of the file; textoResumo() of the summary is the
// line its callers end the log with.
//
// The import writes inside transactions that hold whole declarations only, so a crash or power
// loss never leaves part of a declaration behind; a result reaches the log once the transaction
// holding its declaration is committed. The database must not be in a transaction.
class TextImport
{
public:
    TextImport(Database &db, Dialogs &dialogs);

    // Log entries, in order; entries may hold CR LF line breaks.
    std::function<void(const QString &entry)> onLog;
    // Progress: the line reached and the lines of the file; called every few hundred lines.
    std::function<void(qint64 line, qint64 lines)> onProgress;
    // The current date: the current year of the checks and the declaration date.
    QDate today = QDate::currentDate();
    // A transaction is committed at the end of the first declaration after this many milliseconds.
    int commitIntervalMs = 250;

    ImportSummary importFile(const QString &path);

private:
    Database &m_db;
    Dialogs &m_dialogs;
};

// Log texts: an empty file, a file that does not start with an "A" line, the identification of a
// refused declaration (three lines), the two domicile counts that end the import, a success.
QString textoArquivoVazio();
QString textoFormatoInvalido();
QString textoIdentificacao(const QString &inscricao, const QString &razaoSocial, const QString &ano);
QString textoFaltamDomicilios(const QString &razaoSocial);
QString textoSobramDomicilios(const QString &razaoSocial);
QString textoImportada(const QString &ano, const QString &razaoSocial);
// A base year ahead of the current one (the import ends).
QString textoAnoPosterior(const QString &ano, int anoCorrente);
// A declaration whose checks passed but whose transaction the database refused or lost at the line.
QString textoNaoGravada(qint64 linha, const QString &motivo);
// A declaration after the line at which the import ended.
QString textoNaoLida(qint64 linha);
// The line that ends every import's log: how many declarations were read, imported, refused and
// not stored.
QString textoResumo(const ImportSummary &resumo);

} // namespace zef
