#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace zef {

// A widget that writes to its dataset in answer to the user (leaving an edit, committing a
// grid cell, clicking a navigator button) runs inside a Qt event handler, which an exception
// must not cross. Such errors come here instead; the program points the handler at its
// application-wide error handler, which logs and shows them.
using WidgetErrorHandler = std::function<void(const std::exception &)>;

// Replaces the handler; an empty one restores the default (a warning on the log channel).
void setWidgetErrorHandler(WidgetErrorHandler handler);
void reportWidgetError(const std::exception &error);

// Runs an operation for the user. A rule that abandons it (SilentAbort) ends it quietly,
// any other error goes to the handler; either way the answer is false.
bool runForUser(const std::function<void()> &operation);

} // namespace zef
