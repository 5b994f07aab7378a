#pragma once

#include "print/domicile_totals.h"
#include "print/report.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace zef {
class Database;
}

namespace zef::print {

// A column heading: its box in the headings row, its item number and caption lines.
struct Heading {
    QRectF rect;              // x from the left margin, y from the top of the headings row
    QStringList lines;        // the item number first ("3.3"), then the caption lines
};

// The description of a section page: its query, title, headings, the cells of a detail line and
// its totals band; what every section page does alike is built from it (sectionReport), and so is
// the blank page printed when the section has no rows (blankReport).
struct SectionPage {
    QString name;             // TfprintEntradasOPDom
    QString blankName;        // TfprintEntradasDomVazia; empty when the page has no blank substitute
    QString sql;              // over :AnoBase and :CGCEmpresa
    QString title;
    double headingHeight = 11;
    std::vector<Heading> headings;
    std::vector<double> rules;            // x of the vertical rules, edges included
    std::vector<Element> cells;           // the detail line; shaded cells in group kDataCells
    double firstColumnWidth = 0;

    // The domicile totals band; without it the footer is only the closing rule.
    std::optional<TotalsGeometry> totals;
    DomicileCells domicile;
    std::vector<TotalledColumn> totalled;
    QString caption = QStringLiteral("T O T A L");
    QRectF captionCell;                   // x and width of the caption

    bool shaded = false;
    QString stateColumn;                  // the two-letter state code looked up in UF.DB; empty: none

    // The blank page's line of zeros: its caption (none when empty) and the cells that print
    // "0,00" (the totalled columns when none are given).
    QString blankCaption = QStringLiteral("T O T A L");
    std::vector<Heading> blankHeadings;   // empty: the data page's headings
};

inline constexpr double kDetailHeight = 4.0;
inline constexpr double kTitleHeight = 6.0;

// The data page: group header (title and headings, on the first sheet only), one detail line per
// row, the totals band (or nothing) and the closing rule.
Report sectionReport(const SectionPage &page, Database &db);
// The blank page: the title, the headings and a line of zero totals.
Report blankReport(const SectionPage &page);

// Helpers for the descriptions.
Element cellText(double left, double width, const QString &column, Qt::Alignment alignment = Qt::AlignLeft);
Element cellAmount(double left, double width, const QString &column,
                   const QString &picture = QStringLiteral("###,###,###,##0.00"));

} // namespace zef::print
