#pragma once
// Watches an office while it works on one document. A UNO call into an office
// that never finishes (a document that takes it for ever) never returns on
// its own; once the office has gone, it returns at once with an exception.
// So an office that is not done within its time is killed. While it works,
// the watchdog notes the most address space the office held, which tells
// afterwards whether it failed for want of memory.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace office {

class OfficeWatchdog {
public:
    // Starts watching the office process `pid` for `limit`. The caller must
    // not reap the process while the watchdog lives.
    OfficeWatchdog(int pid, std::chrono::seconds limit);
    // Stops watching; the office lives on unless its time was up.
    ~OfficeWatchdog();
    OfficeWatchdog(const OfficeWatchdog&) = delete;
    OfficeWatchdog& operator=(const OfficeWatchdog&) = delete;

    // Whether the office's time ran out and it was killed.
    bool killed() const noexcept { return killed_; }
    // The most address space (bytes) that the office held while watched, as
    // far as seen; the office's own peak, when it still runs.
    std::uint64_t peakAddressSpace() const;

private:
    void watch(const std::stop_token& stop, std::chrono::steady_clock::time_point until);

    int pid_;
    std::atomic<bool> killed_ = false;
    std::atomic<std::uint64_t> peak_ = 0;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    // Last, so that it ends before the rest goes.
    std::jthread thread_;
};

}  // namespace office
