#include "engine/lock_wait.h"

#include <QElapsedTimer>
#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>

namespace zef::lockwait {
namespace {

struct Wait {
    int limitMs = 0;
    const Notice *notice = nullptr;
    QElapsedTimer since;
    bool waiting = false;
};

// Keyed by connection; nodes keep their address, so SQLite holds a pointer to its entry.
std::unordered_map<sqlite3 *, Wait> &waits()
{
    static std::unordered_map<sqlite3 *, Wait> all;
    return all;
}

// Connections between the first retry of a statement and its answer.
int waitingCount = 0;

constexpr int kRetryMs = 25;

void tell(const Wait &wait, bool waiting)
{
    if (wait.notice && *wait.notice)
        (*wait.notice)(waiting);
}

int retry(void *context, int attempt)
{
    Wait &wait = *static_cast<Wait *>(context);
    // One limit for the whole statement, however many locks it needs on the way. A wait that no
    // statement closed (a statement run outside this engine) is not held against the next one.
    if (!wait.waiting) {
        wait.waiting = true;
        ++waitingCount;
        wait.since.start();
        tell(wait, true);
    } else if (attempt == 0 && wait.since.elapsed() >= wait.limitMs) {
        wait.since.start();
    }
    const qint64 left = wait.limitMs - wait.since.elapsed();
    if (left <= 0)
        return 0;
    sqlite3_sleep(int(std::min<qint64>(left, kRetryMs)));
    return 1;
}

} // namespace

void install(sqlite3 *handle, int limitMs, const Notice *notice)
{
    Wait &wait = waits()[handle];
    wait.limitMs = limitMs;
    wait.notice = notice;
    sqlite3_busy_handler(handle, retry, &wait);
}

void remove(sqlite3 *handle)
{
    const auto it = waits().find(handle);
    if (it == waits().end())
        return;
    sqlite3_busy_handler(handle, nullptr, nullptr);
    const Wait wait = it->second;
    waits().erase(it);
    if (wait.waiting) {
        --waitingCount;
        tell(wait, false);
    }
}

void finished(sqlite3 *handle)
{
    if (waitingCount == 0)
        return;
    const auto it = waits().find(handle);
    if (it == waits().end() || !it->second.waiting)
        return;
    it->second.waiting = false;
    --waitingCount;
    tell(it->second, false);
}

} // namespace zef::lockwait
