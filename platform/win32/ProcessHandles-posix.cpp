#include "ProcessHandles.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>

#include "ChildReaper.h"

namespace win32 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD infinite = 0xFFFFFFFF;

// One started process, shared by its process and its thread handle.
// ChildReaper hands a code out once, so the first waiter to get it records
// the end here for every later wait; while one thread asks ChildReaper,
// other waiters on the same process wait here.
struct Process {
    explicit Process(int id) : pid(id) {}

    const int pid;
    std::mutex mutex;
    std::condition_variable changed;
    bool ended = false;
    int code = -1;
    bool asking = false;
};

// Whether the reaper has already reaped `pid` without anybody having taken
// the code: it keeps a bounded number of codes, and an old one may have been
// dropped in a host that started many programs. A reaped pid no longer
// exists, and a running or not yet reaped one does.
bool isGone(int pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::optional<int> askReaper(int pid, std::chrono::milliseconds timeout) {
    auto code = ChildReaper::instance().wait(pid, timeout);
    if (code || !isGone(pid)) return code;
    // Reaped just after the wait gave up: the reaper kept the code before.
    code = ChildReaper::instance().wait(pid, std::chrono::milliseconds(0));
    return code ? code : -1;
}

class Table final : public ProcessHandles {
public:
    Pair open(int pid) override {
        auto process = std::make_shared<Process>(pid);
        std::lock_guard lock(m_mutex);
        Pair pair{take(), take()};
        m_handles[pair.process] = process;
        try {
            m_handles[pair.thread] = process;
        } catch (...) {
            m_handles.erase(pair.process);
            throw;
        }
        return pair;
    }

    Wait wait(std::intptr_t handle, DWORD milliseconds) noexcept override {
        std::shared_ptr<Process> process;
        {
            std::lock_guard lock(m_mutex);
            auto found = m_handles.find(handle);
            if (found == m_handles.end()) return Wait::NoSuchHandle;
            process = found->second;
        }
        // No deadline for INFINITE: a time point that far ahead would overflow.
        std::optional<Clock::time_point> deadline;
        if (milliseconds != infinite) deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
        try {
            return waitFor(*process, deadline) ? Wait::Ended : Wait::Running;
        } catch (const std::system_error&) {
            // A mutex or condition that fails: nothing can be told.
            return Wait::Failed;
        }
    }

    std::optional<int> exitCode(std::intptr_t handle) noexcept override {
        std::shared_ptr<Process> process;
        {
            std::lock_guard lock(m_mutex);
            auto found = m_handles.find(handle);
            if (found == m_handles.end()) return std::nullopt;
            process = found->second;
        }
        try {
            // A wait of 0 collects the code of a process that has just ended.
            if (!waitFor(*process, Clock::now())) return stillActive;
            std::lock_guard lock(process->mutex);
            return process->code;
        } catch (const std::system_error&) {
            return std::nullopt;
        }
    }

    bool close(std::intptr_t handle) noexcept override {
        std::lock_guard lock(m_mutex);
        return m_handles.erase(handle) == 1;
    }

private:
    // Handles are multiples of four, as Windows hands them out, and never
    // reused, so that a handle closed twice can never hit another process.
    std::intptr_t take() {
        m_next += 4;
        return m_next;
    }

    static bool waitFor(Process& process, std::optional<Clock::time_point> deadline) {
        // Slices for a wait without limit, so that durations never overflow.
        constexpr std::chrono::milliseconds slice = std::chrono::hours(1);
        std::unique_lock lock(process.mutex);
        for (;;) {
            if (process.ended) return true;
            const auto now = Clock::now();
            const bool expired = deadline && now >= *deadline;
            if (process.asking) {
                // Another thread asks the reaper and tells the outcome here.
                if (expired) return false;
                if (deadline)
                    process.changed.wait_until(lock, *deadline);
                else
                    process.changed.wait_for(lock, slice);
                continue;
            }
            // An expired wait still looks once, so that a wait of 0 tells
            // whether the process has ended.
            const auto left = expired    ? std::chrono::milliseconds(0)
                              : deadline ? std::chrono::ceil<std::chrono::milliseconds>(*deadline - now)
                                         : slice;
            process.asking = true;
            lock.unlock();
            const auto code = askReaper(process.pid, left);
            lock.lock();
            process.asking = false;
            if (code && !process.ended) {
                process.ended = true;
                process.code = *code;
            }
            process.changed.notify_all();
            if (expired) return process.ended;
        }
    }

    std::mutex m_mutex;
    std::map<std::intptr_t, std::shared_ptr<Process>> m_handles;
    std::intptr_t m_next = 0x100;
};

}  // namespace

ProcessHandles& ProcessHandles::instance() {
    // Never destroyed: a thread may still wait while the process exits.
    static ProcessHandles* table = new Table;
    return *table;
}

}  // namespace win32
