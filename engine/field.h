#pragma once

#include "engine/table_def.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>

namespace zef {

class Dataset;

enum class FieldKind { Data, Calculated, Lookup };

// One column of a dataset, read and written through the dataset's current record.
class Field
{
public:
    Field(Dataset *dataset, const FieldDef &def, FieldKind kind, int slot);

    const QString &fieldName() const { return m_def.name; }
    FieldType dataType() const { return m_def.type; }
    FieldKind kind() const { return m_kind; }
    const FieldDef &definition() const { return m_def; }
    Dataset *dataset() const { return m_dataset; }
    int size() const { return m_def.size; }
    bool required() const { return m_def.required; }
    void setRequired(bool required) { m_def.required = required; }
    const QString &editMask() const { return m_def.editMask; }
    const QString &displayFormat() const { return m_def.displayFormat; }
    const QString &editFormat() const { return m_def.editFormat; }
    void setDisplayFormat(const QString &f) { m_def.displayFormat = f; }
    void setEditFormat(const QString &f) { m_def.editFormat = f; }
    void setEditMask(const QString &m) { m_def.editMask = m; }
    QString displayLabel() const { return m_label.isEmpty() ? m_def.name : m_label; }
    void setDisplayLabel(const QString &label) { m_label = label; }
    bool readOnly() const { return m_readOnly || m_kind != FieldKind::Data; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    QVariant value() const;
    bool isNull() const;
    // Numbers as the workstation writes them (its decimal separator, no grouping);
    // dates as dd/mm/yyyy (empty when null).
    QString asString() const;
    double asFloat() const;
    int asInteger() const;
    QDate asDate() const;
    bool asBoolean() const;

    // Writing needs the dataset in edit or insert state (or computing calculated fields).
    // An empty string clears the field; a text longer than the column is cut.
    void setValue(const QVariant &value);
    void setAsString(const QString &text);
    void setAsFloat(double v) { setValue(v); }
    void setAsInteger(int v) { setValue(v); }
    void setAsDate(const QDate &d) { setValue(d.isValid() ? QVariant(d) : QVariant()); }
    void setAsBoolean(bool v) { setValue(v); }
    void clear() { setValue(QVariant()); }

    // Called after the value changed through setValue.
    std::function<void(Field &)> onChange;

    // Look-up definition (kind == Lookup).
    QStringList lookupKeyFields;          // fields of this dataset
    Dataset *lookupDataset = nullptr;
    QStringList lookupKeyTargets;         // fields of the look-up dataset
    QString lookupResultField;

    int slot() const { return m_slot; }

    // Converts any value to this field's type (throws EngineError on text that does not convert).
    QVariant coerce(const QVariant &value) const;

private:
    friend class Dataset;
    Dataset *m_dataset;
    FieldDef m_def;
    FieldKind m_kind;
    int m_slot;
    QString m_label;
    bool m_readOnly = false;
    bool m_visible = true;
};

} // namespace zef
