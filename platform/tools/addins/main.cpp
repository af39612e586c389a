// The hosts' lists of add-ins to load at their start, as an installer writes
// them for Word and Excel:
//   addins add HOST PROGID       HOST loads PROGID from its next start
//   addins remove HOST PROGID
//   addins list HOST             one ProgID a line
// HOST is "Word" or "Excel". Exit status 0; 1 when the world cannot be
// written; 2 for a bad command line.
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/office/addins/AddInList.h"

namespace {

int usage() {
    std::cerr << "Aufruf: addins add|remove HOST PROGID | addins list HOST   (HOST: Word oder Excel)\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string action = argv[1];
    const std::string host = argv[2];
    if (host != "Word" && host != "Excel") return usage();
    try {
        if (action == "list" && argc == 3) {
            for (const std::string& progId : office::registeredAddIns(host)) std::cout << progId << "\n";
        } else if (action == "add" && argc == 4) {
            office::registerAddIn(host, argv[3]);
        } else if (action == "remove" && argc == 4) {
            office::unregisterAddIn(host, argv[3]);
        } else {
            return usage();
        }
    } catch (const std::invalid_argument& error) {
        std::cerr << "addins: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "addins: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
