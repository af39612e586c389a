#pragma once
// Which document a print job belongs to. The print system gives every job the
// title its program chose; Word and Excel title a document's jobs with the
// document's name as their Name property gives it ("Angebot.docx",
// "Mappe.xlsx"). Older Office versions put the program before it
// ("Microsoft Word - Angebot.doc", unconfirmed): the printer takes both.
#include <array>
#include <string_view>

namespace pdfprinter {

// The option that names the document whose jobs the printer takes; empty:
// every job.
inline constexpr std::string_view jobTitleOption = "AutosaveJobTitle";

// Whether a job titled `title` is one of `document`'s; every job is when
// `document` is empty.
inline bool isJobOf(std::string_view title, std::string_view document) {
    if (document.empty() || title == document) return true;
    constexpr std::array<std::string_view, 2> programs{"Microsoft Word - ", "Microsoft Excel - "};
    for (const std::string_view program : programs)
        if (title.starts_with(program) && title.substr(program.size()) == document) return true;
    return false;
}

}  // namespace pdfprinter
