#include "print/window/previa.h"

#include "print/paint.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace zef::print {

Previa::Previa(Document document, QWidget *parent)
    : QPrintPreviewDialog(parent), m_document(std::move(document))
{
    setWindowTitle(m_document.title);
    preparaImpressora(*printer());
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *target) { imprime(*target, m_document); });
}

void Previa::preparaImpressora(QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
    printer.setDocName(QStringLiteral("ZEF"));
}

void Previa::imprime(QPrinter &printer, const Document &document)
{
    QPainter painter(&printer);
    paintDocument(painter, printer, document);
}

void mostraPrevia(const Document &document, QWidget *parent)
{
    Previa previa(document, parent);
    previa.exec();
}

} // namespace zef::print
