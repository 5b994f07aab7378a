#pragma once

#include "print/section_page.h"

namespace zef::print {

// The entries sections: item 03 by type (TfprintEntradasOPDom, blank TfprintEntradasDomVazia),
// the other entries by CFOP (TfprintEntradasOPCFOPDom, no blank page) and item 04 by state of
// origin (TfprintentradasUFDom, blank TfprintEntradasDomVazia4).
const SectionPage &entradasOPDom();
const SectionPage &entradasOPCFOPDom();
const SectionPage &entradasUFDom();

} // namespace zef::print
