#pragma once

#include "data/declaration_key.h"
#include "print/drawing.h"

namespace zef {
class Database;
}

namespace zef::print {

// The printed declaration in its order: the cover (with previous domiciles unless StatusDRF is
// "N"), then each section page, or its blank substitute when it has no rows (the CFOP pages have
// none and are left out). Throws PrintError "Não foi encontrada esta empresa no referido ano base"
// when the declaration does not exist.
Document imprimeDeclaracao(Database &db, const DeclarationKey &key);

} // namespace zef::print
