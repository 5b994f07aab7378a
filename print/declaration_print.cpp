#include "print/declaration_print.h"

#include "engine/field.h"
#include "engine/query.h"
#include "print/cover_pages.h"
#include "print/entries_pages.h"
#include "print/print_error.h"
#include "print/report.h"

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

void addSection(Database &db, const DeclarationKey &key, const SectionPage &page, Document &document)
{
    Query rows(db, page.sql);
    bindKey(rows, key);
    rows.open();
    if (!rows.isEmpty())
        layoutReport(sectionReport(page, db), &rows, document);
    else if (!page.blankName.isEmpty())
        layoutReport(blankReport(page), nullptr, document);
}

} // namespace

Document imprimeDeclaracao(Database &db, const DeclarationKey &key)
{
    Query declaration(db, u"select StatusDRF from Zef where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"_s);
    bindKey(declaration, key);
    declaration.open();
    if (declaration.isEmpty())
        throw PrintError(u"Não foi encontrada esta empresa no referido ano base"_s);
    const QString statusDrf = declaration.fieldByName(u"StatusDRF"_s)->asString();

    Document document;
    addCover(db, key, statusDrf == u"N"_s ? CoverVariant::Plain : CoverVariant::WithDomiciles, document);
    for (const SectionPage *page : {&entradasOPDom(), &entradasOPCFOPDom(), &entradasUFDom()})
        addSection(db, key, *page, document);
    return document;
}

} // namespace zef::print
