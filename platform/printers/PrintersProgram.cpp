// printers: looks after the printers of the world that KALMORA_WORLD names.
//   printers list             every printer, the default marked with "*"
//   printers default [NAME]   tells the default printer, or makes NAME it
//   printers add NAME         installs a printer
//   printers remove NAME      removes a printer and its waiting jobs
// Exit status: 0 done, 1 refused (no such printer, no default), 2 bad command line.
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/printers/PrintSystem.h"

namespace {

constexpr int done = 0;
constexpr int refused = 1;
constexpr int badCommandLine = 2;

constexpr std::string_view usage =
    "Aufruf: printers list\n"
    "        printers default [NAME]\n"
    "        printers add NAME\n"
    "        printers remove NAME\n";

int notInstalled(const std::string& name) {
    std::cerr << "Der Drucker \"" << name << "\" ist nicht installiert.\n";
    return refused;
}

int list() {
    const auto chosen = printers::defaultPrinter();
    for (const std::string& name : printers::installed())
        std::cout << (chosen && *chosen == name ? '*' : ' ') << name << '\n';
    return done;
}

int showDefault() {
    const auto chosen = printers::defaultPrinter();
    if (!chosen) {
        std::cerr << "Es ist kein Standarddrucker festgelegt.\n";
        return refused;
    }
    std::cout << *chosen << '\n';
    return done;
}

int run(const std::vector<std::string>& args) {
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "list" && args.size() == 1) return list();
    if (command == "default" && args.size() == 1) return showDefault();
    if (command == "default" && args.size() == 2)
        return printers::setDefaultPrinter(args[1]) ? done : notInstalled(args[1]);
    if (command == "add" && args.size() == 2) {
        printers::install(args[1]);
        return done;
    }
    if (command == "remove" && args.size() == 2) {
        if (!printers::exists(args[1])) return notInstalled(args[1]);
        printers::uninstall(args[1]);
        return done;
    }
    std::cerr << usage;
    return badCommandLine;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "printers: " << e.what() << '\n';
        return refused;
    }
}
