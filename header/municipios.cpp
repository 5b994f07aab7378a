#include "header/municipios.h"

#include "app/abre_janela.h"
#include "app/widgets/db_edit.h"
#include "data/data_module.h"
#include "header/pesquisa_municipio.h"
#include "header/register_windows.h"

#include <QPointer>
#include <QShowEvent>
#include <QTimer>

namespace zef {

using namespace Qt::StringLiterals;

TfMunicipios::TfMunicipios(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : TfTabelaReferencia(dm, dialogs, dm.tbMunicipio, dm.fMunicipios, u"fMunicipios"_s, u"Municipios"_s,
                         {{u"Código"_s, u"Codigo"_s, 9}, {u"Descrição"_s, u"Descricao"_s, 50}, {u"UF"_s, u"UF"_s, 3}},
                         [&dm] {
                             detail::registraLiberacao();
                             AbreJanela(fPesquisaMunicipio, dm);
                             return fPesquisaMunicipio->resultado();
                         },
                         parent)
{
    campo(u"Descricao"_s)->installEventFilter(this);
}

void TfMunicipios::showEvent(QShowEvent *event)
{
    TfTabelaReferencia::showEvent(event);
    if (event->spontaneous())
        return;
    // The name field starts blank, ready for the name the user is after.
    DBEdit *nome = campo(u"Descricao"_s);
    m_limpaNome = true;
    FocaCampo(nome);
    nome->setText(QString());
}

// An edit shows its field again when it gets the focus, which may arrive only once the window
// is active; the name is blanked after that.
bool TfMunicipios::eventFilter(QObject *watched, QEvent *event)
{
    if (m_limpaNome && event->type() == QEvent::FocusIn && watched == campo(u"Descricao"_s)) {
        m_limpaNome = false;
        QPointer<DBEdit> nome = campo(u"Descricao"_s);
        QTimer::singleShot(0, this, [nome] {
            if (nome && !nome->isPending())
                nome->setText(QString());
        });
    }
    return TfTabelaReferencia::eventFilter(watched, event);
}

} // namespace zef
