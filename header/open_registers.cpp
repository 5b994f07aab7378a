#include "header/open_registers.h"

#include "app/abre_janela.h"
#include "header/atividades.h"
#include "header/contador.h"
#include "header/contribuintes.h"
#include "header/municipios.h"
#include "app/window_ui.h"
#include "header/register_windows.h"

#include <QWidget>

namespace zef {

namespace {

template<class Janela>
void abre(std::unique_ptr<Janela> &referencia, QWidget *parent, TfDmDados &dm, Dialogs &dialogs)
{
    detail::registraLiberacao();
    Janela &janela = CriaJanela(referencia, dm, dialogs);
    if (!janela.isVisible())
        ui::centraSobre(janela, parent);
    AbreJanela(referencia, dm, dialogs);
}

} // namespace

void abreContribuintes(QWidget *parent, TfDmDados &dm, Dialogs &dialogs)
{
    abre(fContribuintes, parent, dm, dialogs);
}

void abreContador(QWidget *parent, TfDmDados &dm, Dialogs &dialogs)
{
    abre(fContador, parent, dm, dialogs);
}

void abreMunicipios(QWidget *parent, TfDmDados &dm, Dialogs &dialogs)
{
    abre(fMunicipios, parent, dm, dialogs);
}

void abreAtividades(QWidget *parent, TfDmDados &dm, Dialogs &dialogs)
{
    abre(fAtividades, parent, dm, dialogs);
}

} // namespace zef
