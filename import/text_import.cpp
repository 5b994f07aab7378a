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
            commitPending();
        } catch (...) {
            rollbackPending();
            throw;
        }
        return m_summary;
    }

private:
    enum class Entry { Result, Success };

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
            const ImportEnd end = importDeclaration(line);
            if (end != ImportEnd::Completed) {
                m_summary.end = end;
                return;
            }
            endDeclaration();
        }
        if (!m_reader.errorString().isEmpty()) {
            commitPending();
            log(QStringLiteral("Erro ao ler o arquivo: %1 Importação interrompida.").arg(m_reader.errorString()));
            m_summary.end = ImportEnd::Error;
            return;
        }
        if (m_owner.onProgress)
            m_owner.onProgress(m_reader.lineCount(), m_reader.lineCount());
    }

    // The declaration that starts at this "A" line: its header is checked and stored, then its
    // lines up to "Z", then it is marked imported or removed again.
    ImportEnd importDeclaration(const ImportLine &aLine)
    {
        qint64 lineNumber = aLine.number();
        HeaderCheck header;
        header.cgcEmpresa = trimRight(aLine.field(2, 9));
        header.anoBase = trimRight(aLine.field(11, 4));
        bool stored = false;
        try {
            header = checkHeaderLine(aLine, m_lookups, m_owner.today);
            if (header.anoFuturo) {
                commitPending();
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
                lineNumber = line.number();
                progress(lineNumber);
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
                log(statusDRF == u"S" ? textoFaltamDomicilios(header.razaoSocial) : textoSobramDomicilios(header.razaoSocial));
                m_store.removeDeclaration(header.cgcEmpresa, header.anoBase);
                ++m_summary.refused;
                commitPending();
                return ImportEnd::DomicileCount;
            }
            m_store.markImported(header.cgcEmpresa, header.anoBase);
            log(textoImportada(header.anoBase, header.razaoSocial), Entry::Success);
            ++m_summary.imported;
            ++m_batchImported;
            return ImportEnd::Completed;
        } catch (const ImportError &error) {
            failDeclaration(header, stored, error.message());
        } catch (const EngineError &error) {
            failDeclaration(header, stored, refusalMessage(lineNumber, error.message()));
        }
        return ImportEnd::Error;
    }

    // A line that cannot be read or a row the database refuses: what was stored for the
    // declaration goes, the declarations before it stay, and the import ends.
    void failDeclaration(HeaderCheck &header, bool stored, const QString &message)
    {
        try {
            if (stored)
                m_store.removeDeclaration(header.cgcEmpresa, header.anoBase);
            commitPending();
        } catch (const EngineError &) {
            rollbackPending();
        }
        log(heading(nameLookedUp(header)));
        log(message);
        ++m_summary.refused;
    }

    // The checks that stop before the taxpayer is looked up leave its name empty; the heading
    // names it all the same when the number is registered.
    HeaderCheck &nameLookedUp(HeaderCheck &header)
    {
        if (header.razaoSocial.isEmpty())
            header.razaoSocial = m_lookups.razaoSocial(header.cgcEmpresa).value_or(QString());
        return header;
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
        m_batchImported = 0;
        m_batchTimer.start();
    }

    // Declarations refused at their header count too: their results wait in the log until the
    // transaction is committed.
    void endDeclaration()
    {
        if (m_batch && m_batchTimer.elapsed() >= m_owner.commitIntervalMs)
            commitPending();
    }

    void commitPending()
    {
        if (m_batch) {
            m_batch->commit();
            m_batch.reset();
        }
        m_batchImported = 0;
        flush(true);
    }

    // The results of the declarations in the transaction stand, except the successes, which
    // were undone with it.
    void rollbackPending()
    {
        m_batch.reset();
        m_summary.imported -= m_batchImported;
        m_summary.refused += m_batchImported;
        m_batchImported = 0;
        flush(false);
    }

    void flush(bool committed)
    {
        std::vector<std::pair<QString, Entry>> pending;
        pending.swap(m_pending);
        for (const auto &[text, kind] : pending)
            if (committed || kind != Entry::Success)
                deliver(text);
    }

    void log(const QString &text, Entry kind = Entry::Result)
    {
        if (m_batch)
            m_pending.emplace_back(text, kind);
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
    std::vector<std::pair<QString, Entry>> m_pending;
    // The transaction the declarations since the last commit share.
    std::optional<Transaction> m_batch;
    int m_batchImported = 0;
    QElapsedTimer m_batchTimer;
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

TextImport::TextImport(Database &db, Dialogs &dialogs) : m_db(db), m_dialogs(dialogs) {}

ImportSummary TextImport::importFile(const QString &path)
{
    ImportRun run(*this, m_db, m_dialogs);
    return run.run(path);
}

} // namespace zef
