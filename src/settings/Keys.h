#pragma once
// The keys of the settings file's section "Global" and how their values are
// written. The five text keys are set up by people; the add-in writes only
// the answer keys.
#include <optional>
#include <string>

#include "platform/com/Boolean.h"

namespace Keys {

// Text keys.
inline constexpr const char* ErsteSeite = "ErsteSeite";    // letterhead of the first page
inline constexpr const char* ZweiteSeite = "ZweiteSeite";  // letterhead of the following pages
inline constexpr const char* PDFAusgabePfadWord = "PDFAusgabePfadWord";
inline constexpr const char* PDFAusgabePfadExcel = "PDFAusgabePfadExcel";
inline constexpr const char* Firmenkuerzel = "Firmenkürzel";  // stored as Windows-1252

// The three answer keys of one host, all read as integers (nonzero is True).
struct AnswerKeys {
    std::string gelesen;    // "1": the answer is the standard, do not ask again
    std::string overwrite;  // "-1": the last answer was to overwrite
    std::string rename;     // "-1": the last answer was to rename
};

// The keys of host kind "Word" or "Excel"; none for any other kind.
std::optional<AnswerKeys> answerKeys(const std::string& hostKind);

// How the keys' values are written: the flags as the decimal text of the
// 16-bit Boolean ("-1" or "0"), the check box as its state ("1" or "0").
inline std::string flagText(com::Boolean flag) {
    return com::decimalText(flag);
}
inline std::string checkBoxText(int value) {
    return value != 0 ? "1" : "0";
}

}  // namespace Keys
