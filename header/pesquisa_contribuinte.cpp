#include "header/pesquisa_contribuinte.h"

#include "data/data_module.h"

#include <QEvent>
#include <QShowEvent>
#include <QLineEdit>

namespace zef {

using namespace Qt::StringLiterals;

TfPesquisaContribuinte::TfPesquisaContribuinte(TfDmDados &dm, QWidget *parent)
    : TfPesquisaBase(dm.dtbBaseDados, u"Empresa.DB"_s, u"idxRazaoSocial"_s, u"InscricaoEmpresa"_s,
                     u"Ra&zão Social:"_s,
                     {{u"InscricaoEmpresa"_s, u"Inscrição Estadual"_s, 120}, {u"RazaoSocial"_s, u"Razão Social"_s, 400}},
                     parent)
{
    setObjectName(u"fPesquisaContribuinte"_s);
    setWindowTitle(u"Contribuinte"_s);
}

bool TfPesquisaContribuinte::enterConfirma(QWidget *controle) const
{
    return controle == edPesquisa();
}

// Becoming active empties the result; the showing counts as becoming active even where the
// platform never activates the window.
void TfPesquisaContribuinte::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        setResultado(QString());
    TfPesquisaBase::showEvent(event);
}

void TfPesquisaContribuinte::changeEvent(QEvent *event)
{
    TfPesquisaBase::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        setResultado(QString());
}

} // namespace zef
