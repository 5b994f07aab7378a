#pragma once

#include "print/report.h"

#include <array>
#include <vector>

namespace zef {
class Dataset;
}

namespace zef::print {

inline constexpr int kDomicileSlots = 5;   // letters "A" to "E"

// The geometry of a page's totals band by its number of lines (1 to 5), in millimetres: the
// band's height, the caption's top, and how far frames and vertical rules reach below the band.
struct TotalsGeometry {
    std::array<double, kDomicileSlots> heights;
    std::array<double, kDomicileSlots> captionTops;
    double overlap = 0;

    // Where slot n's line stands: at the height of a band of n lines.
    double lineTop(int slot) const { return slot == 0 ? 0.0 : heights[std::size_t(slot - 1)]; }
    // A line fits between two neighbouring tops.
    double lineHeight() const;
    // The caption fits at each of its tops.
    double captionHeight() const;
};

// One totalled column: the query column added up and its footer labels' prefix.
struct TotalledColumn {
    QString column;
    QString prefix;           // labels prefix0 .. prefix4
    double left = 0;
    double width = 0;
};

// Where the letter and the municipality of a totals line print.
struct DomicileCells {
    QRectF letter;            // x and width; the tops come from the geometry
    QRectF municipality;
    QString municipalityColumn = QStringLiteral("NomMunicipio");
};

// The five domicile slots of a page and the footer band that shows them.
class DomicileTotals
{
public:
    DomicileTotals(TotalsGeometry geometry, DomicileCells cells, std::vector<TotalledColumn> columns);

    // The footer band at its tallest: caption, five lines of labels, frame and vertical rules.
    Band band(const QString &caption, const QRectF &captionCell, const std::vector<double> &rules) const;

    // When the report starts: letters and names empty, totals 0, used flags off.
    void clear();
    // Before each detail line: a row of "A" to "E" fills its letter's slot.
    void add(const Dataset &row);
    // Before the footer prints: sizes the band to the last used slot and fills the labels.
    void apply(BandPrint &footer) const;
    // After the footer has printed: letters, names and totals cleared, used flags kept.
    void clearValues();

    int lines() const;        // up to the last used slot; at least one

private:
    struct Slot {
        QString letter;
        QString municipality;
        std::vector<double> totals;
        bool used = false;
    };

    TotalsGeometry m_geometry;
    DomicileCells m_cells;
    std::vector<TotalledColumn> m_columns;
    std::array<Slot, kDomicileSlots> m_slots;
};

} // namespace zef::print
