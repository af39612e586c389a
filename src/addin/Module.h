#pragma once
// The add-in library as an in-process server: its identity and the
// bookkeeping that tells the host when the library may be unloaded.
#include "platform/com/Guid.h"
#include "platform/com/ServerModule.h"

namespace Identity {

inline constexpr const char* TypeLibName = "PDF_Kalmora";
// {44D7BF3A-E2F8-4256-810E-C101A97978CF}
inline constexpr com::Guid LIBID{0x44D7BF3A, 0xE2F8, 0x4256, {0x81, 0x0E, 0xC1, 0x01, 0xA9, 0x79, 0x78, 0xCF}};
inline constexpr const char* TypeLibVersion = "30.0";
// {59C8A7B6-5203-4914-8730-45E22C514639}
inline constexpr com::Guid CLSID_Connect{0x59C8A7B6, 0x5203, 0x4914, {0x87, 0x30, 0x45, 0xE2, 0x2C, 0x51, 0x46, 0x39}};
inline constexpr const char* ProgID = "PDF_Kalmora.Connect";
// {D9D2A035-7D13-4288-A336-BB574FA696C8}: the class's own interface, with no members.
inline constexpr com::Guid IID__Connect{0xD9D2A035, 0x7D13, 0x4288, {0xA3, 0x36, 0xBB, 0x57, 0x4F, 0xA6, 0x96, 0xC8}};

}  // namespace Identity

com::ServerModule& Module();
