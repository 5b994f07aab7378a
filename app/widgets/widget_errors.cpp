#include "app/widgets/widget_errors.h"

#include "engine/engine_error.h"

#include <QDebug>

namespace zef {
namespace {

WidgetErrorHandler &handler()
{
    static WidgetErrorHandler h;
    return h;
}

} // namespace

void setWidgetErrorHandler(WidgetErrorHandler h)
{
    handler() = std::move(h);
}

void reportWidgetError(const std::exception &error)
{
    if (handler()) {
        handler()(error);
        return;
    }
    if (const auto *engine = dynamic_cast<const EngineError *>(&error))
        qWarning().noquote() << engine->message();
    else
        qWarning().noquote() << QString::fromLocal8Bit(error.what());
}

bool runForUser(const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (const SilentAbort &) {
        return false;
    } catch (const std::exception &e) {
        reportWidgetError(e);
        return false;
    }
}

} // namespace zef
