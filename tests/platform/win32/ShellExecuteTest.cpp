#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "platform/win32/Shell.h"

namespace {

using namespace win32;

constexpr HWND owner = 0x10010;

// An environment variable set (or removed) for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        set(value);
    }
    ~ScopedVariable() { set(m_old); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(m_name, value->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

    const char* m_name;
    std::optional<std::string> m_old;
};

class ShellExecute : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.write("Angebot ABC.pdf", "%PDF");
        setOpenHandler([this](const std::string& path) {
            m_opened.push_back(path);
            return m_handlerAnswer;
        });
    }
    void TearDown() override { setOpenHandler(nullptr); }

    TempFolder m_folder;
    std::vector<std::string> m_opened;
    bool m_handlerAnswer = true;
};

TEST_F(ShellExecute, HandsAnExistingFileToTheOpenHandler)
{
    struct Case {
        const char* verb;
        std::string file;  // as the add-in passes it
        std::string directory;
        std::intptr_t result;  // 0: any success (above 32)
    };
    const auto file = m_folder.windowsPath("Angebot ABC.pdf");
    const Case cases[] = {
        {"Open", file, "", 0},
        {"open", file, "", 0},
        {"", file, "", 0},
        {"OPEN", m_folder.path("Angebot ABC.pdf"), "", 0},
        // A relative name is looked for in the folder given.
        {"Open", "Angebot ABC.pdf", m_folder.windowsPath(""), 0},
        {"print", file, "", SE_ERR_NOASSOC},
        {"Open", m_folder.windowsPath("Angebot XYZ.pdf"), "", SE_ERR_FNF},
        {"Open", m_folder.windowsPath("fehlt\\Angebot ABC.pdf"), "", SE_ERR_PNF},
        {"Open", "", "", SE_ERR_FNF},
    };
    for (const auto& c : cases) {
        m_opened.clear();
        const auto result = ShellExecuteA(owner, c.verb, c.file, "", c.directory, SW_SHOWMAXIMIZED);
        if (c.result == 0) {
            EXPECT_GT(result, 32) << c.verb << " " << c.file;
            EXPECT_EQ(m_opened, std::vector<std::string>{m_folder.path("Angebot ABC.pdf")}) << c.file;
        } else {
            EXPECT_EQ(result, c.result) << c.verb << " " << c.file;
            EXPECT_TRUE(m_opened.empty()) << c.verb << " " << c.file;
        }
    }
}

TEST_F(ShellExecute, ReportsNoAssociationWhenNothingOpensTheFile)
{
    m_handlerAnswer = false;
    EXPECT_EQ(ShellExecuteA(owner, "Open", m_folder.windowsPath("Angebot ABC.pdf"), "", "", SW_SHOWMAXIMIZED),
              SE_ERR_NOASSOC);
    EXPECT_EQ(m_opened.size(), 1u);

    setOpenHandler([](const std::string&) -> bool { throw std::runtime_error("viewer broke"); });
    EXPECT_EQ(ShellExecuteA(owner, "Open", m_folder.windowsPath("Angebot ABC.pdf"), "", "", SW_SHOWMAXIMIZED),
              SE_ERR_NOASSOC);

    setOpenHandler(nullptr);
    ScopedVariable display("DISPLAY", std::nullopt);
    ScopedVariable wayland("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_EQ(ShellExecuteA(owner, "Open", m_folder.windowsPath("Angebot ABC.pdf"), "", "", SW_SHOWMAXIMIZED),
              SE_ERR_NOASSOC);
}

TEST_F(ShellExecute, StartsTheDesktopOpenerWithoutAHandlerWhenThereIsADisplay)
{
    // An opener of our own in front of the system's, recording its arguments.
    TempFolder tools;
    tools.write("xdg-open", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.partial\"\n"
                            "mv \"$0.partial\" \"$0.args\"\n");
    std::filesystem::permissions(tools.path("xdg-open"), std::filesystem::perms::owner_all);
    ScopedVariable path("PATH", tools.path() + ":" + std::getenv("PATH"));
    ScopedVariable display("DISPLAY", ":99");
    setOpenHandler(nullptr);
    // A name that needs quoting on the command line to the opener.
    m_folder.write("Brief \"neu\" 2.pdf", "%PDF");

    EXPECT_GT(ShellExecuteA(owner, "Open", m_folder.windowsPath("Brief \"neu\" 2.pdf"), "", "", SW_SHOWMAXIMIZED), 32);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(tools.path("xdg-open.args")) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(tools.read("xdg-open.args"), m_folder.path("Brief \"neu\" 2.pdf") + "\n");
}

// The runtime hands the add-in's open requests to the windows backend.
TEST(ShellExecuteWithRuntime, OpensThroughTheInstalledBackendUntilItIsRemoved)
{
    TempFolder folder;
    folder.write("R.pdf", "%PDF");
    auto script = std::make_shared<runtime::ScriptBackend>();
    runtime::setBackend(script);

    EXPECT_GT(ShellExecuteA(owner, "Open", folder.windowsPath("R.pdf"), "", "", SW_SHOWMAXIMIZED), 32);
    EXPECT_EQ(script->record(), std::vector<std::string>{"open \"" + folder.path("R.pdf") + "\""});

    runtime::setBackend(nullptr);
    ScopedVariable display("DISPLAY", std::nullopt);
    ScopedVariable wayland("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_EQ(ShellExecuteA(owner, "Open", folder.windowsPath("R.pdf"), "", "", SW_SHOWMAXIMIZED), SE_ERR_NOASSOC);
    EXPECT_EQ(script->record().size(), 1u);
}

}  // namespace
