#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestWorld.h"
#include "platform/printers/PrintSystem.h"

extern char** environ;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    return os << "exit " << o.exitCode << ", out \"" << o.out << "\", err \"" << o.err << "\"";
}

const std::string networkPrinter = "\\\\druckserver\\Etage 2";

const std::string usage =
    "Aufruf: printers list\n"
    "        printers default [NAME]\n"
    "        printers add NAME\n"
    "        printers remove NAME\n";

class PrintersProgramTest : public ::testing::Test {
protected:
    TestWorld world_;

    // Runs the program with the test's world (it inherits KALMORA_WORLD).
    Outcome run(const std::vector<std::string>& args) const {
        const std::string outPath = (world_.path() / "stdout").string();
        const std::string errPath = (world_.path() / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string program = PRINTERS_PROGRAM;
        std::vector<std::string> texts = args;
        std::vector<char*> argv{program.data()};
        for (std::string& text : texts) argv.push_back(text.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        const int started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (started != 0) return {};
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return {};
        return {WEXITSTATUS(status), TestWorld::read(outPath), TestWorld::read(errPath)};
    }
};

TEST_F(PrintersProgramTest, CommandsTheirOutputAndExitCodes) {
    printers::install("Laser");
    printers::install(networkPrinter);
    struct Step {
        std::vector<std::string> args;
        Outcome expected;
    };
    const Step steps[] = {
        {{"default"}, {1, "", "Es ist kein Standarddrucker festgelegt.\n"}},
        {{"list"}, {0, " " + networkPrinter + "\n Laser\n", ""}},
        {{"default", "LASER"}, {0, "", ""}},
        {{"default"}, {0, "Laser\n", ""}},
        {{"list"}, {0, " " + networkPrinter + "\n*Laser\n", ""}},
        {{"default", "Fehlt"}, {1, "", "Der Drucker \"Fehlt\" ist nicht installiert.\n"}},
        {{"default"}, {0, "Laser\n", ""}},
        {{"add", "Büro Ä"}, {0, "", ""}},
        {{"add", "büro ä"}, {0, "", ""}},
        {{"default", "\\\\DRUCKSERVER\\etage 2"}, {0, "", ""}},
        {{"list"}, {0, "*" + networkPrinter + "\n Büro Ä\n Laser\n", ""}},
        {{"remove", "laser"}, {0, "", ""}},
        {{"remove", "Laser"}, {1, "", "Der Drucker \"Laser\" ist nicht installiert.\n"}},
        {{"remove", networkPrinter}, {0, "", ""}},
        {{"list"}, {0, " Büro Ä\n", ""}},
        {{"default"}, {1, "", "Es ist kein Standarddrucker festgelegt.\n"}},
        {{"add", ""}, {1, "", "printers: Ein Druckername darf nicht leer sein.\n"}},
        {{}, {2, "", usage}},
        {{"lsit"}, {2, "", usage}},
        {{"list", "Laser"}, {2, "", usage}},
        {{"remove"}, {2, "", usage}},
        {{"add", "a", "b"}, {2, "", usage}},
    };
    for (const Step& step : steps) {
        std::string line;
        for (const std::string& arg : step.args) line += " [" + arg + "]";
        EXPECT_EQ(run(step.args), step.expected) << line;
    }
    EXPECT_EQ(printers::installed(), std::vector<std::string>{"Büro Ä"});
}

}  // namespace
