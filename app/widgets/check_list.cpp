#include "app/widgets/check_list.h"

#include <QFont>


namespace zef {

CheckList::CheckList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_settingFromCode)
            emit checkChanged(row(item), item->checkState() == Qt::Checked);
    });
}

int CheckList::addCheckItem(const QString &text, bool checked)
{
    m_settingFromCode = true;
    auto *item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    addItem(item);
    m_settingFromCode = false;
    return count() - 1;
}

void CheckList::setItems(const QStringList &texts)
{
    clear();
    for (const QString &t : texts)
        addCheckItem(t);
}

QString CheckList::itemText(int row) const
{
    const QListWidgetItem *i = item(row);
    return i ? i->text() : QString();
}

bool CheckList::isChecked(int row) const
{
    const QListWidgetItem *i = item(row);
    return i && i->checkState() == Qt::Checked;
}

void CheckList::setChecked(int row, bool checked)
{
    if (QListWidgetItem *i = item(row)) {
        m_settingFromCode = true;
        i->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        m_settingFromCode = false;
    }
}

void CheckList::setAllChecked(bool checked)
{
    m_settingFromCode = true;
    for (int r = 0; r < count(); ++r)
        item(r)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    m_settingFromCode = false;
}

int CheckList::checkedCount() const
{
    return int(checkedRows().size());
}

QList<int> CheckList::checkedRows() const
{
    QList<int> rows;
    for (int r = 0; r < count(); ++r)
        if (item(r)->checkState() == Qt::Checked)
            rows.append(r);
    return rows;
}

void CheckList::setFixedPitch(bool fixed)
{
    if (!fixed) {
        setFont(QFont());
        return;
    }
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    setFont(f);
}

} // namespace zef
