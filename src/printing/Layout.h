#pragma once
// The letterhead layouts of the choice window, in the order of its list.
#include <cstdint>

enum class Layout : std::int16_t {
    None = -1,              // the window closed without a choice
    FirstAndFollowing = 0,  // "Kopfbogen 1.Seite + Kopfbogen 2. Seite": page 1 and the following pages apart
    AllOnFirst = 1,         // "alles auf Kopfbogen 1. Seite"
    AllOnFollowing = 2,     // "alles auf Kopfbogen 2. Seite"
};
