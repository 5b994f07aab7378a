#include "app/widgets/db_edit.h"

#include "data/field_text.h"
#include "app/widgets/widget_errors.h"
#include "engine/dataset.h"

#include <QKeyEvent>
#include <QLocale>

namespace zef {

DBEdit::DBEdit(QWidget *parent) : MaskEdit(parent)
{
    refresh(false);
}

DBEdit::DBEdit(Dataset *dataset, const QString &fieldName, QWidget *parent) : MaskEdit(parent)
{
    setDataField(dataset, fieldName);
}

void DBEdit::setDataField(Dataset *dataset, const QString &fieldName)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    m_fieldName = fieldName;
    if (m_dataset) {
        connect(m_dataset, &Dataset::recordChanged, this, &DBEdit::reload);
        connect(m_dataset, &Dataset::rowsReset, this, &DBEdit::reload);
        connect(m_dataset, &Dataset::fieldChanged, this, &DBEdit::fieldChanged);
        connect(m_dataset, &Dataset::stateChanged, this, [this] {
            if (m_writing)
                return;
            // Leaving edit or insert (post, cancel, close) ends what was keyed.
            if (!m_dataset->editing())
                reload();
            else
                refresh(hasFocus() && isPending());
        });
        connect(m_dataset, &QObject::destroyed, this, [this] {
            m_dataset = nullptr;
            reload();
        });
    }
    reload();
}

Field *DBEdit::field() const
{
    if (!m_dataset || !m_dataset->active() || m_fieldName.isEmpty())
        return nullptr;
    return m_dataset->findField(m_fieldName);
}

void DBEdit::setEditable(bool editable)
{
    m_editable = editable;
    reload();
}

void DBEdit::reload()
{
    // While this edit itself writes, the dataset's echo is not news.
    if (m_writing)
        return;
    dropPending();
    refresh(false);
}

void DBEdit::fieldChanged(Field *changed)
{
    if (m_writing)
        return;
    Field *mine = field();
    if (!mine)
        return;
    // Calculated and look-up fields change with any field of the record.
    if (changed == mine || (mine->kind() != FieldKind::Data && !isPending()))
        reload();
}

// Puts the field's value on screen; with `keepText` only the edit's state is brought up to date.
void DBEdit::refresh(bool keepText)
{
    Field *f = field();
    const bool canWrite = f && m_editable && !f->readOnly() && m_dataset->canModify();
    setReadOnly(!canWrite);
    if (keepText)
        return;
    if (f) {
        setEditMask(f->editMask());
        setAlignment(FieldText::isNumeric(*f) ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        setEditMask(QString());
    }
    if (!f) {
        showText(QString());
        return;
    }
    const QVariant value = f->value();
    if (!editMask().isEmpty() || hasFocus())
        showText(FieldText::edit(*f, value));
    else
        showText(FieldText::display(*f, value));
}

void DBEdit::showForEditing()
{
    if (Field *f = field(); f && editMask().isEmpty())
        showText(FieldText::edit(*f, f->value()));
}

void DBEdit::showAtRest()
{
    if (!isPending())
        refresh(false);
}

bool DBEdit::beginUserEdit()
{
    Field *f = field();
    if (!f)
        return false;
    if (m_dataset->editing())
        return true;
    // Entering edit (or insert, on an empty dataset) echoes back; the keyed text must survive it.
    m_writing = true;
    const bool ok = runForUser([this] { m_dataset->edit(); });
    m_writing = false;
    if (ok)
        refresh(true);
    return ok;
}

bool DBEdit::writeValue()
{
    Field *f = field();
    if (!f)
        return true;
    const bool ok = runForUser([this, f] {
        const QString shown = editMask().isEmpty() ? text() : displayText();
        const QVariant v = FieldText::parse(*f, FieldText::keyedText(*f, shown));
        struct Writing {
            bool &flag;
            explicit Writing(bool &f) : flag(f) { flag = true; }
            ~Writing() { flag = false; }
        } writing(m_writing);
        if (!m_dataset->editing())
            m_dataset->edit();
        f->setValue(v);
    });
    if (ok)
        dropPending();
    return ok;
}

bool DBEdit::acceptsKey(const QKeyEvent &event) const
{
    Field *f = field();
    const QString t = event.text();
    if (!f || t.size() != 1 || !t.at(0).isPrint() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return true;
    return FieldText::acceptsCharacter(*f, t.at(0));
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    Field *f = field();
    // The keypad's decimal key writes the workstation's separator, whichever it prints.
    if (f && f->dataType() == FieldType::Float && (event->modifiers() & Qt::KeypadModifier)
        && (event->text() == u"." || event->text() == u",") && editMask().isEmpty()) {
        QKeyEvent translated(event->type(), event->key(), event->modifiers(), QLocale().decimalPoint(),
                             event->isAutoRepeat(), ushort(event->count()));
        MaskEdit::keyPressEvent(&translated);
        event->setAccepted(translated.isAccepted());
        return;
    }
    if (!acceptsKey(*event)) {
        event->accept();
        return;
    }
    MaskEdit::keyPressEvent(event);
}

} // namespace zef
