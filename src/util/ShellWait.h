#pragma once
// Starting an outside program and waiting for it.
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/com/Boolean.h"

// How the started program's window shows.
enum class AppWindow { Hidden, Shown };

// Starts a command line and waits, with no time limit, until its program has
// ended, handling pending window events meanwhile. False, after a message,
// when the program cannot be started. `exitCode`, when given, receives the
// program's exit code (259 when it could not be started).
com::Boolean ShellWait(const std::string& cmdline, AppWindow window, std::uint32_t* exitCode = nullptr);

// The end of a wait that has a limit: once `after` has passed, `stop` (a
// command line that ends the program) runs, and the wait goes on until the
// program has ended.
struct WaitLimit {
    std::chrono::milliseconds after;
    std::string stop;
};

enum class Waited { NotStarted, Ended, Stopped };

// ShellWait for a program in a hidden window, bounded by `limit`.
Waited ShellWait(const std::string& cmdline, const WaitLimit& limit, std::uint32_t& exitCode);
