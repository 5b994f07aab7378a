#include "print/drawing.h"

#include <QStringList>

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

QString mm(double v)
{
    return QString::number(v, 'f', 1);
}

QString alignmentText(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return u"center"_s;
    if (a & Qt::AlignRight)
        return u"right"_s;
    return u"left"_s;
}

QString opText(const DrawOp &op)
{
    QString s;
    switch (op.kind) {
    case OpKind::Text: s = u"text"_s; break;
    case OpKind::Fill: s = u"fill"_s; break;
    case OpKind::Frame: s = u"frame"_s; break;
    case OpKind::Line: s = u"line"_s; break;
    case OpKind::Image: s = u"image"_s; break;
    }
    if (!op.name.isEmpty())
        s += u" ["_s + op.name + u']';
    s += u' ' + mm(op.rect.left()) + u',' + mm(op.rect.top()) + u' ' + mm(op.rect.width()) + u'x'
        + mm(op.rect.height());
    if (op.kind == OpKind::Text) {
        s += u' ' + alignmentText(op.alignment) + u' ' + QString::number(op.font.points) + u"pt"_s;
        if (op.font.bold)
            s += u" bold"_s;
        if (op.color.isValid())
            s += u" bg="_s + op.color.name();
        s += u" \""_s + op.text + u'"';
    } else if (op.kind == OpKind::Fill) {
        s += u' ' + op.color.name();
    }
    return s;
}

} // namespace

const DrawOp *PlacedBand::op(const QString &wanted) const
{
    for (const DrawOp &o : ops)
        if (o.name == wanted)
            return &o;
    return nullptr;
}

QString PlacedBand::text(const QString &wanted) const
{
    const DrawOp *o = op(wanted);
    return o ? o->text : QString();
}

std::vector<const PlacedBand *> Sheet::bandsNamed(const QString &wanted) const
{
    std::vector<const PlacedBand *> found;
    for (const PlacedBand &b : bands)
        if (b.name == wanted)
            found.push_back(&b);
    return found;
}

QString describe(const Document &document)
{
    QStringList lines;
    for (std::size_t i = 0; i < document.sheets.size(); ++i) {
        const Sheet &sheet = document.sheets[i];
        lines.append(u"sheet %1 %2"_s.arg(i + 1).arg(sheet.report));
        for (const PlacedBand &band : sheet.bands) {
            QString head = u"  band "_s + band.name;
            if (band.row >= 0)
                head += u'#' + QString::number(band.row);
            lines.append(head + u" top="_s + mm(band.top) + u" height="_s + mm(band.height));
            for (const DrawOp &op : band.ops)
                lines.append(u"    "_s + opText(op));
        }
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace zef::print
