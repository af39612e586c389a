#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "platform/win32/Shell.h"
#include "tests/support/Eventually.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace win32;

constexpr HWND owner = 0x10010;

std::intptr_t open(const std::string& file, const char* verb = "Open", const std::string& directory = "") {
    return ShellExecuteA(owner, verb, file, "", directory, SW_SHOWMAXIMIZED);
}

TEST(ShellExecuteA, HandsAnExistingFileToTheOpenHandler) {
    TempFolder folder;
    folder.write("Angebot ABC.pdf", "%PDF");
    const auto file = folder.windowsPath("Angebot ABC.pdf");
    std::vector<std::string> opened;
    bool handled = true;
    setOpenHandler([&](const std::string& path) {
        opened.push_back(path);
        return handled;
    });
    struct Case {
        const char* verb;
        std::string file;
        std::string directory;
        std::intptr_t result;  // 0: success, any value above 32
    };
    const Case cases[] = {
        {"Open", file, "", 0},
        {"oPEN", file, "", 0},
        {"", file, "", 0},
        {"Open", "Angebot ABC.pdf", folder.windowsPath(""), 0},  // relative to the folder given
        {"print", file, "", SE_ERR_NOASSOC},
        {"Open", folder.windowsPath("Angebot XYZ.pdf"), "", SE_ERR_FNF},
        {"Open", folder.windowsPath("fehlt\\Angebot ABC.pdf"), "", SE_ERR_PNF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.verb) + " " + c.file);
        opened.clear();
        const auto result = open(c.file, c.verb, c.directory);
        EXPECT_EQ(result > 32 ? 0 : result, c.result);
        EXPECT_EQ(opened, c.result ? std::vector<std::string>{} : std::vector{folder.path("Angebot ABC.pdf")});
    }

    handled = false;
    EXPECT_EQ(open(file), SE_ERR_NOASSOC);
    setOpenHandler([](const std::string&) -> bool { throw std::runtime_error("Betrachter kaputt"); });
    EXPECT_EQ(open(file), SE_ERR_NOASSOC);

    setOpenHandler(nullptr);
    const ScopedVariable display("DISPLAY", std::nullopt);
    const ScopedVariable wayland("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_EQ(open(file), SE_ERR_NOASSOC);
}

TEST(ShellExecuteA, StartsTheDesktopOpenerWithoutAHandlerWhenThereIsADisplay) {
    TempFolder folder;
    // An opener of our own ahead of the system's, recording its arguments.
    folder.write("xdg-open", "#!/bin/sh\nprintf '%s|' \"$@\" > \"$0.partial\"\nmv \"$0.partial\" \"$0.args\"\n");
    std::filesystem::permissions(folder.path("xdg-open"), std::filesystem::perms::owner_all);
    const ScopedVariable path("PATH", folder.path() + ":" + std::getenv("PATH"));
    const ScopedVariable display("DISPLAY", ":99");
    folder.write("Brief \"neu\" 2.pdf", "%PDF");

    EXPECT_GT(open(folder.windowsPath("Brief \"neu\" 2.pdf")), 32);

    eventually([&] { return std::filesystem::exists(folder.path("xdg-open.args")); }, std::chrono::seconds(60),
               std::chrono::milliseconds(10));
    EXPECT_EQ(folder.read("xdg-open.args"), folder.path("Brief \"neu\" 2.pdf") + "|");
}

TEST(ShellExecuteA, OpensThroughTheRuntimeBackendUntilItIsRemoved) {
    TempFolder folder;
    folder.write("R.pdf", "%PDF");
    const auto script = std::make_shared<runtime::ScriptBackend>();
    runtime::setBackend(script);
    EXPECT_GT(open(folder.windowsPath("R.pdf")), 32);
    EXPECT_EQ(script->record(), std::vector<std::string>{"open \"" + folder.path("R.pdf") + "\""});

    runtime::setBackend(nullptr);
    const ScopedVariable display("DISPLAY", std::nullopt);
    const ScopedVariable wayland("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_EQ(open(folder.windowsPath("R.pdf")), SE_ERR_NOASSOC);
    EXPECT_EQ(script->record().size(), 1u);
}

}  // namespace
