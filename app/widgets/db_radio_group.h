#pragma once

#include "engine/dataset.h"
#include <QGroupBox>
#include <QPointer>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;

namespace zef {

// A group of radio buttons standing for the codes of a field ("SIM" for "S", "NÃO" for "N").
// The button whose code equals the field's text is checked; none when no code matches. A click
// puts the dataset into edit, writes the code and emits changed() once. Choosing from code
// (setItemIndex, setValue) only shows the choice and emits nothing. Without a dataset it is a
// plain group of coded choices.
class DBRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit DBRadioGroup(QWidget *parent = nullptr);
    explicit DBRadioGroup(const QString &title, QWidget *parent = nullptr);

    void setDataField(Dataset *dataset, const QString &fieldName);
    Dataset *dataset() const { return m_dataset; }
    const QString &fieldName() const { return m_fieldName; }
    Field *field() const;

    // Captions and their codes; without codes each caption is its own code.
    void setItems(const QStringList &captions, const QStringList &values = QStringList());
    void clearItems() { setItems(QStringList()); }
    const QStringList &items() const { return m_captions; }
    const QStringList &values() const { return m_values; }
    int count() const { return int(m_captions.size()); }
    QAbstractButton *button(int index) const;

    // Buttons laid in this many columns, filled column by column.
    void setColumns(int columns);
    int columns() const { return m_columns; }

    int itemIndex() const { return m_index; }
    void setItemIndex(int index);
    QString value() const { return m_index >= 0 ? m_values.at(m_index) : QString(); }
    void setValue(const QString &value) { setItemIndex(int(m_values.indexOf(value))); }

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    // Shows the field's current code again.
    void reload();

signals:
    void changed();

private:
    void clicked(int index);
    void showIndex(int index);
    void layoutButtons();

    QPointer<Dataset> m_dataset;
    QString m_fieldName;
    QStringList m_captions;
    QStringList m_values;
    QButtonGroup *m_group;
    QGridLayout *m_layout;
    int m_columns = 1;
    int m_index = -1;
    bool m_readOnly = false;
    bool m_writing = false;
};

} // namespace zef
