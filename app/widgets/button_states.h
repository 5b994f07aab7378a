#pragma once

#include "engine/dataset.h"
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zef {

// The buttons of an editing window follow whether its record is being edited (Edit or
// Insert): "&Gravar" and "&Cancelar" only then; "&Novo", "&Excluir", "C&ontinua",
// "&Localizar", the navigator (and whatever else may not act on a pending change) only
// otherwise. A window's HabilitaBotoes is apply(editing); follow() calls it on every state
// change of a dataset.
class ButtonStates : public QObject
{
    Q_OBJECT

public:
    explicit ButtonStates(QObject *parent = nullptr);

    // Any argument may be null (a window without that button).
    void setStandardButtons(QWidget *novo, QWidget *gravar, QWidget *cancelar, QWidget *excluir,
                            QWidget *continua = nullptr, QWidget *localizar = nullptr,
                            QWidget *navigator = nullptr);
    void addEditingControl(QWidget *control);    // enabled while editing
    void addBrowsingControl(QWidget *control);   // enabled while not editing

    void apply(bool editing);
    void follow(Dataset *dataset);
    bool editing() const { return m_editing; }

signals:
    void applied(bool editing);

private:
    QList<QPointer<QWidget>> m_whenEditing;
    QList<QPointer<QWidget>> m_whenBrowsing;
    QPointer<Dataset> m_dataset;
    bool m_editing = false;
};

} // namespace zef
