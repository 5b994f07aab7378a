#pragma once

#include <functional>

namespace zef {

// Holds one of the data module's window references (fContador, fDomicilio, fCompra, ...) on a
// window for as long as this object lives, and empties it afterwards unless another window
// has taken it meanwhile. A window keeps one as a member, so the reference can never outlive
// the window it names.
class WindowLink
{
public:
    template<class Reference, class Window>
    WindowLink(Reference *&reference, Window *window)
        : m_clear([&reference, window] {
              if (reference == window)
                  reference = nullptr;
          })
    {
        reference = window;
    }
    ~WindowLink() { m_clear(); }
    WindowLink(const WindowLink &) = delete;
    WindowLink &operator=(const WindowLink &) = delete;

private:
    std::function<void()> m_clear;
};

} // namespace zef
