#include "print/report.h"

#include "data/display_format.h"
#include "data/edit_mask.h"
#include "engine/dataset.h"
#include "engine/engine_error.h"
#include "engine/field.h"

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

// Bands whose bottom passes this line go to the next sheet.
constexpr double kBottomLimit = kSheetHeight - kMargin;
// Rounding of the band tables: an element this much below the band's bottom still fits.
constexpr double kTolerance = 0.05;

Element make(ElementKind kind, const QRectF &rect)
{
    Element e;
    e.kind = kind;
    e.rect = rect;
    return e;
}

QString dataText(const Element &e, const Dataset &rows)
{
    const Field *f = rows.fieldByName(e.column);
    if (f->isNull())
        return QString();
    switch (e.format) {
    case DataFormat::Number:
        return DisplayFormat::format(f->asFloat(), e.picture, printLocale());
    case DataFormat::Mask:
        return EditMask(e.picture).format(f->asString());
    case DataFormat::Plain:
        break;
    }
    return f->asString();
}

class Layout
{
public:
    Layout(const Report &report, Dataset *rows, Document &document)
        : m_report(report), m_rows(rows), m_document(document)
    {
    }

    // Data elements read the current row; a page header reads the row the sheet starts with.
    void resolve(BandPrint &band) const
    {
        if (!m_rows || m_rows->eof())
            return;
        for (Element &e : band.elements())
            if (e.kind == ElementKind::Data)
                e.text = dataText(e, *m_rows);
    }

    void newSheet()
    {
        m_document.sheets.push_back(Sheet{m_report.name, {}});
        m_y = kMargin;
        m_hasBody = false;
        for (const Band &b : m_report.bands)
            if (b.kind == BandKind::PageHeader) {
                BandPrint band(b);
                resolve(band);
                place(band, -1, true);
            }
    }

    // Puts the band at the current position, on a new sheet when it does not fit below what the
    // sheet already carries.
    void place(const BandPrint &band, int row, bool header = false)
    {
        if (!header && m_hasBody && m_y + band.height() > kBottomLimit + kTolerance)
            newSheet();
        if (!header)
            m_hasBody = true;
        Sheet &sheet = m_document.sheets.back();
        PlacedBand placed{band.name(), row, m_y, band.height(), {}};
        for (const Element &e : band.elements()) {
            if (!e.visible)
                continue;
            QRectF r = e.rect;
            if (e.followsHeight)
                r.setBottom(band.height() + band.overlap());
            else if (r.bottom() > band.height() + kTolerance)
                continue;
            r.translate(kMargin, m_y);
            placed.ops.push_back(toOp(e, r));
        }
        sheet.bands.push_back(std::move(placed));
        m_y += band.height();
    }

private:
    static DrawOp toOp(const Element &e, const QRectF &r)
    {
        DrawOp op;
        op.rect = r;
        op.name = e.name;
        op.pen = e.pen;
        switch (e.kind) {
        case ElementKind::Label:
        case ElementKind::Data:
            op.kind = OpKind::Text;
            op.text = e.text;
            op.font = e.font;
            op.alignment = e.alignment;
            op.wrap = e.wrap;
            op.color = e.color;
            break;
        case ElementKind::Box: op.kind = OpKind::Frame; break;
        case ElementKind::Rule: op.kind = OpKind::Line; break;
        case ElementKind::Fill:
            op.kind = OpKind::Fill;
            op.color = e.color;
            break;
        case ElementKind::Picture:
            op.kind = OpKind::Image;
            op.image = e.image;
            break;
        }
        return op;
    }

    const Report &m_report;
    Dataset *m_rows;
    Document &m_document;
    double m_y = kMargin;
    bool m_hasBody = false;
};

const Band *bandOf(const Report &report, BandKind kind)
{
    for (const Band &b : report.bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

} // namespace

QLocale printLocale()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

Element label(const QRectF &rect, const QString &text, Qt::Alignment alignment)
{
    Element e = make(ElementKind::Label, rect);
    e.text = text;
    e.aligned(alignment);
    return e;
}

Element field(const QRectF &rect, const QString &column, Qt::Alignment alignment)
{
    Element e = make(ElementKind::Data, rect);
    e.column = column;
    e.aligned(alignment);
    return e;
}

Element amount(const QRectF &rect, const QString &column, const QString &pictureText)
{
    Element e = field(rect, column, Qt::AlignRight);
    e.format = DataFormat::Number;
    e.picture = pictureText;
    return e;
}

Element masked(const QRectF &rect, const QString &column, const QString &mask, Qt::Alignment alignment)
{
    Element e = field(rect, column, alignment);
    e.format = DataFormat::Mask;
    e.picture = mask;
    return e;
}

Element box(const QRectF &rect)
{
    return make(ElementKind::Box, rect);
}

Element hrule(double x, double y, double width)
{
    return make(ElementKind::Rule, QRectF(x, y, width, 0));
}

Element vrule(double x, double y, double height)
{
    return make(ElementKind::Rule, QRectF(x, y, 0, height));
}

Element fill(const QRectF &rect, const QColor &color)
{
    Element e = make(ElementKind::Fill, rect);
    e.color = color;
    return e;
}

Element picture(const QRectF &rect, const QImage &image)
{
    Element e = make(ElementKind::Picture, rect);
    e.image = image;
    return e;
}

Element *BandPrint::find(const QString &wanted)
{
    for (Element &e : m_band.elements)
        if (e.name == wanted)
            return &e;
    return nullptr;
}

Element &BandPrint::element(const QString &wanted)
{
    if (Element *e = find(wanted))
        return *e;
    throw EngineError(u"A faixa %1 não tem o componente %2."_s.arg(m_band.name, wanted));
}

void BandPrint::setGroupVisible(const QString &group, bool visible)
{
    for (Element &e : m_band.elements)
        if (e.group == group)
            e.visible = visible;
}

void AtribuiTexto(BandPrint &band, const QString &name, const QString &text)
{
    band.element(name).text = text;
}

void layoutReport(const Report &report, Dataset *rows, Document &document)
{
    if (rows && rows->isEmpty())
        return;
    if (report.onStart)
        report.onStart();
    Layout layout(report, rows, document);
    if (rows)
        rows->first();
    layout.newSheet();

    if (const Band *header = bandOf(report, BandKind::GroupHeader)) {
        BandPrint band(*header);
        if (report.beforeGroupHeader)
            report.beforeGroupHeader(band);
        layout.place(band, -1);
    }
    if (rows) {
        if (const Band *detail = bandOf(report, BandKind::Detail)) {
            int row = 0;
            for (rows->first(); !rows->eof(); rows->next(), ++row) {
                BandPrint band(*detail);
                layout.resolve(band);
                if (report.beforeDetail)
                    report.beforeDetail(band, *rows);
                layout.place(band, row);
            }
        }
    }
    if (const Band *footer = bandOf(report, BandKind::GroupFooter)) {
        BandPrint band(*footer);
        if (report.beforeFooter)
            report.beforeFooter(band);
        layout.place(band, -1);
        if (report.afterFooter)
            report.afterFooter();
    }
    if (const Band *summary = bandOf(report, BandKind::Summary))
        layout.place(BandPrint(*summary), -1);
}

} // namespace zef::print
