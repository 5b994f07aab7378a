#include "import/text_import.h"

#include "data/dialogs.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/transaction.h"
#include "import/header_checks.h"
#include "import/import_fields.h"
#include "import/import_lookups.h"
#include "import/import_reader.h"
#include "import/import_store.h"
#include "import/line_readers.h"

#include <QElapsedTimer>

#include <sqlite3.h>

#include <optional>
#include <vector>

namespace zef {
namespace {

// Lines between two progress reports.
constexpr qint64 kProgressEvery = 200;

// A declaration of endless faulty lines must not take all the memory with its error text; far
// fewer characters than this already tell the user what is wrong.
constexpr qsizetype kMaxErrorChars = 100000;

void appendError(QString &e, const QString &text)
{
    if (text.isEmpty() || e.size() > kMaxErrorChars)
        return;
    e += text;
    if (e.size() > kMaxErrorChars)
        e += QStringLiteral(" (...)");
}

// Who a declaration is, as its heading names it.
struct Declarante {
    QString cgcEmpresa;
    QString razaoSocial;
    QString anoBase;
};

// One run of the import over one file.
class ImportRun
{
public:
    ImportRun(TextImport &owner, Database &db, Dialogs &dialogs)
        : m_owner(owner), m_db(db), m_dialogs(dialogs), m_lookups(db), m_store(db)
    {
    }

    ImportSummary run(const QString &path)
    {
        if (m_db.inTransaction())
            throw EngineError(QStringLiteral("Já existe uma transação ativa."));
        try {
            readFile(path);
        } catch (...) {
            rollbackPending();
            throw;
        }
        return m_summary;
    }

private:
    enum class Entry { Result, Success };

    // A log entry waiting for the commit of its declaration's transaction; a success also
    // remembers whose, to name it should the commit never come.
    struct Pending {
        QString text;
        Entry kind;
        Declarante who;
    };

    void readFile(const QString &path)
    {
        if (!m_reader.open(path)) {
            m_summary.end = ImportEnd::CannotOpen;
            m_summary.error = m_reader.errorString();
            return;
        }
        if (m_reader.lineCount() == 0) {
            log(textoArquivoVazio());
            m_summary.end = ImportEnd::EmptyFile;
            return;
        }
        ImportLine line;
        while (m_reader.next(line)) {
            progress(line.number());
            if (line.letter() != u'A') {
                if (line.number() == 1) {
                    log(textoFormatoInvalido());
                    m_summary.end = ImportEnd::InvalidFormat;
                    return;
                }
                continue;
            }
            ++m_summary.read;
            ImportEnd end = importDeclaration(line);
            if (end == ImportEnd::Completed && !endDeclaration())
                end = ImportEnd::Error;
            if (end != ImportEnd::Completed) {
                m_summary.end = end;
                nameTheRest();
                return;
            }
        }
        if (!commitPending())
            m_summary.end = ImportEnd::Error;
        if (!m_reader.errorString().isEmpty()) {
            const QString message =
                QStringLiteral("Erro ao ler o arquivo: %1 Importação interrompida.").arg(m_reader.errorString());
            log(message);
            m_summary.end = ImportEnd::Error;
            m_summary.error = message;
            return;
        }
        if (m_owner.onProgress)
            m_owner.onProgress(m_reader.lineCount(), m_reader.lineCount());
    }

