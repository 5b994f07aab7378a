#include "app/abre_janela.h"

#include "app/zef_application.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace zef {

namespace {

// Marks a window hidden by OcultaJanela until its modal loop has run again.
constexpr char kOcultaPorOutra[] = "zefOcultaPorOutraJanela";

// The program is ending: no modal loop starts again.
bool encerrando()
{
    const auto *app = qobject_cast<const ZefApplication *>(QCoreApplication::instance());
    return app && app->encerrando();
}

GanchoJanelaModal &gancho()
{
    static GanchoJanelaModal atual;
    return atual;
}

} // namespace

void defineGanchoJanelaModal(GanchoJanelaModal novo)
{
    gancho() = std::move(novo);
}

int MostraModal(QDialog &janela)
{
    if (gancho()) {
        // Fires inside exec, once the window is up; a window closed before then is left alone.
        QPointer<QDialog> alvo(&janela);
        QTimer::singleShot(0, &janela, [alvo] {
            if (alvo && alvo->isVisible() && gancho())
                gancho()(*alvo);
        });
    }
    int resultado = janela.exec();
    // Hidden for a window shown in its place and back again: the user has not closed it.
    while (janela.property(kOcultaPorOutra).toBool() && janela.isVisible() && !encerrando()) {
        janela.setProperty(kOcultaPorOutra, false);
        resultado = janela.exec();
    }
    janela.setProperty(kOcultaPorOutra, QVariant());
    return resultado;
}

void OcultaJanela(QWidget *janela)
{
    if (!janela || !janela->isVisible())
        return;
    janela->setProperty(kOcultaPorOutra, true);
    janela->hide();
}

void ReexibeJanela(QWidget *janela)
{
    if (janela && janela->property(kOcultaPorOutra).isValid())
        janela->show();
}

namespace detail {

CursorAmpulheta::CursorAmpulheta()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CursorAmpulheta::~CursorAmpulheta()
{
    QApplication::restoreOverrideCursor();
}

} // namespace detail

bool FocaCampo(QWidget *campo)
{
    if (!campo || !campo->isEnabled() || !campo->isVisible())
        return false;
    if (QWidget *pai = campo->parentWidget(); pai && !pai->isVisible())
        return false;
    campo->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace zef
