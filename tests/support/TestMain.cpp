// The main() of the test programs. Each program (CTest runs every test case
// as a program of its own) gets a world of its own unless it was given one,
// so that the programs its tests start (the PDF printer, pdftk, the office)
// are the only ones taskkill sees, as on a machine of its own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/TempFolder.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const TempFolder world;
    const char* given = std::getenv("KALMORA_WORLD");
    if (given == nullptr || *given == '\0') ::setenv("KALMORA_WORLD", world.path("Welt").c_str(), 1);
    return RUN_ALL_TESTS();
}
