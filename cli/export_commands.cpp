#include "cli/commands.h"

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/scripted_dialogs.h"
#include "data/text_routines.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "export/declaration_list.h"
#include "export/gera_arquivo.h"

#include <QDir>
#include <QSet>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace zef::cli {

namespace {

using namespace Qt::StringLiterals;

// Exit statuses: 0 written, 1 refused (findings, nothing to export, an error), 2 abandoned by a
// question answered No or a command line that cannot be followed.
constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kAbandoned = 2;

struct Options {
    QString year;
    QStringList registrations;
    bool yes = false;
    QString out;
};

std::optional<Options> parse(const QStringList &args, bool withOut, QTextStream &err)
{
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == u"--ano"_s && hasValue) {
            o.year = args.at(++i);
        } else if (a == u"--ie"_s && hasValue) {
            o.registrations.append(args.at(++i));
        } else if (a == u"--yes"_s) {
            o.yes = true;
        } else if (withOut && a == u"--out"_s && hasValue) {
            o.out = args.at(++i);
        } else {
            err << "Argumento inválido: " << a << "\n";
            return std::nullopt;
        }
    }
    if (o.year.isNull()) {
        err << "Informe o ano-base com --ano.\n";
        return std::nullopt;
    }
    // The window's year box takes four digits and nothing else.
    if (o.year.trimmed().size() < 4 || SoDigitos(o.year) != o.year || o.year.size() != 4) {
        err << "Informe o Ano Base!\n";
        return std::nullopt;
    }
    return o;
}

void usage(QTextStream &err, bool withOut)
{
    if (withOut)
        err << "Uso: zef [--home PASTA] export --ano ANO [--ie INSCRIÇÃO]... [--yes] [--out ARQUIVO]\n";
    else
        err << "Uso: zef [--home PASTA] text --ano ANO [--ie INSCRIÇÃO]... [--yes]\n";
}

// The declarations to write, in the order the export window lists them; empty when some asked
// for is not there (the reason is on err).
std::optional<QStringList> select(Database &db, const Options &o, QTextStream &err)
{
    const QList<ListedDeclaration> listed = listaDeclaracoes(db, o.year);
    if (listed.isEmpty()) {
        err << "Nenhum ZEF cadastrada para o Ano Base informado!!!\n";
        return std::nullopt;
    }
    QSet<QString> wanted;
    for (const QString &r : o.registrations)
        wanted.insert(SoDigitos(r));
    QStringList keys;
    QSet<QString> found;
    for (const ListedDeclaration &d : listed) {
        const QString registration = inscricaoDaEntrada(d.entry);
        if (wanted.isEmpty() || wanted.contains(registration)) {
            keys.append(registration);
            found.insert(registration);
        }
    }
    bool missing = false;
    for (const QString &r : o.registrations)
        if (!found.contains(SoDigitos(r))) {
            err << "Nenhum ZEF do ano-base " << o.year << " para a inscrição " << r << ".\n";
            missing = true;
        }
    if (missing)
        return std::nullopt;
    return keys;
}

// Questions are answered by --yes or taken as No; each is echoed to err as the user would read it.
void prepareDialogs(ScriptedDialogs &dialogs, QTextStream &err)
{
    dialogs.setObserver([&err](const ScriptedDialogs::Shown &shown) {
        QString text = shown.text;
        text.replace(u"\r\n"_s, u"\n"_s);
        text.replace(u'\r', u'\n');
        err << text << "\n";
        if (shown.buttons == Dialogs::Buttons::YesNo)
            err << "Resposta: " << (shown.answer == Dialogs::Button::Yes ? "Sim" : "Não") << "\n";
        err.flush();
    });
}

void reportAbandoned(QTextStream &err)
{
    err << "Gravação abandonada: uma divergência foi respondida com Não (use --yes para responder Sim).\n";
}

} // namespace

void openDatabase(Database &db, const Context &ctx)
{
    db.addPassword(QString::fromLatin1(kTablePassword));
    db.setParam(u"PATH"_s, QDir(ctx.home).filePath(QString::fromLatin1(kDatabaseDir)));
    db.setCatalogue(tableCatalogue());
    db.connect();
}

int exportFile(const Context &ctx, const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::optional<Options> o = parse(args, true, err);
    if (!o) {
        usage(err, true);
        return kAbandoned;
    }
    Database db;
    openDatabase(db, ctx);
    const std::optional<QStringList> keys = select(db, *o, err);
    if (!keys)
        return kRefused;

    ScriptedDialogs dialogs(o->yes ? Dialogs::Button::Yes : Dialogs::Button::No);
    prepareDialogs(dialogs, err);
    const QString target = o->out.isEmpty() ? QDir::current().filePath(nomeArquivoProposto(o->year)) : o->out;
    const ExportResult result =
        GeraArquivo(db, dialogs, o->year, *keys, [&](const QString &) { return std::optional<QString>(target); });
    switch (result.outcome) {
    case ExportResult::Outcome::Written:
        out << "Arquivo gravado com sucesso!!! " << QDir::toNativeSeparators(result.fileName) << "\n";
        return kOk;
    case ExportResult::Outcome::Findings:
        err << result.validationText() << "\n";
        return kRefused;
    case ExportResult::Outcome::Abandoned:
    case ExportResult::Outcome::Cancelled:
        reportAbandoned(err);
        return kAbandoned;
    }
    return kRefused;
}

int text(const Context &ctx, const QStringList &args)
{
    QTextStream err(stderr);
    const std::optional<Options> o = parse(args, false, err);
    if (!o) {
        usage(err, false);
        return kAbandoned;
    }
    Database db;
    openDatabase(db, ctx);
    const std::optional<QStringList> keys = select(db, *o, err);
    if (!keys)
        return kRefused;

    ScriptedDialogs dialogs(o->yes ? Dialogs::Button::Yes : Dialogs::Button::No);
    prepareDialogs(dialogs, err);
    DeclarationFileText built;
    try {
        built = montaTextoArquivo(db, dialogs, o->year, *keys);
    } catch (const SilentAbort &) {
        reportAbandoned(err);
        return kAbandoned;
    }
    if (!built.validationList.isEmpty()) {
        err << built.validationList.join(u'\n') << "\n";
        return kRefused;
    }
    // The bytes exactly as they would be compressed: Windows-1252, CR LF.
    std::fwrite(built.text.constData(), 1, std::size_t(built.text.size()), stdout);
    std::fflush(stdout);
    return kOk;
}

} // namespace zef::cli
