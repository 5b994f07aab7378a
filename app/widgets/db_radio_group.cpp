#include "app/widgets/db_radio_group.h"

#include "app/widgets/widget_errors.h"
#include "engine/dataset.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace zef {

DBRadioGroup::DBRadioGroup(QWidget *parent) : DBRadioGroup(QString(), parent) {}

DBRadioGroup::DBRadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    connect(m_group, &QButtonGroup::idClicked, this, &DBRadioGroup::clicked);
}

void DBRadioGroup::setDataField(Dataset *dataset, const QString &fieldName)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    m_fieldName = fieldName;
    if (m_dataset) {
        connect(m_dataset, &Dataset::recordChanged, this, &DBRadioGroup::reload);
        connect(m_dataset, &Dataset::rowsReset, this, &DBRadioGroup::reload);
        connect(m_dataset, &Dataset::stateChanged, this, &DBRadioGroup::reload);
        connect(m_dataset, &Dataset::fieldChanged, this, [this](Field *f) {
            if (f == field())
                reload();
        });
        connect(m_dataset, &QObject::destroyed, this, [this] {
            m_dataset = nullptr;
            reload();
        });
    }
    reload();
}

Field *DBRadioGroup::field() const
{
    if (!m_dataset || !m_dataset->active() || m_fieldName.isEmpty())
        return nullptr;
    return m_dataset->findField(m_fieldName);
}

void DBRadioGroup::setItems(const QStringList &captions, const QStringList &values)
{
    for (QAbstractButton *b : m_group->buttons()) {
        m_group->removeButton(b);
        delete b;
    }
    m_captions = captions;
    m_values = values;
    while (m_values.size() < m_captions.size())
        m_values.append(m_captions.at(m_values.size()));
    m_values = m_values.mid(0, m_captions.size());
    m_index = -1;
    for (int i = 0; i < m_captions.size(); ++i) {
        auto *b = new QRadioButton(m_captions.at(i), this);
        m_group->addButton(b, i);
    }
    layoutButtons();
    // A layout shows new children of a visible group only once the event loop runs; until then
    // they could neither take a click nor the focus a rule gives them.
    for (QAbstractButton *b : m_group->buttons())
        b->show();
    if (m_dataset)
        reload();
}

void DBRadioGroup::setColumns(int columns)
{
    m_columns = std::max(1, columns);
    layoutButtons();
}

void DBRadioGroup::layoutButtons()
{
    const QList<QAbstractButton *> buttons = m_group->buttons();
    for (QAbstractButton *b : buttons)
        m_layout->removeWidget(b);
    const int rows = (int(m_captions.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_captions.size(); ++i)
        m_layout->addWidget(m_group->button(i), rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
}

QAbstractButton *DBRadioGroup::button(int index) const
{
    return m_group->button(index);
}

void DBRadioGroup::showIndex(int index)
{
    if (index < 0 || index >= m_captions.size())
        index = -1;
    m_index = index;
    if (index >= 0) {
        m_group->button(index)->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button by itself.
    m_group->setExclusive(false);
    for (QAbstractButton *b : m_group->buttons())
        b->setChecked(false);
    m_group->setExclusive(true);
}

void DBRadioGroup::setItemIndex(int index)
{
    showIndex(index);
}

void DBRadioGroup::reload()
{
    if (m_writing)
        return;
    Field *f = field();
    showIndex(f && !f->isNull() ? int(m_values.indexOf(f->asString())) : -1);
}

void DBRadioGroup::clicked(int index)
{
    if (index == m_index)
        return;
    const int previous = m_index;
    if (m_readOnly) {
        showIndex(previous);
        return;
    }
    if (m_dataset) {
        Field *f = field();
        const bool ok = f && !f->readOnly() && m_dataset->canModify() && runForUser([this, f, index] {
            m_writing = true;
            struct Reset {
                bool &flag;
                ~Reset() { flag = false; }
            } reset{m_writing};
            m_dataset->edit();
            f->setAsString(m_values.at(index));
        });
        if (!ok) {
            reload();
            return;
        }
    }
    m_index = index;
    emit changed();
}

} // namespace zef
