#include "cli/commands.h"

#include "data/text_routines.h"
#include "engine/database.h"
#include "print/declaration_print.h"
#include "print/paint.h"
#include "print/print_error.h"

#include <QDir>
#include <QTextStream>

namespace zef::cli {

using namespace Qt::StringLiterals;

bool needsGui(const QString &command)
{
    return command == u"print"_s;
}

int printPdf(const Context &ctx, const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString year;
    QString registration;
    QString pdf;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == u"--ano"_s && hasValue) {
            year = args.at(++i);
        } else if (a == u"--ie"_s && hasValue) {
            registration = args.at(++i);
        } else if (a == u"--pdf"_s && hasValue) {
            pdf = args.at(++i);
        } else {
            err << "Argumento inválido: " << a << "\n";
            err << "Uso: zef [--home PASTA] print --ano ANO --ie INSCRIÇÃO --pdf ARQUIVO\n";
            return 2;
        }
    }
    if (pdf.isEmpty()) {
        err << "Informe o arquivo PDF com --pdf.\n";
        return 2;
    }
    if (year.trimmed().isEmpty() || registration.trimmed().isEmpty()) {
        err << "O Inscrição Estadual e ou ano base tem de ser informado!\n";
        return 1;
    }
    Database db;
    openDatabase(db, ctx);
    try {
        const print::Document document = print::imprimeDeclaracao(db, {year.trimmed(), SoDigitos(registration)});
        print::gravaPdf(document, pdf);
        out << "ZEF impresso em " << QDir::toNativeSeparators(pdf) << " (" << document.sheets.size()
            << " folhas)\n";
    } catch (const print::PrintError &e) {
        err << e.message() << "\n";
        return 1;
    }
    return 0;
}

} // namespace zef::cli
