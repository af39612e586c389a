#pragma once
// What the tests know about the test server library (TestInprocServer.cpp).
#include "platform/com/Guid.h"

namespace com::testing {

// Ping() answers "Pong".
inline constexpr Guid CLSID_Ping{0x6B1D2C4E, 0x0F3A, 0x4C11, {0x9A, 0x51, 0x2E, 0x7C, 0x30, 0x44, 0x18, 0x01}};
inline constexpr char ProgId_Ping[] = "Kalmora.Test.Ping";
// Its creation always fails inside the server.
inline constexpr Guid CLSID_Broken{0x6B1D2C4E, 0x0F3A, 0x4C11, {0x9A, 0x51, 0x2E, 0x7C, 0x30, 0x44, 0x18, 0x02}};
inline constexpr char ProgId_Broken[] = "Kalmora.Test.Broken";

}  // namespace com::testing
