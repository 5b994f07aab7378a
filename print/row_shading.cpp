#include "print/row_shading.h"

#include "data/display_format.h"
#include "engine/field.h"
#include "engine/query.h"

namespace zef::print {

using namespace Qt::StringLiterals;

void RowShading::apply(BandPrint &detail, const Dataset &row)
{
    if (row.fieldByName(u"TipoDomicilio"_s)->asString() == u"A"_s)
        m_on = !m_on;
    Element &backdrop = detail.element(QString::fromUtf16(kBackdrop));
    backdrop.rect.setWidth(m_on ? kContentWidth : m_firstColumnWidth);
    const QColor cells = m_on ? kSilver : QColor(Qt::white);
    for (Element &e : detail.elements())
        if (e.group == QString::fromUtf16(kDataCells))
            e.color = cells;
}

StateLookup::StateLookup(Database &db) : m_query(std::make_unique<Query>(db))
{
    m_query->addLine(u"select CodUF,Descricao from UF"_s);
    m_query->addLine(u"where SiglaUF  = :SiglaUF "_s);
}

StateLookup::~StateLookup() = default;

StateLookup::State StateLookup::find(const QString &code)
{
    const auto known = m_known.constFind(code);
    if (known != m_known.constEnd())
        return *known;
    m_query->close();
    m_query->setParam(u"SiglaUF"_s, code);
    m_query->open();
    State s;
    if (!m_query->isEmpty()) {
        const Field *number = m_query->fieldByName(u"CodUF"_s);
        if (!number->isNull())
            s.number = DisplayFormat::format(number->asFloat(), u"0#"_s, printLocale());
        s.name = m_query->fieldByName(u"Descricao"_s)->asString();
    }
    m_query->close();
    m_known.insert(code, s);
    return s;
}

} // namespace zef::print
