#pragma once

#include "engine/dataset.h"
#include <QLabel>
#include <QPointer>

namespace zef {

// A read-only text showing a field of the current record, in the field's display format or
// under its edit mask.
class DBText : public QLabel
{
    Q_OBJECT

public:
    explicit DBText(QWidget *parent = nullptr);
    DBText(Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    void setDataField(Dataset *dataset, const QString &fieldName);
    Dataset *dataset() const { return m_dataset; }
    const QString &fieldName() const { return m_fieldName; }
    Field *field() const;

    void reload();

private:
    QPointer<Dataset> m_dataset;
    QString m_fieldName;
};

} // namespace zef
