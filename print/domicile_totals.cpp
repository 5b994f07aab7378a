#include "print/domicile_totals.h"

#include "data/display_format.h"
#include "engine/dataset.h"
#include "engine/field.h"

#include <algorithm>

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

constexpr auto kTotalPicture = u"###,###,###,##0.00";
constexpr int kMunicipalityLength = 50;
constexpr double kTextPoints = 6.0;
constexpr double kInset = 0.8;

QString slotName(const QString &prefix, int slot)
{
    return prefix + QString::number(slot);
}

} // namespace

double TotalsGeometry::lineHeight() const
{
    double h = heights[0];
    for (int i = 1; i < kDomicileSlots; ++i)
        h = std::min(h, heights[std::size_t(i)] - heights[std::size_t(i - 1)]);
    return h;
}

double TotalsGeometry::captionHeight() const
{
    double h = heights[0] - captionTops[0];
    for (std::size_t i = 1; i < heights.size(); ++i)
        h = std::min(h, heights[i] - captionTops[i]);
    return h;
}

DomicileTotals::DomicileTotals(TotalsGeometry geometry, DomicileCells cells, std::vector<TotalledColumn> columns)
    : m_geometry(geometry), m_cells(std::move(cells)), m_columns(std::move(columns))
{
    clear();
}

Band DomicileTotals::band(const QString &caption, const QRectF &captionCell, const std::vector<double> &rules) const
{
    Band b;
    b.kind = BandKind::GroupFooter;
    b.name = u"rodape"_s;
    b.height = m_geometry.heights.back();
    const double lineHeight = m_geometry.lineHeight();
    b.elements.push_back(label(QRectF(captionCell.left(), m_geometry.captionTops[0], captionCell.width(),
                                      m_geometry.captionHeight()),
                               caption, Qt::AlignCenter)
                             .named(u"lTotal"_s)
                             .bold()
                             .size(kTextPoints));
    for (int n = 0; n < kDomicileSlots; ++n) {
        const double top = m_geometry.lineTop(n);
        auto cell = [&](const QRectF &x, const QString &name, Qt::Alignment a) {
            return label(QRectF(x.left(), top, x.width(), lineHeight), QString(), a).named(name).size(kTextPoints);
        };
        b.elements.push_back(cell(m_cells.letter.adjusted(kInset, 0, -kInset, 0), slotName(u"lTipoDom"_s, n), Qt::AlignCenter));
        b.elements.push_back(cell(m_cells.municipality.adjusted(kInset, 0, -kInset, 0), slotName(u"lNomeDom"_s, n), Qt::AlignLeft));
        for (const TotalledColumn &c : m_columns)
            b.elements.push_back(cell(QRectF(c.left + kInset, 0, c.width - 2 * kInset, 0), slotName(c.prefix, n), Qt::AlignRight));
    }
    b.elements.push_back(box(QRectF(0, 0, kContentWidth, b.height)).stretches());
    for (double x : rules)
        b.elements.push_back(vrule(x, 0, b.height).stretches());
    return b;
}

void DomicileTotals::clear()
{
    for (Slot &s : m_slots)
        s = Slot{QString(), QString(), std::vector<double>(m_columns.size(), 0.0), false};
}

void DomicileTotals::clearValues()
{
    for (Slot &s : m_slots) {
        s.letter.clear();
        s.municipality.clear();
        std::fill(s.totals.begin(), s.totals.end(), 0.0);
    }
}

void DomicileTotals::add(const Dataset &row)
{
    const QString letter = row.fieldByName(u"TipoDomicilio"_s)->asString();
    static const QString kLetters = u"ABCDE"_s;
    const qsizetype index = letter.size() == 1 ? kLetters.indexOf(letter) : -1;
    if (index < 0)
        return;
    Slot &s = m_slots[std::size_t(index)];
    s.letter = letter;
    s.municipality = row.fieldByName(m_cells.municipalityColumn)->asString().left(kMunicipalityLength);
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        s.totals[i] += row.fieldByName(m_columns[i].column)->asFloat();
    s.used = true;
}

int DomicileTotals::lines() const
{
    int last = 0;
    for (int n = 0; n < kDomicileSlots; ++n)
        if (m_slots[std::size_t(n)].used)
            last = n;
    return last + 1;
}

void DomicileTotals::apply(BandPrint &footer) const
{
    const std::size_t lineCount = std::size_t(lines());
    footer.setHeight(m_geometry.heights[lineCount - 1], m_geometry.overlap);
    Element &caption = footer.element(u"lTotal"_s);
    caption.rect.moveTop(m_geometry.captionTops[lineCount - 1]);
    const QLocale locale = printLocale();
    for (int n = 0; n < kDomicileSlots; ++n) {
        const Slot &s = m_slots[std::size_t(n)];
        AtribuiTexto(footer, slotName(u"lTipoDom"_s, n), s.used ? s.letter : QString());
        AtribuiTexto(footer, slotName(u"lNomeDom"_s, n), s.used ? s.municipality : QString());
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            AtribuiTexto(footer, slotName(m_columns[i].prefix, n),
                         s.used ? DisplayFormat::format(s.totals[i], QString::fromUtf16(kTotalPicture), locale)
                                : QString());
    }
}

} // namespace zef::print
