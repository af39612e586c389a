// Starting an outside program and waiting for it.
#include "src/util/ShellWait.h"
#include "platform/runtime/Interaction.h"
#include "platform/win32/Process.h"
#include "platform/win32/ProcessApi.h"
#include "src/util/Messages.h"

com::Boolean ShellWait(const std::string& cmdline, AppWindow window, std::uint32_t* exitCode) {
    win32::STARTUPINFOA startup;
    startup.dwFlags = win32::STARTF_USESHOWWINDOW;
    startup.wShowWindow =
        static_cast<std::uint16_t>(window == AppWindow::Shown ? win32::SW_SHOWNORMAL : win32::SW_HIDE);
    win32::PROCESS_INFORMATION process;
    const win32::BOOL started =
        win32::CreateProcessA(cmdline, win32::TRUE, win32::NORMAL_PRIORITY_CLASS, startup, process);
    runtime::DoEvents();
    if (!started) {
        runtime::MsgBox("Starten der Anwendung ist fehlgeschlagen!\r\n" + cmdline,
                        runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
        return com::False;
    }
    // No time limit: the host stays responsive while the program works.
    do {
        runtime::DoEvents();
    } while (win32::WaitForSingleObject(process.hProcess, 10) == win32::WAIT_TIMEOUT);
    if (exitCode) {
        win32::DWORD code = win32::STILL_ACTIVE;
        *exitCode = win32::GetExitCodeProcess(process.hProcess, code) ? code : win32::STILL_ACTIVE;
    }
    win32::CloseHandle(process.hThread);  // not needed, but not to be leaked either
    return com::toBoolean(win32::CloseHandle(process.hProcess));
}
