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
    // A file that receives what the program writes on its standard error
    // (made anew); empty: nowhere.
    std::string errorFile = {};
};

enum class Waited { NotStarted, Ended, Stopped };

// Why the program of `cmdline` cannot be started, for the user: it is
// missing, a folder, or cannot be run.
std::string whyNotStarted(const std::string& cmdline);

// ShellWait for a program in a hidden window, bounded by `limit`.
Waited ShellWait(const std::string& cmdline, const WaitLimit& limit, std::uint32_t& exitCode);
