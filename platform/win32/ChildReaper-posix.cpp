#include "ChildReaper.h"

#include <sys/wait.h>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "ChildProcess.h"

namespace win32 {

namespace {

// One small thread per child blocks in waitpid for that child alone. A single
// thread reaping with waitpid(-1) would steal the statuses of children that
// other code of the host (popen, its own fork) waits for, and polling every
// child from one thread would leave zombies for the length of a poll.
class ThreadReaper final : public ChildReaper {
public:
    void watch(int pid) override {
        try {
            std::thread([this, pid] { reap(pid); }).detach();
        } catch (const std::system_error&) {
            // No thread to be had: the child stays a zombie until this
            // process ends, which is harmless next to failing the start.
        }
    }

    std::optional<int> wait(int pid, std::chrono::milliseconds timeout) override {
        std::unique_lock lock(m_mutex);
        if (!m_ended.wait_for(lock, timeout, [&] { return m_codes.contains(pid); })) return std::nullopt;
        auto code = m_codes.at(pid);
        m_codes.erase(pid);
        std::erase(m_order, pid);
        return code;
    }

private:
    // Codes nobody asks for are dropped, oldest first, so that a long-lived
    // host that starts many programs does not grow without bound.
    static constexpr std::size_t keptCodes = 256;

    void reap(int pid) {
        // The code is kept before the child is reaped: once the pid no
        // longer exists, its code is here to be had.
        siginfo_t info{};
        int result = 0;
        do {
            result = ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
        } while (result < 0 && errno == EINTR);
        const int code = result < 0 ? -1 : exitCodeOf(info);
        {
            std::lock_guard lock(m_mutex);
            m_codes[pid] = code;
            m_order.push_back(pid);
            while (m_order.size() > keptCodes) {
                m_codes.erase(m_order.front());
                m_order.pop_front();
            }
        }
        do {
            result = ::waitpid(pid, nullptr, 0);
        } while (result < 0 && errno == EINTR);
        m_ended.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_ended;
    std::map<int, int> m_codes;
    std::deque<int> m_order;
};

}  // namespace

ChildReaper& ChildReaper::instance() {
    // Never destroyed: detached reaper threads may still finish while the
    // process runs its exit handlers.
    static ChildReaper* reaper = new ThreadReaper;
    return *reaper;
}

}  // namespace win32
