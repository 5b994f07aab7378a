#include "engine/collation.h"

#include <QString>
#include <array>
#include <sqlite3.h>

namespace zef {
namespace {

// Base letter, upper case, of every character below U+0250; built once from Unicode
// decomposition so the hot comparison is a table look-up.
struct FoldTable {
    std::array<char16_t, 0x250> map{};
    FoldTable()
    {
        for (char16_t c = 0; c < map.size(); ++c) {
            const QString decomposed = QString(QChar(c)).normalized(QString::NormalizationForm_D);
            QChar base = decomposed.isEmpty() ? QChar(c) : decomposed.at(0);
            map[c] = base.toUpper().unicode();
        }
        map[0x00DF] = u'S';  // ß
        map[0x00C6] = u'A';  // Æ
        map[0x00E6] = u'A';
        map[0x00D8] = u'O';  // Ø
        map[0x00F8] = u'O';
    }
};

const FoldTable &foldTable()
{
    static const FoldTable table;
    return table;
}

inline char16_t fold(char16_t c)
{
    const auto &t = foldTable().map;
    if (c < t.size())
        return t[c];
    return QChar(c).toUpper().unicode();
}

int collate(void *, int lenA, const void *a, int lenB, const void *b)
{
    const QStringView va(static_cast<const char16_t *>(a), lenA / 2);
    const QStringView vb(static_cast<const char16_t *>(b), lenB / 2);
    return compareNames(va, vb);
}

} // namespace

int compareNames(QStringView a, QStringView b)
{
    const int folded = compareFolded(a, b);
    return folded != 0 ? folded : compareExact(a, b);
}

int compareFolded(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t fa = fold(a[i].unicode());
        const char16_t fb = fold(b[i].unicode());
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

int compareExact(QStringView a, QStringView b)
{
    const int c = a.compare(b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool registerCollations(sqlite3 *handle)
{
    return sqlite3_create_collation_v2(handle, kNameCollation, SQLITE_UTF16, nullptr, collate, nullptr)
        == SQLITE_OK;
}

} // namespace zef
