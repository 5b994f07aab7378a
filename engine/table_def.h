#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Definitions of stored tables as the engine needs them: columns with their types,
// widths and checks, and the indexes that can be selected. The data module owns the
// one catalogue of these; the engine creates tables and indexes from it and uses it to
// build each dataset's fields.
namespace zef {

enum class FieldType { String, Float, Integer, Date, Boolean };

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;                 // characters, for String columns
    bool required = false;
    QString constraint;           // e.g. "VlrContabil >= 0 or VlrContabil is null"
    QString constraintMessage;    // shown when the constraint fails (may be empty)
    QVariant defaultValue;        // set on new records
    QString editMask;             // e.g. "99.999.999-9"; literals are not stored
    QString displayFormat;        // e.g. "#,###,###,##0.00"
    QString editFormat;           // e.g. "#########0.00"
};

struct IndexDef {
    QString name;                 // empty for the primary key
    QStringList fields;
    bool caseInsensitive = false; // secondary indexes sort without regard to case or accents

    bool isPrimary() const { return name.isEmpty(); }
};

struct TableDef {
    QString fileName;             // as the program names it: "Zef.DB", "CNAE11"
    QList<FieldDef> fields;
    QList<IndexDef> indexes;      // primary key first, when there is one

    // The name SQL uses: the file name without its extension.
    QString sqlName() const
    {
        const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
        return dot < 0 ? fileName : fileName.left(dot);
    }
    const FieldDef *field(const QString &name) const
    {
        for (const FieldDef &f : fields)
            if (f.name.compare(name, Qt::CaseInsensitive) == 0)
                return &f;
        return nullptr;
    }
    const IndexDef *primaryIndex() const
    {
        for (const IndexDef &i : indexes)
            if (i.isPrimary())
                return &i;
        return nullptr;
    }
};

} // namespace zef
