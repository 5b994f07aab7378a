#include "engine/filter_expression.h"

#include "engine/engine_error.h"

#include <QDate>
#include <optional>

namespace zef {

struct FilterExpression::Node {
    enum Kind { And, Or, Not, Compare, IsNull, IsNotNull } kind = Compare;
    std::unique_ptr<Node> left, right;
    QString column;
    QString op;
    QVariant literal;
};

namespace {

using Node = FilterExpression::Node;

class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) {}

    std::unique_ptr<Node> parse()
    {
        auto node = parseOr();
        skipSpace();
        if (m_pos != m_text.size())
            fail();
        return node;
    }

private:
    [[noreturn]] void fail() const
    {
        throw EngineError(QStringLiteral("Expressão de filtro inválida: %1").arg(m_text));
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    bool keyword(const char *word)
    {
        skipSpace();
        const QLatin1String w(word);
        if (m_text.mid(m_pos, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype end = m_pos + w.size();
        if (end < m_text.size() && (m_text.at(end).isLetterOrNumber() || m_text.at(end) == QLatin1Char('_')))
            return false;
        m_pos = end;
        return true;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto left = parseAnd();
        while (keyword("or")) {
            auto n = std::make_unique<Node>();
            n->kind = Node::Or;
            n->left = std::move(left);
            n->right = parseAnd();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto left = parseUnary();
        while (keyword("and")) {
            auto n = std::make_unique<Node>();
            n->kind = Node::And;
            n->left = std::move(left);
            n->right = parseUnary();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<Node> parseUnary()
    {
        if (keyword("not")) {
            auto n = std::make_unique<Node>();
            n->kind = Node::Not;
            n->left = parseUnary();
            return n;
        }
        skipSpace();
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('(')) {
            ++m_pos;
            auto inner = parseOr();
            skipSpace();
            if (m_pos >= m_text.size() || m_text.at(m_pos) != QLatin1Char(')'))
                fail();
            ++m_pos;
            return inner;
        }
        return parseComparison();
    }

    QString identifier()
    {
        skipSpace();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == QLatin1Char('_')))
            ++m_pos;
        if (start == m_pos || m_text.at(start).isDigit())
            fail();
        return m_text.mid(start, m_pos - start);
    }

    QVariant literal()
    {
        skipSpace();
        if (m_pos >= m_text.size())
            fail();
        const QChar c = m_text.at(m_pos);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString value;
            ++m_pos;
            for (;;) {
                if (m_pos >= m_text.size())
                    fail();
                const QChar ch = m_text.at(m_pos++);
                if (ch == c) {
                    if (m_pos < m_text.size() && m_text.at(m_pos) == c) {
                        value += c;
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                value += ch;
            }
            return value;
        }
        const qsizetype start = m_pos;
        if (c == QLatin1Char('-') || c == QLatin1Char('+'))
            ++m_pos;
        while (m_pos < m_text.size() && (m_text.at(m_pos).isDigit() || m_text.at(m_pos) == QLatin1Char('.')))
            ++m_pos;
        bool ok = false;
        const double v = m_text.mid(start, m_pos - start).toDouble(&ok);
        if (!ok)
            fail();
        return v;
    }

    std::unique_ptr<Node> parseComparison()
    {
        auto n = std::make_unique<Node>();
        n->column = identifier();
        if (keyword("is")) {
            n->kind = keyword("not") ? Node::IsNotNull : Node::IsNull;
            if (!keyword("null"))
                fail();
            return n;
        }
        skipSpace();
        static const char *const ops[] = {"<>", "<=", ">=", "!=", "=", "<", ">"};
        for (const char *op : ops) {
            const QLatin1String o(op);
            if (m_text.mid(m_pos, o.size()) == o) {
                n->op = o == QLatin1String("!=") ? QStringLiteral("<>") : QString(o);
                m_pos += o.size();
                n->literal = literal();
                return n;
            }
        }
        fail();
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

void collectColumns(const Node *n, QStringList &out)
{
    if (!n)
        return;
    if (!n->column.isEmpty() && !out.contains(n->column, Qt::CaseInsensitive))
        out.append(n->column);
    collectColumns(n->left.get(), out);
    collectColumns(n->right.get(), out);
}

QString sqlOf(const Node *n, QVariantList &values, const std::function<QString(const QString &)> &column)
{
    // Operands are built one statement at a time: the placeholders must meet their values in
    // text order, and the order of evaluation inside one expression is unspecified.
    switch (n->kind) {
    case Node::And:
    case Node::Or: {
        const QString left = sqlOf(n->left.get(), values, column);
        const QString right = sqlOf(n->right.get(), values, column);
        return QLatin1Char('(') + left + (n->kind == Node::And ? QStringLiteral(" AND ") : QStringLiteral(" OR "))
            + right + QLatin1Char(')');
    }
    case Node::Not: {
        const QString inner = sqlOf(n->left.get(), values, column);
        return QStringLiteral("NOT (") + inner + QLatin1Char(')');
    }
    case Node::IsNull:
        return column(n->column) + QStringLiteral(" IS NULL");
    case Node::IsNotNull:
        return column(n->column) + QStringLiteral(" IS NOT NULL");
    case Node::Compare:
        values.append(n->literal);
        return column(n->column) + QLatin1Char(' ') + n->op + QStringLiteral(" ?");
    }
    return QString();
}

// Three-valued result: nullopt is "unknown".
std::optional<bool> evaluate(const Node *n, const std::function<QVariant(const QString &)> &valueOf)
{
    switch (n->kind) {
    case Node::And: {
        const auto l = evaluate(n->left.get(), valueOf);
        const auto r = evaluate(n->right.get(), valueOf);
        if ((l && !*l) || (r && !*r))
            return false;
        if (l && r)
            return true;
        return std::nullopt;
    }
    case Node::Or: {
        const auto l = evaluate(n->left.get(), valueOf);
        const auto r = evaluate(n->right.get(), valueOf);
        if ((l && *l) || (r && *r))
            return true;
        if (l && r)
            return false;
        return std::nullopt;
    }
    case Node::Not: {
        const auto l = evaluate(n->left.get(), valueOf);
        if (!l)
            return std::nullopt;
        return !*l;
    }
    case Node::IsNull:
    case Node::IsNotNull: {
        const QVariant v = valueOf(n->column);
        const bool isNull = v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
        return n->kind == Node::IsNull ? isNull : !isNull;
    }
    case Node::Compare: {
        const QVariant v = valueOf(n->column);
        if (v.isNull())
            return std::nullopt;
        int c = 0;
        if (n->literal.typeId() == QMetaType::Double) {
            bool ok = true;
            const double d = v.typeId() == QMetaType::QString ? v.toString().toDouble(&ok) : v.toDouble(&ok);
            if (!ok)
                return std::nullopt;
            const double lit = n->literal.toDouble();
            c = d < lit ? -1 : (d > lit ? 1 : 0);
        } else {
            const QString s = v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
            c = s.compare(n->literal.toString());
        }
        const QString &op = n->op;
        if (op == QLatin1String("="))
            return c == 0;
        if (op == QLatin1String("<>"))
            return c != 0;
        if (op == QLatin1String("<"))
            return c < 0;
        if (op == QLatin1String("<="))
            return c <= 0;
        if (op == QLatin1String(">"))
            return c > 0;
        return c >= 0;
    }
    }
    return std::nullopt;
}

} // namespace

FilterExpression::FilterExpression(const QString &text) : m_text(text.trimmed())
{
    if (!m_text.isEmpty())
        m_root = Parser(m_text).parse();
}

FilterExpression::FilterExpression() = default;
FilterExpression::~FilterExpression() = default;
FilterExpression::FilterExpression(FilterExpression &&) noexcept = default;
FilterExpression &FilterExpression::operator=(FilterExpression &&) noexcept = default;

QStringList FilterExpression::columns() const
{
    QStringList out;
    collectColumns(m_root.get(), out);
    return out;
}

QString FilterExpression::toSql(QVariantList &values, const std::function<QString(const QString &)> &column) const
{
    return m_root ? sqlOf(m_root.get(), values, column) : QString();
}

bool FilterExpression::accepts(const std::function<QVariant(const QString &)> &valueOf) const
{
    if (!m_root)
        return true;
    const auto r = evaluate(m_root.get(), valueOf);
    return !r || *r;
}

} // namespace zef
