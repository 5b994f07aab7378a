#pragma once

#include "print/report.h"

#include <QHash>
#include <QPair>

#include <memory>

namespace zef {
class Database;
class Dataset;
class Query;
}

namespace zef::print {

// Names the shaded detail lines use: the backdrop fill and the group of the data cells.
inline constexpr auto kBackdrop = u"fundo";
inline constexpr auto kDataCells = u"celulas";

// Groups of rows that each begin with a domicile-A row alternate between white and silver, the
// first such group white; the first column always sits on silver.
class RowShading
{
public:
    explicit RowShading(double firstColumnWidth) : m_firstColumnWidth(firstColumnWidth) {}

    void start() { m_on = true; }
    void apply(BandPrint &detail, const Dataset &row);

private:
    double m_firstColumnWidth;
    bool m_on = true;
};

// The state's number and name for its two-letter code, from UF.DB; empty texts for a code the
// table lacks. Each code is asked once per page.
class StateLookup
{
public:
    explicit StateLookup(Database &db);
    ~StateLookup();

    struct State {
        QString number;       // CodUF with "0#"
        QString name;
    };
    State find(const QString &code);

private:
    std::unique_ptr<Query> m_query;
    QHash<QString, State> m_known;
};

} // namespace zef::print
