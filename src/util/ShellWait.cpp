// Starting an outside program and waiting for it.
#include "src/util/ShellWait.h"
#include <optional>
#include <vector>

#include "platform/runtime/Interaction.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/Files.h"
#include "platform/win32/Process.h"
#include "platform/win32/ProcessApi.h"
#include "src/util/Messages.h"

namespace {

// Starts and awaits the program; nullopt when it could not be started. A
// program still running at `deadline` is ended by `limit->stop`.
std::optional<Waited> startAndWait(const std::string& cmdline, AppWindow window, const WaitLimit* limit,
                                   std::uint32_t* exitCode) {
    const auto deadline = std::chrono::steady_clock::now() + (limit ? limit->after : std::chrono::milliseconds{0});
    win32::STARTUPINFOA startup;
    startup.dwFlags = win32::STARTF_USESHOWWINDOW;
    if (limit && !limit->errorFile.empty()) {
        startup.dwFlags |= win32::STARTF_USESTDHANDLES;
        startup.hStdError = limit->errorFile;
    }
    startup.wShowWindow =
        static_cast<std::uint16_t>(window == AppWindow::Shown ? win32::SW_SHOWNORMAL : win32::SW_HIDE);
    win32::PROCESS_INFORMATION process;
    const win32::BOOL started =
        win32::CreateProcessA(cmdline, win32::TRUE, win32::NORMAL_PRIORITY_CLASS, startup, process);
    runtime::DoEvents();
    if (!started) {
        runtime::MsgBox("Starten der Anwendung ist fehlgeschlagen!\r\n" + cmdline + "\r\n" + whyNotStarted(cmdline),
                        runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
        return std::nullopt;
    }
    // The host stays responsive while the program works.
    Waited waited = Waited::Ended;
    do {
        runtime::DoEvents();
        if (limit && waited == Waited::Ended && std::chrono::steady_clock::now() >= deadline) {
            waited = Waited::Stopped;
            ShellWait(limit->stop, AppWindow::Hidden);
        }
    } while (win32::WaitForSingleObject(process.hProcess, 10) == win32::WAIT_TIMEOUT);
    if (exitCode) {
        win32::DWORD code = win32::STILL_ACTIVE;
        *exitCode = win32::GetExitCodeProcess(process.hProcess, code) ? code : win32::STILL_ACTIVE;
    }
    win32::CloseHandle(process.hThread);  // not needed, but not to be leaked either
    if (!win32::CloseHandle(process.hProcess)) return std::nullopt;
    return waited;
}

}  // namespace

std::string whyNotStarted(const std::string& cmdline) {
    const std::vector<std::string> arguments = win32::splitCommandLine(cmdline);
    if (arguments.empty()) return "Die Befehlszeile ist leer.";
    const std::string& program = arguments.front();
    const bool named = program.find_first_of("\\/") != std::string::npos;
    if (named && win32::PathFileExistsA(program) == 0) return "Das Programm " + program + " fehlt.";
    if (named && win32::PathIsDirectoryA(program) != 0) return "Das Programm " + program + " ist ein Ordner.";
    if (named) return "Das Programm " + program + " lässt sich nicht ausführen.";
    return "Das Programm " + program + " wurde nicht gefunden.";
}

com::Boolean ShellWait(const std::string& cmdline, AppWindow window, std::uint32_t* exitCode) {
    return com::toBoolean(startAndWait(cmdline, window, nullptr, exitCode).has_value());
}

Waited ShellWait(const std::string& cmdline, const WaitLimit& limit, std::uint32_t& exitCode) {
    exitCode = win32::STILL_ACTIVE;
    return startAndWait(cmdline, AppWindow::Hidden, &limit, &exitCode).value_or(Waited::NotStarted);
}
