#pragma once

#include <functional>

struct sqlite3;

namespace zef {

// Waiting for a lock that another program (or another connection) holds on the database file.
// A connection with a wait installed retries for up to its limit instead of failing at once, and
// tells its owner when a wait starts and when it is over, so that a window can show the
// hourglass meanwhile. One thread uses a connection at a time, as the program does.
namespace lockwait {

using Notice = std::function<void(bool waiting)>;

// Retries for up to limitMs milliseconds whenever the file is locked. notice, when set, is read
// at each wait: it hears true when the first retry of a statement starts and false when that
// statement has got its lock or given up.
void install(sqlite3 *handle, int limitMs, const Notice *notice);
void remove(sqlite3 *handle);

// Statements call this once the engine has answered: it ends a wait in progress (and does
// nothing, cheaply, when no connection is waiting).
void finished(sqlite3 *handle);

} // namespace lockwait
} // namespace zef
