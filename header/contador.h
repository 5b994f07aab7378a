#pragma once

#include "app/editing_dialog.h"
#include "app/window_link.h"

namespace zef {

class DBEdit;
class TfDmDados;

// The accountant register ("Contador"): edits the data module's tbContador; storing runs the
// register's checks first.
class TfContador : public EditingDialog
{
    Q_OBJECT

public:
    TfContador(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);

    // The edit of a field of Contador.DB ("CPFContador", "CRCContador", ...).
    using EditingDialog::campo;

protected slots:
    void btGravarClick() override;

private:
    TfDmDados &m_dm;
    WindowLink m_ligacao;
};

} // namespace zef
