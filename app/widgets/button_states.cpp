#include "app/widgets/button_states.h"

#include "engine/dataset.h"

namespace zef {

ButtonStates::ButtonStates(QObject *parent) : QObject(parent) {}

void ButtonStates::setStandardButtons(QWidget *novo, QWidget *gravar, QWidget *cancelar, QWidget *excluir,
                                      QWidget *continua, QWidget *localizar, QWidget *navigator)
{
    for (QWidget *w : {gravar, cancelar})
        if (w)
            addEditingControl(w);
    for (QWidget *w : {novo, excluir, continua, localizar, navigator})
        if (w)
            addBrowsingControl(w);
}

void ButtonStates::addEditingControl(QWidget *control)
{
    m_whenEditing.append(control);
    control->setEnabled(m_editing);
}

void ButtonStates::addBrowsingControl(QWidget *control)
{
    m_whenBrowsing.append(control);
    control->setEnabled(!m_editing);
}

void ButtonStates::apply(bool editing)
{
    m_editing = editing;
    for (const QPointer<QWidget> &w : std::as_const(m_whenEditing))
        if (w)
            w->setEnabled(editing);
    for (const QPointer<QWidget> &w : std::as_const(m_whenBrowsing))
        if (w)
            w->setEnabled(!editing);
    emit applied(editing);
}

void ButtonStates::follow(Dataset *dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (!m_dataset)
        return;
    connect(m_dataset, &Dataset::stateChanged, this, [this] { apply(m_dataset->editing()); });
    apply(m_dataset->editing());
}

} // namespace zef
