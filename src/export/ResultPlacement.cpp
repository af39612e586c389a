#include "src/export/ResultPlacement.h"

#include <random>
#include <sstream>

#include "platform/win32/ProcessApi.h"
#include "src/util/FileChecks.h"

using namespace FileChecks;

namespace {

constexpr int ParkingAttempts = 20;

// A hidden name beside the result that no file of the user's has: the old
// result waits there while the new one is made.
std::string parkedName(const std::string& result) {
    static std::mt19937_64 random{std::random_device{}()};
    const auto separator = result.find_last_of('\\');
    const std::string folder = separator == std::string::npos ? std::string() : result.substr(0, separator + 1);
    const std::string name = separator == std::string::npos ? result : result.substr(separator + 1);
    std::ostringstream parked;
    parked << folder << "." << name << "." << std::hex << random() << ".alt";
    return parked.str();
}

}  // namespace

namespace ResultPlacement {

Placed placeResult(const std::string& result, const std::function<bool()>& produce) {
    if (!com::isTrue(FileReplaceable(result))) return Placed::Refused;
    std::string parked;
    if (com::isTrue(FileFolderExists(result))) {
        // A name of this run's own: the move never replaces a file, and a
        // name that is taken is passed over.
        for (int attempt = 0; parked.empty() && attempt < ParkingAttempts; ++attempt) {
            const std::string candidate = parkedName(result);
            if (com::isTrue(FileFolderExists(candidate))) continue;
            if (!win32::MoveFileA(result, candidate)) {
                tellLocked(result);
                return Placed::Refused;
            }
            parked = candidate;
        }
        if (parked.empty()) {
            tellLocked(result);
            return Placed::Refused;
        }
    }
    // The old result comes back whatever happens while the new one is made.
    bool made = false;
    const auto restore = [&] {
        if (parked.empty()) return;
        if (made) {
            DeleteExistingFile(parked);
            return;
        }
        // Only what this run wrote under the result's name goes.
        if (com::isTrue(FileFolderExists(result))) DeleteExistingFile(result);
        win32::MoveFileA(parked, result);
    };
    try {
        made = produce();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return made ? Placed::New : Placed::None;
}

}  // namespace ResultPlacement
