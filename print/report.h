#pragma once

#include "print/drawing.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <vector>

namespace zef {
class Dataset;
}

namespace zef::print {

// Amounts and dates print the Brazilian way whatever the workstation's language.
QLocale printLocale();

enum class ElementKind { Label, Data, Box, Rule, Fill, Picture };

// How a data element writes its column: as the engine writes it (dates dd/mm/yyyy), as a number
// under a display format, or as text laid into an edit mask.
enum class DataFormat { Plain, Number, Mask };

// One element of a band. Positions are millimetres: x from the left margin, y from the band's top.
struct Element {
    ElementKind kind = ElementKind::Label;
    QString name;             // for AtribuiTexto and for tests reading the drawing list
    QString group;            // elements shown or hidden together
    QRectF rect;
    QString text;             // a label's caption; a data element's text once its row is read
    QString column;           // a data element's column
    DataFormat format = DataFormat::Plain;
    QString picture;          // the display format or the edit mask
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    FontStyle font;
    bool wrap = false;
    QColor color;             // a fill's colour; a text's background
    double pen = 0.2;
    bool followsHeight = false;   // frames and vertical rules that reach the band's bottom
    bool visible = true;
    QImage image;

    Element &named(const QString &n) { name = n; return *this; }
    Element &inGroup(const QString &g) { group = g; return *this; }
    Element &bold(bool b = true) { font.bold = b; return *this; }
    Element &size(double points) { font.points = points; return *this; }
    Element &aligned(Qt::Alignment a)
    {
        alignment = (a & Qt::AlignVertical_Mask) ? a : (a | Qt::AlignVCenter);
        return *this;
    }
    Element &wrapped() { wrap = true; return *this; }
    Element &background(const QColor &c) { color = c; return *this; }
    Element &stretches() { followsHeight = true; return *this; }
    Element &hidden() { visible = false; return *this; }
    Element &penWidth(double w) { pen = w; return *this; }
};

Element label(const QRectF &rect, const QString &text, Qt::Alignment alignment = Qt::AlignLeft);
Element field(const QRectF &rect, const QString &column, Qt::Alignment alignment = Qt::AlignLeft);
Element amount(const QRectF &rect, const QString &column, const QString &picture);
Element masked(const QRectF &rect, const QString &column, const QString &mask,
               Qt::Alignment alignment = Qt::AlignLeft);
Element box(const QRectF &rect);
Element hrule(double x, double y, double width);
Element vrule(double x, double y, double height);
Element fill(const QRectF &rect, const QColor &color);
Element picture(const QRectF &rect, const QImage &image);

enum class BandKind {
    PageHeader,    // at the top of every sheet of the report
    GroupHeader,   // once, before the first detail line
    Detail,        // once per query row
    GroupFooter,   // once, after the last detail line
    Summary,       // once, at the very end (the closing rule)
};

struct Band {
    BandKind kind = BandKind::Detail;
    QString name;
    double height = 0;
    std::vector<Element> elements;
};

// A band about to print: a copy of its description that the report's hooks may change.
class BandPrint
{
public:
    explicit BandPrint(const Band &band) : m_band(band) {}

    const QString &name() const { return m_band.name; }
    BandKind kind() const { return m_band.kind; }
    double height() const { return m_band.height; }
    // Elements that do not fit above the new height do not print; stretching frames and
    // vertical rules reach the new height plus the overlap.
    void setHeight(double height, double overlap = 0)
    {
        m_band.height = height;
        m_overlap = overlap;
    }
    double overlap() const { return m_overlap; }

    Element *find(const QString &name);
    Element &element(const QString &name);     // throws when the band has no such element
    void setGroupVisible(const QString &group, bool visible);
    std::vector<Element> &elements() { return m_band.elements; }
    const std::vector<Element> &elements() const { return m_band.elements; }

private:
    Band m_band;
    double m_overlap = 0;
};

// Sets the caption of the band's element of that name; an element the band lacks is an error of
// the page's description.
void AtribuiTexto(BandPrint &band, const QString &name, const QString &text);

// A banded report over one query: its bands and the hooks the pages hang their rules on.
struct Report {
    QString name;
    std::vector<Band> bands;

    std::function<void()> onStart;
    std::function<void(BandPrint &)> beforeGroupHeader;
    std::function<void(BandPrint &, const Dataset &)> beforeDetail;
    std::function<void(BandPrint &)> beforeFooter;
    std::function<void()> afterFooter;
};

// Lays the report out onto new sheets of the document, one detail band per row of the open
// dataset. Without a dataset the report has no detail and prints its other bands once (the blank
// pages); a dataset without rows adds nothing.
void layoutReport(const Report &report, Dataset *rows, Document &document);

} // namespace zef::print
