#pragma once

#include "print/drawing.h"

#include <QPrintPreviewDialog>

class QPrinter;

namespace zef::print {

// The preview of a printed declaration: the same drawing list the PDF gets, on Letter portrait
// sheets; its print button sends it to the chosen printer.
class Previa : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    explicit Previa(Document document, QWidget *parent = nullptr);

    const Document &document() const { return m_document; }
    // Sets a printer up the way the pages are laid out: Letter, portrait, the whole sheet.
    static void preparaImpressora(QPrinter &printer);
    static void imprime(QPrinter &printer, const Document &document);

private:
    Document m_document;
};

// Shows the preview modally; returns when the user closes it.
void mostraPrevia(const Document &document, QWidget *parent = nullptr);

} // namespace zef::print
