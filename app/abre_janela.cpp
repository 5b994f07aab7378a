#include "app/abre_janela.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zef {

namespace {

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
    return janela.exec();
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
