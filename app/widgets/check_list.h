#pragma once

#include <QListWidget>

namespace zef {

// A list whose entries carry a check box. Ticking by the user (a click on the box, the space
// bar) emits checkChanged() once; ticking from code (setChecked, checkAll, uncheckAll) emits
// nothing.
class CheckList : public QListWidget
{
    Q_OBJECT

public:
    explicit CheckList(QWidget *parent = nullptr);

    int addCheckItem(const QString &text, bool checked = false);
    // Replaces every entry with unticked ones.
    void setItems(const QStringList &texts);
    QString itemText(int row) const;

    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    int checkedCount() const;
    QList<int> checkedRows() const;

    // Entries that line up in columns need a fixed-pitch font.
    void setFixedPitch(bool fixed);

public slots:
    void checkAll() { setAllChecked(true); }
    void uncheckAll() { setAllChecked(false); }

signals:
    void checkChanged(int row, bool checked);

private:
    void setAllChecked(bool checked);

    bool m_settingFromCode = false;
};

} // namespace zef
