#pragma once
// What the Word and the Excel host share when they print: one print job of
// the chosen pages of a document's file.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/Dispatch.h"

namespace office {

class PageFile;

// Picks the pages to print (PageSelection.h) from the number the file has.
using PageChoice = std::function<std::vector<std::int32_t>(std::int32_t pageCount)>;

// Submits the pages that `choose` picks from `pages` to `printer` as one job
// titled `title`, and returns once the job is in the printer's spool. No job
// when no page is picked. Throws std::runtime_error when the printer takes no
// job; what `choose` throws passes through.
void printPages(const PageFile& pages, const std::string& title, const std::string& printer, const PageChoice& choose);

// Raises the runtime's error 448 for a named argument that is none of
// `known`, so that a misspelt name fails instead of being ignored.
void requireKnownNames(const com::Arguments& args, std::initializer_list<std::string_view> known);

}  // namespace office
