#include "data/index_list.h"

#include "engine/engine_error.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace zef {

namespace {

using namespace Qt::StringLiterals;

constexpr auto kSectionTables = u"Tabelas";
constexpr auto kSectionIndexes = u"Indices";
constexpr auto kSectionFields = u"Campos";
constexpr auto kKeyTotal = u"Total";

QString entryKey(int number)
{
    return u"%1"_s.arg(number, 3, 10, QLatin1Char('0'));
}

// Sections and keys of an INI text, names folded to lower case as the profile functions compare
// them without regard to case. The first occurrence of a key counts.
class IniText
{
public:
    explicit IniText(const QString &text)
    {
        QString section;
        for (QStringView line : QStringView(text).split(u'\n')) {
            line = line.trimmed();
            if (line.startsWith(u'\xFEFF'))
                line = line.mid(1).trimmed();
            if (line.isEmpty() || line.startsWith(u';'))
                continue;
            if (line.startsWith(u'[')) {
                const qsizetype close = line.indexOf(u']');
                section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toString().toLower();
                continue;
            }
            const qsizetype equals = line.indexOf(u'=');
            if (equals < 0)
                continue;
            const QString key = section + u'\n' + line.left(equals).trimmed().toString().toLower();
            if (!m_values.contains(key))
                m_values.insert(key, unquoted(line.mid(equals + 1).trimmed()));
        }
    }

    QString value(QStringView section, const QString &key) const
    {
        return m_values.value(section.toString().toLower() + u'\n' + key.toLower());
    }

private:
    // A value written between a pair of quotes reads without them.
    static QString unquoted(QStringView value)
    {
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
            value = value.mid(1, value.size() - 2).trimmed();
        return value.toString();
    }

    QHash<QString, QString> m_values;
};

} // namespace

QList<IndexDef> primaryFirst(const QList<IndexDef> &indexes)
{
    QList<IndexDef> ordered;
    for (const IndexDef &index : indexes)
        if (index.isPrimary())
            ordered.append(index);
    for (const IndexDef &index : indexes)
        if (!index.isPrimary())
            ordered.append(index);
    return ordered;
}

QString indexListText(const QList<TableDef> &tables)
{
    QList<IndexListEntry> entries;
    for (const TableDef &table : tables)
        for (const IndexDef &index : primaryFirst(table.indexes))
            entries.append({table.fileName, index.name, index.fields});

    QString indexes = u"[%1]\n%2=%3\n"_s.arg(QString::fromUtf16(kSectionIndexes), QString::fromUtf16(kKeyTotal))
                          .arg(entries.size());
    QString names = u"[%1]\n"_s.arg(QString::fromUtf16(kSectionTables));
    QString fields = u"[%1]\n"_s.arg(QString::fromUtf16(kSectionFields));
    for (int i = 0; i < entries.size(); ++i) {
        const QString key = entryKey(i + 1);
        const IndexListEntry &entry = entries.at(i);
        names += key + u'=' + entry.table + u'\n';
        indexes += key + u'=' + entry.index + u'\n';
        fields += key + u'=' + entry.fields.join(u';') + u'\n';
    }
    return names + u'\n' + indexes + u'\n' + fields;
}

void writeIndexList(const QString &path, const QList<TableDef> &tables)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw EngineError(u"Não foi possível gravar a lista de índices %1: %2"_s.arg(path, file.errorString()));
    const QByteArray bytes = indexListText(tables).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EngineError(u"Não foi possível gravar a lista de índices %1: %2"_s.arg(path, file.errorString()));
}

QList<IndexListEntry> parseIndexList(const QString &text)
{
    const IniText ini(text);
    bool ok = false;
    const int total = ini.value(kSectionIndexes, QString::fromUtf16(kKeyTotal)).toInt(&ok);
    QList<IndexListEntry> entries;
    if (!ok)
        return entries;
    for (int i = 1; i <= total; ++i) {
        const QString key = entryKey(i);
        IndexListEntry entry;
        entry.table = ini.value(kSectionTables, key);
        entry.index = ini.value(kSectionIndexes, key);
        for (const QString &field : ini.value(kSectionFields, key).split(u';')) {
            const QString trimmed = field.trimmed();
            if (!trimmed.isEmpty())
                entry.fields.append(trimmed);
        }
        entries.append(entry);
    }
    return entries;
}

QList<IndexListEntry> readIndexList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseIndexList(QString::fromUtf8(file.readAll()));
}

} // namespace zef
