#pragma once

// The title of every message box of the export command.
inline constexpr const char* MessageTitle = "COM-Add-In: Erzeuge PDF mit Kalmora";
// A second export while one runs, in this host or another.
inline constexpr const char* AlreadyRunning = "Der PDF-Ausdruck läuft bereits. Bitte warten, bis er fertig ist.";
