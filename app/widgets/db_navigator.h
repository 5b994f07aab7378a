#pragma once

#include "engine/dataset.h"
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace zef {

// The record navigator: first, prior, next and last, with the hints "Primeiro", "Anterior",
// "Próximo" and "Último". First and prior are disabled on the first record, next and last on
// the last one. Before moving it writes what was keyed on its window, as a move does.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last };
    Q_ENUM(Button)

    explicit DBNavigator(QWidget *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_dataset; }
    QToolButton *button(Button which) const { return m_buttons[which]; }

signals:
    // After the move the button asked for (also when the dataset refused it).
    void clicked(zef::DBNavigator::Button button);

private:
    void act(Button which);
    void updateButtons();

    QPointer<Dataset> m_dataset;
    QToolButton *m_buttons[4];
};

} // namespace zef
