#pragma once

#include "app/abre_janela.h"
#include "data/field_edit.h"

#include <QLineEdit>
#include <QPointer>

namespace zef {

// An edit of a window as the record rules see it: its text as shown (with the mask's blanks) and
// the focus when a rule refuses what it holds.
class CampoEdit final : public FieldEdit
{
public:
    explicit CampoEdit(QLineEdit *edit = nullptr) : m_edit(edit) {}

    void setEdit(QLineEdit *edit) { m_edit = edit; }

    QString text() const override { return m_edit ? m_edit->text() : QString(); }
    bool focus() override { return m_edit && FocaCampo(m_edit); }

private:
    QPointer<QLineEdit> m_edit;
};

} // namespace zef
