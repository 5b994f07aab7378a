#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

namespace zef::print {

// Letter paper, portrait, in millimetres: every position of a laid-out report is in these units,
// measured from the sheet's top-left corner.
inline constexpr double kSheetWidth = 215.9;
inline constexpr double kSheetHeight = 279.4;
inline constexpr double kMargin = 10.0;
inline constexpr double kContentWidth = kSheetWidth - 2 * kMargin;

// The silver of shaded rows (RGB C0C0C0).
inline const QColor kSilver{0xC0, 0xC0, 0xC0};

struct FontStyle {
    double points = 7.0;
    bool bold = false;
    friend bool operator==(const FontStyle &, const FontStyle &) = default;
};

enum class OpKind { Text, Fill, Frame, Line, Image };

// One drawing operation, as painted to a PDF, a printer or the preview.
struct DrawOp {
    OpKind kind = OpKind::Text;
    QRectF rect;              // for a line, from its top-left to its bottom-right corner
    QString name;             // the element's name, when it has one
    QString text;
    FontStyle font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;
    QColor color;             // a fill's colour; a text's background (invalid: none)
    double pen = 0.2;         // frames and lines
    QImage image;
};

// A band as it landed on a sheet: which band, for which query row, where, and what it drew.
struct PlacedBand {
    QString name;
    int row = -1;             // 0-based query row of a detail band; -1 for other bands
    double top = 0;
    double height = 0;
    std::vector<DrawOp> ops;

    const DrawOp *op(const QString &name) const;   // the first op of that element, or null
    QString text(const QString &name) const;       // its text; empty when it did not print
};

struct Sheet {
    QString report;           // the page that laid it out (TfprintEntradasOPDom, ...)
    std::vector<PlacedBand> bands;

    std::vector<const PlacedBand *> bandsNamed(const QString &name) const;
};

struct Document {
    QString title = QStringLiteral("ZEF");
    std::vector<Sheet> sheets;
};

// The list as text, one line per sheet, band and operation, for tests and for reading.
QString describe(const Document &document);

} // namespace zef::print
