#pragma once
// A bounded wait for what a user would wait for: a window, a file, a
// program's end.
#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

// What a user waits for at most: for a window, a button, a result.
inline constexpr std::chrono::seconds patience{60};

// Whether `done` comes true within `limit`. It is looked at often at first
// and then every 100 ms, so that a quick change is seen at once and a slow
// office is not kept busy being asked; once more when the time is up.
inline bool eventually(const std::function<bool()>& done, std::chrono::milliseconds limit = patience) {
    auto pause = std::chrono::milliseconds(1);
    for (const auto deadline = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < deadline;) {
        if (done()) return true;
        std::this_thread::sleep_for(pause);
        pause = std::min(2 * pause, std::chrono::milliseconds(100));
    }
    return done();
}
