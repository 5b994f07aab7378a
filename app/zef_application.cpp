#include "app/zef_application.h"

#include "app/trata_excecao.h"

#include <QtDebug>

#include <utility>

namespace zef {

ZefApplication::ZefApplication(int &argc, char **argv) : QApplication(argc, argv) {}

ZefApplication::~ZefApplication() = default;

bool ZefApplication::notify(QObject *receiver, QEvent *event)
{
    std::exception_ptr error;
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        error = std::current_exception();
    }
    // Handled outside the catch block: the handler opens boxes and may run the index rebuild.
    // The event counts as dealt with, so that nothing hands it on a second time.
    dispatch(std::move(error));
    return true;
}

void ZefApplication::setErrorHandler(ErrorHandler handler)
{
    m_handler = std::move(handler);
}

void ZefApplication::dispatch(std::exception_ptr error)
{
    if (m_handler) {
        // The handler itself must not throw into Qt's event dispatch.
        try {
            m_handler(std::move(error));
        } catch (...) {
            if (const std::optional<QString> message = mensagemDaExcecao(std::current_exception()))
                qWarning("%s", qUtf8Printable(*message));
        }
        return;
    }
    if (const std::optional<QString> message = mensagemDaExcecao(std::move(error)))
        qWarning("%s", qUtf8Printable(*message));
}

void ZefApplication::encerra()
{
    m_encerrando = true;
    QCoreApplication::exit(0);
}

} // namespace zef
