#include "platform/office/render/OfficeWatchdog.h"

#include <signal.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace office {

namespace {

// A dying office frees its memory at once: its peak is looked at this often.
constexpr auto kLook = std::chrono::milliseconds(50);

// The peak address space of process `pid` (VmPeak); 0 once it has gone.
std::uint64_t peakOf(int pid) {
    if (pid <= 0) return 0;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmPeak:")) return std::stoull(line.substr(7)) * 1024;
    }
    return 0;
}

}  // namespace

OfficeWatchdog::OfficeWatchdog(int pid, std::chrono::seconds limit)
    : pid_(pid), thread_([this, until = std::chrono::steady_clock::now() + limit](const std::stop_token& stop) {
          watch(stop, until);
      }) {}

OfficeWatchdog::~OfficeWatchdog() = default;

std::uint64_t OfficeWatchdog::peakAddressSpace() const {
    return std::max(peak_.load(), peakOf(pid_));
}

void OfficeWatchdog::watch(const std::stop_token& stop, std::chrono::steady_clock::time_point until) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        peak_ = std::max(peak_.load(), peakOf(pid_));
        if (std::chrono::steady_clock::now() >= until) {
            killed_ = true;
            if (pid_ > 0) ::kill(pid_, SIGKILL);
            return;
        }
        wake_.wait_until(lock, stop, std::min(until, std::chrono::steady_clock::now() + kLook), [] { return false; });
    }
}

}  // namespace office
