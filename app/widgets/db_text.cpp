#include "app/widgets/db_text.h"

#include "data/field_text.h"
#include "engine/dataset.h"

namespace zef {

DBText::DBText(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

DBText::DBText(Dataset *dataset, const QString &fieldName, QWidget *parent) : DBText(parent)
{
    setDataField(dataset, fieldName);
}

void DBText::setDataField(Dataset *dataset, const QString &fieldName)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    m_fieldName = fieldName;
    if (m_dataset) {
        connect(m_dataset, &Dataset::recordChanged, this, &DBText::reload);
        connect(m_dataset, &Dataset::rowsReset, this, &DBText::reload);
        connect(m_dataset, &Dataset::stateChanged, this, &DBText::reload);
        connect(m_dataset, &Dataset::fieldChanged, this, &DBText::reload);
        connect(m_dataset, &QObject::destroyed, this, [this] {
            m_dataset = nullptr;
            reload();
        });
    }
    reload();
}

Field *DBText::field() const
{
    if (!m_dataset || !m_dataset->active() || m_fieldName.isEmpty())
        return nullptr;
    return m_dataset->findField(m_fieldName);
}

void DBText::reload()
{
    Field *f = field();
    setText(f ? FieldText::display(*f, f->value()) : QString());
}

} // namespace zef
