#pragma once

#include "data/declaration_key.h"
#include "print/report.h"

namespace zef {
class Database;
}

namespace zef::print {

// TfprintZEF shows the current domicile only; TfprintZEFDom also the previous ones.
enum class CoverVariant { Plain, WithDomiciles };

// The cover: letterhead, item 1 (the taxpayer) and item 2 (the header's answers), over the one row
// of the declaration joined with its taxpayer, the taxpayer's activity and the municipality.
Report coverReport(CoverVariant variant, Database &db, const DeclarationKey &key);
QString coverSql();

// Lays the cover out onto the document; nothing when the joined row is missing.
void addCover(Database &db, const DeclarationKey &key, CoverVariant variant, Document &document);

// The taxpayer's CNPJ (more than 11 characters) or CPF in its mask, "_" where digits are missing.
QString formataCnpjCpf(const QString &digits);

} // namespace zef::print
