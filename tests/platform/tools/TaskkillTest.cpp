#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/Process.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

using kalmora::testing::endsSoon;
using kalmora::testing::isRunning;
using kalmora::testing::runProgram;

const std::string taskkill = TASKKILL_PROGRAM;

// Image names carry this process's id: taskkill ends every process of the
// user by that name in the world, and other test programs may run at the
// same time in the same world.
std::string imageName(const std::string& stem) {
    return stem + " " + std::to_string(::getpid()) + ".exe";
}

// Sleeping programs under chosen file names. A copy, not a link: the image
// name is the name of the file actually running.
class TaskkillOnSleepers : public ::testing::Test {
protected:
    // Started in the test's world, or in the world `world` (another machine).
    int start(const std::string& name, const std::optional<std::string>& world = std::nullopt) {
        const auto path = m_folder.path(name);
        if (!std::filesystem::exists(path)) std::filesystem::copy_file(win32::findProgram("sleep"), path);
        std::optional<ScopedVariable> otherWorld;
        if (world) otherWorld.emplace("KALMORA_WORLD", m_folder.path(*world));
        win32::StartedProcess started;
        EXPECT_TRUE(win32::startProcess({"\"" + path + "\" 300", win32::SW_HIDE}, started));
        m_started.push_back(started.pid);
        return started.pid;
    }

    void TearDown() override {
        for (const int pid : m_started) ::kill(pid, SIGKILL);
    }

    TempFolder m_folder;
    std::vector<int> m_started;
};

TEST(Taskkill, IsTheProgramFoundInTheToolsFolder) {
    EXPECT_TRUE(std::filesystem::equivalent(win32::findProgram("taskkill"), taskkill));
    EXPECT_TRUE(std::filesystem::equivalent(win32::findProgram("taskkill.exe"), taskkill));
}

TEST_F(TaskkillOnSleepers, EndsEveryProcessOfTheNameWithoutRegardToCase) {
    struct Case {
        std::vector<std::string> arguments;  // NAME stands for the name asked
        std::string reported;                // <name> and <pid> filled in per process
    };
    const Case cases[] = {
        {{"/f", "/im", "NAME"}, "ERFOLGREICH: Der Prozess \"<name>\" mit PID <pid> wurde beendet.\n"},
        {{"/IM", "NAME", "/F"}, "ERFOLGREICH: Der Prozess \"<name>\" mit PID <pid> wurde beendet.\n"},
        {{"/im", "NAME"},
         "ERFOLGREICH: Ein Beendigungssignal wurde an den Prozess \"<name>\" mit PID <pid> gesendet.\n"},
    };
    int round = 0;
    for (const auto& c : cases) {
        const auto name = imageName("Foo Bar " + std::to_string(++round));
        const int first = start(name);
        const int second = start(name);
        const int other = start(name + ".bak");
        const int elsewhere = start(name, "andere Welt");
        std::string asked = name;
        for (char& ch : asked) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        std::vector<std::string> argv{taskkill};
        for (const auto& argument : c.arguments) argv.push_back(argument == "NAME" ? asked : argument);

        const auto result = runProgram(argv);

        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(endsSoon(first));
        EXPECT_TRUE(endsSoon(second));
        EXPECT_TRUE(isRunning(other));
        EXPECT_TRUE(isRunning(elsewhere));
        std::string expected;
        // Listed in the order of /proc, which is the order of the ids.
        const auto [low, high] = std::minmax(first, second);
        for (const int pid : {low, high}) {
            auto line = c.reported;
            line.replace(line.find("<name>"), 6, name);
            line.replace(line.find("<pid>"), 5, std::to_string(pid));
            expected += line;
        }
        EXPECT_EQ(result.out, expected);
    }
}

// A stopped process (SIGSTOP) answers nothing; /f ends it all the same, and
// taskkill returns once it is gone.
TEST_F(TaskkillOnSleepers, ForcedEndsAStoppedProcess) {
    const auto name = imageName("Angehalten");
    const int stopped = start(name);
    ASSERT_EQ(::kill(stopped, SIGSTOP), 0);
    const auto result = runProgram({taskkill, "/f", "/im", name});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(endsSoon(stopped));
}

TEST(Taskkill, ReportsANameThatNoProcessHas) {
    const auto name = imageName("Niemand");
    const auto result = runProgram({taskkill, "/f", "/im", name});
    EXPECT_EQ(result.exitCode, 128);
    EXPECT_EQ(result.err, "FEHLER: Der Prozess \"" + name + "\" wurde nicht gefunden.\n");
    EXPECT_EQ(result.out, "");
}

TEST(Taskkill, RefusesAWrongUse) {
    const std::vector<std::vector<std::string>> wrong = {{}, {"/f"}, {"/im"}, {"/x", "/im", "a.exe"}, {"a.exe"}};
    for (const auto& arguments : wrong) {
        std::vector<std::string> argv{taskkill};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const auto result = runProgram(argv);
        EXPECT_EQ(result.exitCode, 1) << ::testing::PrintToString(arguments);
        EXPECT_NE(result.err.find("TASKKILL [/F] /IM Abbildname"), std::string::npos) << result.err;
    }
}

}  // namespace