    // The declaration that starts at this "A" line: its header is checked and stored, then its
    // lines up to "Z", then it is marked imported or removed again.
    ImportEnd importDeclaration(const ImportLine &aLine)
    {
        m_lineNumber = aLine.number();
        HeaderCheck header;
        header.cgcEmpresa = trimRight(aLine.field(2, 9));
        header.anoBase = trimRight(aLine.field(11, 4));
        bool stored = false;
        try {
            header = checkHeaderLine(aLine, m_lookups, m_owner.today);
            if (header.anoFuturo) {
                const bool committed = commitPending();
                // The user is told in a box; the log names the declaration all the same, so that
                // every declaration of the file is accounted for there.
                log(heading(nameLookedUp(header)));
                log(textoAnoPosterior(header.anoBase, m_owner.today.year()));
                ++m_summary.refused;
                if (!committed)
                    return ImportEnd::Error;
                Mensagem(m_dialogs, textoAnoFuturo());
                return ImportEnd::FutureYear;
            }
            if (!header.erro.isEmpty()) {
                // Nothing was stored for it, so nothing is removed.
                if (!header.jaCadastrada)
                    log(heading(nameLookedUp(header)));
                log(header.erro);
                ++m_summary.refused;
                return ImportEnd::Completed;
            }

            beginDeclaration();
            m_store.insertHeader(header.header);
            stored = true;
            m_store.clearSections(header.cgcEmpresa, header.anoBase);
            const DeclarationContext ctx{header.cgcEmpresa, header.anoBase, header.header.statusDRF,
                                         header.header.regimeApuracao, header.header.codigoAtividade};
            QString e;
            int acceptedB = 0;
            bool reachedZ = false;
            ImportLine line;
            while (m_reader.next(line)) {
                m_lineNumber = line.number();
                progress(m_lineNumber);
                const QChar letter = line.letter();
                if (letter == u'Z') {
                    reachedZ = true;
                    break;
                }
                if (letter < u'B' || letter > u'K')
                    continue;
                const LineResult r = readDeclarationLine(line, ctx, m_lookups);
                if (r.acceptedB)
                    ++acceptedB;
                if (r.table)
                    m_store.storeRow(*r.table, r.values);
                appendError(e, r.texto);
            }
            if (!m_reader.errorString().isEmpty())
                throw ImportError(QStringLiteral("Erro ao ler o arquivo: %1 Importação interrompida.")
                                      .arg(m_reader.errorString()));

            if (!reachedZ || !e.isEmpty()) {
                m_store.removeDeclaration(header.cgcEmpresa, header.anoBase);
                log(heading(header));
                log(e);
                ++m_summary.refused;
                return ImportEnd::Completed;
            }
            const QString &statusDRF = header.header.statusDRF;
            if ((statusDRF == u"S" && acceptedB == 1) || (statusDRF == u"N" && acceptedB >= 2)) {
                m_store.removeDeclaration(header.cgcEmpresa, header.anoBase);
                log(statusDRF == u"S" ? textoFaltamDomicilios(header.razaoSocial) : textoSobramDomicilios(header.razaoSocial));
                ++m_summary.refused;
                return commitPending() ? ImportEnd::DomicileCount : ImportEnd::Error;
            }
            m_store.markImported(header.cgcEmpresa, header.anoBase);
            log(textoImportada(header.anoBase, header.razaoSocial), Entry::Success,
                {header.cgcEmpresa, header.razaoSocial, header.anoBase});
            ++m_summary.imported;
            return ImportEnd::Completed;
        } catch (const ImportError &error) {
            // The file's fault: the declaration is refused, what it stored removed.
            removeAndCommit(header, stored, error.message());
            log(heading(nameLookedUp(header)));
            log(error.message());
            m_summary.error = error.message();
            ++m_summary.refused;
        } catch (const EngineError &error) {
            // The database's: the declaration passed its checks but is not stored.
            const QString message = refusalMessage(m_lineNumber, error.message());
            removeAndCommit(header, stored, error.message());
            log(heading(nameLookedUp(header)));
            log(message);
            m_summary.error = message;
            ++m_summary.notStored;
        }
        return ImportEnd::Error;
    }

    // After a failure inside a declaration: what it stored goes, and the declarations before it
    // in the transaction stay when the database still lets them.
    void removeAndCommit(const HeaderCheck &header, bool stored, const QString &failure)
    {
        if (!m_batch)
            return;
        if (!transactionOpen()) {
            // SQLite undoes the whole transaction by itself on some failures (a full disk, an
            // I/O error): the declarations in it were never stored.
            loseBatch(failure);
            return;
        }
        try {
            if (stored)
                m_store.removeDeclaration(header.cgcEmpresa, header.anoBase);
        } catch (const EngineError &) {
            // The failure being handled is the one to report; this one only means the
            // transaction cannot be saved, and the rollback below takes the declaration away.
            loseBatch(failure);
            return;
        }
        commitPending();
    }

