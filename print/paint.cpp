#include "print/paint.h"

#include "print/print_error.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

constexpr int kPdfResolution = 600;

QRectF toDevice(const QRectF &mm, double dotsPerMm)
{
    return QRectF(mm.left() * dotsPerMm, mm.top() * dotsPerMm, mm.width() * dotsPerMm, mm.height() * dotsPerMm);
}

QPageLayout letterPortrait()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

} // namespace

QFont printFont(const FontStyle &style)
{
    QFont f(u"DejaVu Sans"_s);
    f.setPointSizeF(style.points);
    f.setBold(style.bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

void paintSheet(QPainter &painter, const Sheet &sheet)
{
    const double dotsPerMm = painter.device()->logicalDpiX() / 25.4;
    painter.save();
    // Backgrounds first, so that no fill of a later band covers a frame or a rule of an earlier one.
    for (const PlacedBand &band : sheet.bands)
        for (const DrawOp &op : band.ops)
            if ((op.kind == OpKind::Fill || op.kind == OpKind::Text) && op.color.isValid())
                painter.fillRect(toDevice(op.rect, dotsPerMm), op.color);
    for (const PlacedBand &band : sheet.bands)
        for (const DrawOp &op : band.ops) {
            const QRectF r = toDevice(op.rect, dotsPerMm);
            QPen pen(Qt::black);
            pen.setWidthF(op.pen * dotsPerMm);
            switch (op.kind) {
            case OpKind::Fill:
                break;
            case OpKind::Frame:
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
                break;
            case OpKind::Line:
                painter.setPen(pen);
                painter.drawLine(r.topLeft(), r.bottomRight());
                break;
            case OpKind::Image:
                painter.drawImage(r, op.image);
                break;
            case OpKind::Text: {
                if (op.text.isEmpty())
                    break;
                painter.setPen(Qt::black);
                painter.setFont(printFont(op.font));
                int flags = int(op.alignment) | Qt::TextDontClip;
                if (op.wrap)
                    flags |= Qt::TextWordWrap;
                painter.drawText(r, flags, op.text);
                break;
            }
            }
        }
    painter.restore();
}

void paintDocument(QPainter &painter, QPagedPaintDevice &device, const Document &document)
{
    for (std::size_t i = 0; i < document.sheets.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintSheet(painter, document.sheets[i]);
    }
}

void gravaPdf(const Document &document, const QString &path)
{
    const auto fail = [&](const QString &reason) {
        throw PrintError(u"Não foi possível gravar o arquivo %1: %2"_s.arg(QDir::toNativeSeparators(path), reason));
    };
    if (QFileInfo(path).isDir())
        fail(u"é uma pasta."_s);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(letterPortrait());
        writer.setResolution(kPdfResolution);
        writer.setTitle(document.title);
        writer.setCreator(u"ZEF 2026"_s);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            fail(u"o documento não pôde ser iniciado."_s);
        }
        paintDocument(painter, writer, document);
        painter.end();
    }
    if (file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(reason);
    }
    if (!file.commit())
        fail(file.errorString());
}

} // namespace zef::print
