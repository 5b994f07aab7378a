#include "print/section_page.h"

#include "engine/dataset.h"
#include "engine/field.h"
#include "print/row_shading.h"

#include <memory>

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

constexpr double kHeadingPoints = 5.0;
constexpr double kCellPoints = 6.0;
constexpr double kHeadingLine = 2.5;
constexpr double kCellInset = 0.8;

Band headerBand(const SectionPage &page, const std::vector<Heading> &headings)
{
    Band b;
    b.kind = BandKind::GroupHeader;
    b.name = u"cabecalho"_s;
    const double headingsTop = kTitleHeight + 1.0;
    b.height = headingsTop + page.headingHeight;
    b.elements.push_back(box(QRectF(0, 0, kContentWidth, kTitleHeight)).penWidth(0.3));
    b.elements.push_back(
        label(QRectF(1.5, 0, kContentWidth - 3, kTitleHeight), page.title, Qt::AlignLeft).named(u"lTitulo"_s).bold().size(7));
    for (const Heading &h : headings) {
        const QRectF r = h.rect.translated(0, headingsTop);
        b.elements.push_back(box(r));
        const double block = kHeadingLine * double(h.lines.size());
        double y = r.top() + (r.height() - block) / 2;
        for (qsizetype i = 0; i < h.lines.size(); ++i, y += kHeadingLine) {
            Element l = label(QRectF(r.left() + 0.3, y, r.width() - 0.6, kHeadingLine), h.lines.at(i), Qt::AlignCenter)
                            .size(kHeadingPoints);
            if (i == 0)
                l.bold().named(u"item "_s + h.lines.at(0));
            b.elements.push_back(l);
        }
    }
    return b;
}

Band detailBand(const SectionPage &page)
{
    Band b;
    b.kind = BandKind::Detail;
    b.name = u"detalhe"_s;
    b.height = kDetailHeight;
    if (page.shaded)
        b.elements.push_back(fill(QRectF(0, 0, kContentWidth, kDetailHeight), kSilver).named(QString::fromUtf16(kBackdrop)));
    for (const Element &e : page.cells)
        b.elements.push_back(e);
    for (double x : page.rules)
        b.elements.push_back(vrule(x, 0, kDetailHeight));
    return b;
}

// The rule under the page, where the footer's frames end.
Band closingRule(double overlap = 0)
{
    Band b;
    b.kind = BandKind::Summary;
    b.name = u"fecho"_s;
    b.height = overlap + 1.0;
    b.elements.push_back(hrule(0, overlap, kContentWidth).penWidth(0.3));
    return b;
}

// Everything a section page remembers while it prints: fresh for each report.
struct PageState {
    std::unique_ptr<DomicileTotals> totals;
    std::unique_ptr<RowShading> shading;
    std::unique_ptr<StateLookup> states;
};

} // namespace

Element cellText(double left, double width, const QString &column, Qt::Alignment alignment)
{
    return field(QRectF(left + kCellInset, 0, width - 2 * kCellInset, kDetailHeight), column, alignment)
        .named(column)
        .size(kCellPoints);
}

Element cellAmount(double left, double width, const QString &column, const QString &pictureText)
{
    return amount(QRectF(left + kCellInset, 0, width - 2 * kCellInset, kDetailHeight), column, pictureText)
        .named(column)
        .size(kCellPoints);
}

Report sectionReport(const SectionPage &page, Database &db)
{
    Report r;
    r.name = page.name;
    r.bands.push_back(headerBand(page, page.headings));
    r.bands.push_back(detailBand(page));

    auto state = std::make_shared<PageState>();
    if (page.totals) {
        state->totals = std::make_unique<DomicileTotals>(*page.totals, page.domicile, page.totalled);
        r.bands.push_back(state->totals->band(page.caption, page.captionCell, page.rules));
    }
    if (page.shaded)
        state->shading = std::make_unique<RowShading>(page.firstColumnWidth);
    if (!page.stateColumn.isEmpty())
        state->states = std::make_unique<StateLookup>(db);
    r.bands.push_back(closingRule(page.totals ? page.totals->overlap : 0));

    r.onStart = [state] {
        if (state->totals)
            state->totals->clear();
        if (state->shading)
            state->shading->start();
    };
    const QString stateColumn = page.stateColumn;
    r.beforeDetail = [state, stateColumn](BandPrint &band, const Dataset &row) {
        if (state->totals)
            state->totals->add(row);
        if (state->shading)
            state->shading->apply(band, row);
        if (state->states) {
            const StateLookup::State s = state->states->find(row.fieldByName(stateColumn)->asString());
            AtribuiTexto(band, u"lCodUF"_s, s.number);
            AtribuiTexto(band, u"lNomeUF"_s, s.name);
        }
    };
    if (page.totals) {
        r.beforeFooter = [state](BandPrint &band) { state->totals->apply(band); };
        r.afterFooter = [state] { state->totals->clearValues(); };
    }
    return r;
}

Report blankReport(const SectionPage &page)
{
    Report r;
    r.name = page.blankName;
    r.bands.push_back(headerBand(page, page.blankHeadings.empty() ? page.headings : page.blankHeadings));

    Band zeros;
    zeros.kind = BandKind::GroupFooter;
    zeros.name = u"totais"_s;
    zeros.height = kDetailHeight;
    if (!page.blankCaption.isEmpty())
        zeros.elements.push_back(label(QRectF(page.captionCell.left(), 0, page.captionCell.width(), kDetailHeight),
                                       page.blankCaption, Qt::AlignCenter)
                                     .named(u"lTotal"_s)
                                     .bold()
                                     .size(kCellPoints));
    for (const TotalledColumn &c : page.totalled)
        zeros.elements.push_back(label(QRectF(c.left + kCellInset, 0, c.width - 2 * kCellInset, kDetailHeight),
                                       u"0,00"_s, Qt::AlignRight)
                                     .named(c.prefix + u'0')
                                     .size(kCellPoints));
    zeros.elements.push_back(box(QRectF(0, 0, kContentWidth, kDetailHeight)));
    for (double x : page.rules)
        zeros.elements.push_back(vrule(x, 0, kDetailHeight));
    r.bands.push_back(zeros);
    r.bands.push_back(closingRule());
    return r;
}

} // namespace zef::print
