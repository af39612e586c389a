#pragma once
// The add-ins a host loads when it starts, as an installer registers them
// for Word or Excel: <world>/office/<host>/AddIns.txt, one ProgID a line, in
// the order they were registered.
#include <filesystem>
#include <string>
#include <vector>

namespace office {

// The folder of a host's own files in the world: <world>/office/<host>,
// whatever the host's name contains; created when missing.
std::filesystem::path hostFolder(const std::string& host);

// None when nothing is registered. Throws std::system_error when the list
// cannot be read.
std::vector<std::string> registeredAddIns(const std::string& host);

// Adds `progId` at the end unless it is listed (without regard to case);
// removes it. The list is replaced as a whole. Throw std::invalid_argument
// for a ProgID that is empty or holds a line break, std::system_error when
// the world cannot be written.
void registerAddIn(const std::string& host, const std::string& progId);
void unregisterAddIn(const std::string& host, const std::string& progId);

}  // namespace office
