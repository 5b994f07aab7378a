#pragma once

#include "app/widgets/mask_edit.h"
#include "engine/dataset.h"

#include <QPointer>

namespace zef {

// An edit bound to a field of a dataset. At rest it shows the field's display format
// ("1.234.567,89"); with the focus, its edit format ("1234567,89"); a field with an edit
// mask always shows the mask ("29.000.001-7" for the stored "290000017"). The first key
// that changes the text puts the dataset into edit (or insert, when it is empty); leaving
// the edit or pressing Enter writes the field, and then edited() is emitted once. Values
// the dataset brings (another record, a rule writing the field, cancel) replace the text
// without any signal.
class DBEdit : public MaskEdit
{
    Q_OBJECT

public:
    explicit DBEdit(QWidget *parent = nullptr);
    DBEdit(Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    void setDataField(Dataset *dataset, const QString &fieldName);
    Dataset *dataset() const { return m_dataset; }
    const QString &fieldName() const { return m_fieldName; }
    Field *field() const;   // null while the dataset is closed or has no such field

    // An edit that only shows its field (the user cannot key into it). The binding manages
    // QLineEdit's read-only flag itself (closed dataset, read-only field or table).
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }

    // Shows the field's current value again, dropping what the user keyed.
    void reload();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool beginUserEdit() override;
    bool writeValue() override;
    void revertValue() override { reload(); }
    void showForEditing() override;
    void showAtRest() override;

private:
    void fieldChanged(Field *field);
    void refresh(bool forEditing);
    bool acceptsKey(const QKeyEvent &event) const;

    QPointer<Dataset> m_dataset;
    QString m_fieldName;
    bool m_editable = true;
    bool m_writing = false;
};

} // namespace zef
