#pragma once
// The jobs that the print system spooled for the PDF printer: "<n>.pdf" with
// its "<n>.title", numbered in the order they were submitted.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdfprinter {

class Spool {
public:
    explicit Spool(std::filesystem::path folder);

    // The numbers of the complete jobs (those whose PDF is there), oldest
    // first. None when the folder is missing.
    std::vector<std::uint64_t> waitingJobs() const;

    // The job's PDF; nothing when it was dropped meanwhile.
    std::optional<std::string> pdf(std::uint64_t job) const;
    // The title the job carries (JobTitle.h); empty when it has none.
    std::string title(std::uint64_t job) const;

    // Removes the job; a job that is gone already is no failure. Throws
    // std::filesystem::filesystem_error when the job cannot be removed.
    void drop(std::uint64_t job) const;
    // Drops the waiting jobs of `document` (JobTitle.h: every job when it is
    // empty); the jobs of other programs stay for them.
    void dropAllOf(std::string_view document) const;

private:
    std::filesystem::path folder_;
};

}  // namespace pdfprinter
