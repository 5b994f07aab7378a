#pragma once

#include "print/drawing.h"

#include <QFont>

class QPainter;
class QPagedPaintDevice;

namespace zef::print {

// Paints one sheet with the painter's device origin at the sheet's top-left corner.
void paintSheet(QPainter &painter, const Sheet &sheet);

// Paints every sheet onto the device (a PDF writer or a printer, set to Letter portrait with no
// margins), one page per sheet.
void paintDocument(QPainter &painter, QPagedPaintDevice &device, const Document &document);

// Writes the document as a PDF (text as text, fonts embedded, titled with the document's title)
// to a temporary name and renames it over the path. Throws PrintError naming the file; the old
// file, if any, is left as it was.
void gravaPdf(const Document &document, const QString &path);

// The font the pages print with: one Debian ships (fonts-dejavu-core).
QFont printFont(const FontStyle &style);

} // namespace zef::print
