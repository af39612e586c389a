#pragma once
// The add-in's settings as a host's settings page shows and changes them
// (platform/office/addins/SettingsPage.h): the files and the cascade that a
// press of the button reads, the checks that the press makes, and the one
// writer. Nothing that the press would refuse is stored.
#include <string>
#include <vector>

#include "platform/win32/PrivateProfile.h"

namespace SettingsPage {

// The user's settings file, which the page writes.
std::string file();

// The value in force of `key` as the file spells it ("~/" kept), and the
// file it comes from: the user's, else the administrator's when that has
// the key.
struct Value {
    std::string text;
    std::string source;
};
Value value(const std::string& key);

// Why `value` must not be stored under `key`, in the press's words where it
// has some; empty when it may. A letterhead must be a PDF that pdftk reads,
// an output folder one that a run can write into (or make), the company code
// free of "\", "/" and quotes; every path a full one, or one in the home
// folder ("~/"), and every value one that the settings file can hold.
std::string refusal(const std::string& key, const std::string& value);

// Stores the values in the user's settings file in one write; nothing when
// one of them is refused or the file cannot be written. Empty, or why not.
std::string store(const std::vector<win32::ProfileEntry>& entries);

// The answer that `host` ("Word" or "Excel") remembers for an output file
// that exists ("Überschreiben", "Umbenennen"); empty while the user is asked.
std::string rememberedAnswer(const std::string& host);

// Forgets it. Empty, or why it cannot be forgotten.
std::string forgetAnswer(const std::string& host);

}  // namespace SettingsPage
