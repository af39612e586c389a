#pragma once

// The title of every message box of the export command.
inline constexpr const char* MessageTitle = "COM-Add-In: Erzeuge PDF mit Kalmora";
