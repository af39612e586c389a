#pragma once
// A bounded wait for what a user would wait for: a window, a file, a
// program's end.
#include <chrono>
#include <functional>
#include <thread>

// Whether `done` comes true within `limit`, looked at every `every` (a window
// that is asked through other programs or the office less often than a file),
// and once more when the time is up.
inline bool eventually(const std::function<bool()>& done, std::chrono::milliseconds limit,
                       std::chrono::milliseconds every = std::chrono::milliseconds(1)) {
    for (const auto deadline = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < deadline;) {
        if (done()) return true;
        std::this_thread::sleep_for(every);
    }
    return done();
}
