#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

namespace zef {

// The small expression language of table filters ("UF='VD'", "Codigo<>'1727000' and UF='VD'")
// and column constraints ("VlrContabil >= 0 or VlrContabil is null"): comparisons of a column
// with a literal, "is [not] null", "and", "or", "not" and parentheses.
class FilterExpression
{
public:
    FilterExpression();
    // Throws EngineError naming the expression when it does not parse.
    explicit FilterExpression(const QString &text);
    ~FilterExpression();
    FilterExpression(FilterExpression &&) noexcept;
    FilterExpression &operator=(FilterExpression &&) noexcept;

    bool isEmpty() const { return !m_root; }
    const QString &text() const { return m_text; }
    QStringList columns() const;

    // SQL condition with '?' placeholders, the literals appended to `values` in order.
    // `column` maps a column name to its quoted SQL form.
    QString toSql(QVariantList &values, const std::function<QString(const QString &)> &column) const;

    // Evaluates against a record; comparisons with null are unknown and the whole
    // expression passes unless it is definitely false (as SQL checks do).
    bool accepts(const std::function<QVariant(const QString &)> &valueOf) const;

    struct Node;

private:
    QString m_text;
    std::unique_ptr<Node> m_root;
};

} // namespace zef