    bool transactionOpen() const { return sqlite3_get_autocommit(m_db.handle()) == 0; }

    // The import stopped before the end of the file: the declarations it did not reach are
    // named, so that the log accounts for every declaration of the file.
    void nameTheRest()
    {
        const qint64 stoppedAt = m_lineNumber;
        ImportLine line;
        while (m_reader.next(line)) {
            progress(line.number());
            if (line.letter() != u'A')
                continue;
            ++m_summary.read;
            ++m_summary.notStored;
            const Declarante who{trimRight(line.field(2, 9)), QString(), trimRight(line.field(11, 4))};
            log(textoIdentificacao(who.cgcEmpresa, nameOf(who.cgcEmpresa), who.anoBase));
            log(textoNaoLida(stoppedAt));
        }
    }

    // The checks that stop before the taxpayer is looked up leave its name empty; the heading
    // names it all the same when the number is registered.
    HeaderCheck &nameLookedUp(HeaderCheck &header)
    {
        if (header.razaoSocial.isEmpty())
            header.razaoSocial = nameOf(header.cgcEmpresa);
        return header;
    }

    // The name only completes a heading: a database that cannot even be read at this point has
    // already been reported, and the heading goes out without the name.
    QString nameOf(const QString &cgcEmpresa)
    {
        try {
            return m_lookups.razaoSocial(cgcEmpresa).value_or(QString());
        } catch (const EngineError &) {
            return QString();
        }
    }

    QString heading(const HeaderCheck &header) const
    {
        return textoIdentificacao(header.cgcEmpresa, header.razaoSocial, header.anoBase);
    }

    // Declarations share a transaction until it has run for a while: a commit costs the disk
    // a synchronous write, and thousands of them would dominate a long import.
    void beginDeclaration()
    {
        if (m_batch)
            return;
        m_batch.emplace(m_db);
        m_batchTimer.start();
    }

    // Declarations refused at their header count too: their results wait in the log until the
    // transaction is committed. False when the database refused the commit.
    bool endDeclaration()
    {
        if (m_batch && m_batchTimer.elapsed() >= m_owner.commitIntervalMs)
            return commitPending();
        return true;
    }

    // Commits the declarations since the last commit and lets their results out. When the
    // database refuses, none of them is stored: each success is named as not stored instead,
    // and the import is to end.
    bool commitPending()
    {
        if (m_batch) {
            try {
                m_batch->commit();
            } catch (const EngineError &error) {
                const QString message = refusalMessage(m_lineNumber, error.message());
                loseBatch(error.message());
                log(message);
                m_summary.error = message;
                return false;
            }
            m_batch.reset();
        }
        flush(true);
        return true;
    }

    // The transaction of the declarations since the last commit is lost: it is rolled back,
    // and the successes it held are logged as declarations not stored.
    void loseBatch(const QString &failure)
    {
        m_batch.reset();
        std::vector<Pending> pending;
        pending.swap(m_pending);
        for (const Pending &p : pending) {
            if (p.kind != Entry::Success) {
                deliver(p.text);
                continue;
            }
            deliver(textoIdentificacao(p.who.cgcEmpresa, p.who.razaoSocial, p.who.anoBase));
            deliver(textoNaoGravada(m_lineNumber, failure));
            --m_summary.imported;
            ++m_summary.notStored;
        }
    }

    // An error that is not the database's left the import: the results of the declarations in
    // the transaction stand, except the successes, which were undone with it.
    void rollbackPending()
    {
        m_batch.reset();
        for (const Pending &p : m_pending)
            if (p.kind == Entry::Success) {
                --m_summary.imported;
                ++m_summary.notStored;
            }
        flush(false);
    }

