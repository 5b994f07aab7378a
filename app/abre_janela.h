#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class QWidget;

namespace zef {

// Called with every window shown modally through MostraModal (and so AbreJanela) as soon as it is
// on screen and its modal loop runs. Tests set it to act in the window and close it; the program
// leaves it empty. An empty hook removes the previous one.
using GanchoJanelaModal = std::function<void(QDialog &)>;
void defineGanchoJanelaModal(GanchoJanelaModal gancho);

// Shows the window modally and returns its modal result. Every modal window of the frame goes
// through here, so that the hook above sees it.
int MostraModal(QDialog &janela);

// Takes a window off the screen while another modal window stands in for it, and puts it back
// afterwards. Hiding a dialog ends its modal loop; a window hidden through OcultaJanela runs its
// loop again under MostraModal once it is back, so that it stays open, with what was typed in it,
// until its user closes it.
void OcultaJanela(QWidget *janela);
void ReexibeJanela(QWidget *janela);

namespace detail {

// The hourglass while a window is being built, the arrow again afterwards, also when building fails.
class CursorAmpulheta
{
public:
    CursorAmpulheta();
    ~CursorAmpulheta();
    CursorAmpulheta(const CursorAmpulheta &) = delete;
    CursorAmpulheta &operator=(const CursorAmpulheta &) = delete;
};

} // namespace detail

// Creates the window into its global reference when the reference is empty; a set reference keeps
// its window (and its contents) and the arguments go unused. The window has no parent: the
// reference owns it until its opener clears it.
template<class Janela, class... Args>
Janela &CriaJanela(std::unique_ptr<Janela> &referencia, Args &&...args)
{
    if (!referencia) {
        const detail::CursorAmpulheta ampulheta;
        referencia = std::make_unique<Janela>(std::forward<Args>(args)...);
    }
    return *referencia;
}

// CriaJanela, then the window shown modally; returns its modal result.
template<class Janela, class... Args>
int AbreJanela(std::unique_ptr<Janela> &referencia, Args &&...args)
{
    static_assert(std::is_base_of_v<QDialog, Janela>, "AbreJanela shows dialogs");
    return MostraModal(CriaJanela(referencia, std::forward<Args>(args)...));
}

// Gives the edit the focus when it is enabled and visible and its parent is visible; says whether it did.
bool FocaCampo(QWidget *campo);

} // namespace zef
