#include "app/widgets/db_navigator.h"

#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "engine/dataset.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace zef {

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    struct Face {
        const char16_t *text;
        const char16_t *hint;
    };
    static const Face faces[4] = {
        {u"|\u25C4", u"Primeiro"},
        {u"\u25C4", u"Anterior"},
        {u"\u25BA", u"Próximo"},
        {u"\u25BA|", u"Último"},
    };
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        auto *b = new QToolButton(this);
        b->setText(QString::fromUtf16(faces[i].text));
        b->setToolTip(QString::fromUtf16(faces[i].hint));
        b->setAccessibleName(QString::fromUtf16(faces[i].hint));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(i == Prior || i == Next);
        layout->addWidget(b);
        m_buttons[i] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { act(Button(i)); });
    }
    updateButtons();
}

void DBNavigator::setDataset(Dataset *dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (m_dataset) {
        connect(m_dataset, &Dataset::recordChanged, this, &DBNavigator::updateButtons);
        connect(m_dataset, &Dataset::rowsReset, this, &DBNavigator::updateButtons);
        connect(m_dataset, &Dataset::stateChanged, this, &DBNavigator::updateButtons);
        connect(m_dataset, &QObject::destroyed, this, [this] {
            m_dataset = nullptr;
            updateButtons();
        });
    }
    updateButtons();
}

void DBNavigator::updateButtons()
{
    const bool active = m_dataset && m_dataset->active();
    const int recNo = active ? m_dataset->recNo() : 0;
    const int count = active ? m_dataset->recordCount() : 0;
    const bool up = active && recNo > 1;
    const bool down = active && recNo > 0 && recNo < count;
    m_buttons[First]->setEnabled(up);
    m_buttons[Prior]->setEnabled(up);
    m_buttons[Next]->setEnabled(down);
    m_buttons[Last]->setEnabled(down);
}

void DBNavigator::act(Button which)
{
    if (!m_dataset)
        return;
    if (commitPendingEdits(window(), m_dataset)) {
        Dataset *ds = m_dataset;
        runForUser([ds, which] {
            switch (which) {
            case First: ds->first(); break;
            case Prior: ds->prior(); break;
            case Next: ds->next(); break;
            case Last: ds->last(); break;
            }
        });
    }
    updateButtons();
    emit clicked(which);
}

} // namespace zef