    void flush(bool committed)
    {
        std::vector<Pending> pending;
        pending.swap(m_pending);
        for (const Pending &p : pending)
            if (committed || p.kind != Entry::Success)
                deliver(p.text);
    }

    void log(const QString &text, Entry kind = Entry::Result, const Declarante &who = {})
    {
        if (m_batch)
            m_pending.push_back({text, kind, who});
        else
            deliver(text);
    }

    void deliver(const QString &text)
    {
        if (m_owner.onLog)
            m_owner.onLog(text);
    }

    void progress(qint64 line)
    {
        if (m_owner.onProgress && line % kProgressEvery == 0)
            m_owner.onProgress(line, m_reader.lineCount());
    }

    TextImport &m_owner;
    Database &m_db;
    Dialogs &m_dialogs;
    ImportReader m_reader;
    ImportLookups m_lookups;
    ImportStore m_store;
    ImportSummary m_summary;
    std::vector<Pending> m_pending;
    // The transaction the declarations since the last commit share.
    std::optional<Transaction> m_batch;
    QElapsedTimer m_batchTimer;
    // The line being read: where a failure happened.
    qint64 m_lineNumber = 0;
};

} // namespace

QString textoArquivoVazio()
{
    return QStringLiteral("Formato do arquivo inválido!!!");
}

QString textoFormatoInvalido()
{
    return QStringLiteral("Formato do Arquivo inválido!!!");
}

QString textoIdentificacao(const QString &inscricao, const QString &razaoSocial, const QString &ano)
{
    return QStringLiteral("Inscrição Estadual: ") + inscricao + QStringLiteral("\r\nRazão Social: ") + razaoSocial
        + QStringLiteral("\r\nAno-base: ") + ano;
}

QString textoFaltamDomicilios(const QString &razaoSocial)
{
    return QStringLiteral("Deve ser informado os Domicílios Fiscais Anterior para o Contribuinte ") + razaoSocial
        + QStringLiteral(" pois, existe mudança de Domicílio Fiscal.");
}

QString textoSobramDomicilios(const QString &razaoSocial)
{
    return QStringLiteral("Não deve ser informado os Domicílios Fiscais Anterior para o Contribuinte ") + razaoSocial
        + QStringLiteral(" pois, existe não mudança de Domicílio Fiscal.");
}

QString textoImportada(const QString &ano, const QString &razaoSocial)
{
    return QStringLiteral("ZEF Referência ") + ano + QStringLiteral(" Contribuinte ") + razaoSocial
        + QStringLiteral(" Importada com sucesso. ");
}

QString textoAnoPosterior(const QString &ano, int anoCorrente)
{
    return QStringLiteral("Ano-base %1 posterior ao ano corrente (%2). Importação interrompida.").arg(ano).arg(anoCorrente);
}

QString textoNaoGravada(qint64 linha, const QString &motivo)
{
    return QStringLiteral("Declaração não gravada: o banco de dados recusou a gravação na linha %1 (%2). Nada desta "
                          "declaração ficou no banco de dados.")
        .arg(linha)
        .arg(motivo);
}

QString textoNaoLida(qint64 linha)
{
    return QStringLiteral("Declaração não importada: a importação foi interrompida na linha %1, antes desta "
                          "declaração.")
        .arg(linha);
}

QString textoResumo(const ImportSummary &resumo)
{
    return QStringLiteral("Declarações lidas: %1; importadas: %2; recusadas: %3; não gravadas: %4.")
        .arg(resumo.read)
        .arg(resumo.imported)
        .arg(resumo.refused)
        .arg(resumo.notStored);
}

TextImport::TextImport(Database &db, Dialogs &dialogs) : m_db(db), m_dialogs(dialogs) {}

ImportSummary TextImport::importFile(const QString &path)
{
    ImportRun run(*this, m_db, m_dialogs);
    return run.run(path);
}

} // namespace zef
