#pragma once
// A text document as it comes out of the printer: form feeds ("\f") end a
// page; each page's lines are set from the top of an A4 page in Helvetica
// 11 pt, blank lines kept. A line wider than the type area is wrapped at its
// last blank that fits (inside a word when there is none); a page that holds
// more lines than fit goes on over the next page, as a word processor does.
#include <string>
#include <string_view>

namespace office {

// The PDF file (its bytes) of the UTF-8 text `text`. An empty text prints one
// empty page. Characters that Windows-1252 lacks print as "?".
std::string textToPdf(std::string_view text);

}  // namespace office
