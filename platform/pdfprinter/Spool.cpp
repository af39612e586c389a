#include "platform/pdfprinter/Spool.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "platform/pdfprinter/JobTitle.h"
#include "platform/win32/AtomicFile.h"

namespace pdfprinter {

namespace {

std::optional<std::uint64_t> numberOfPdf(const std::string& fileName) {
    std::uint64_t number = 0;
    const char* first = fileName.data();
    const char* last = first + fileName.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end == first || std::string_view(end, static_cast<std::size_t>(last - end)) != ".pdf")
        return std::nullopt;
    return number;
}

}  // namespace

Spool::Spool(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::vector<std::uint64_t> Spool::waitingJobs() const {
    std::vector<std::uint64_t> jobs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        if (auto number = numberOfPdf(entry.path().filename().string())) jobs.push_back(*number);
    }
    // Numeric order: job 10 comes after job 9, not after job 1.
    std::ranges::sort(jobs);
    return jobs;
}

std::optional<std::string> Spool::pdf(std::uint64_t job) const {
    return win32::readWholeFile(folder_ / (std::to_string(job) + ".pdf"));
}

std::string Spool::title(std::uint64_t job) const {
    return win32::readWholeFile(folder_ / (std::to_string(job) + ".title")).value_or("");
}

void Spool::drop(std::uint64_t job) const {
    // The PDF first: a job without its PDF is no job any more.
    std::filesystem::remove(folder_ / (std::to_string(job) + ".pdf"));
    std::filesystem::remove(folder_ / (std::to_string(job) + ".title"));
}

void Spool::dropAllOf(std::string_view document) const {
    for (const auto job : waitingJobs())
        if (isJobOf(title(job), document)) drop(job);
}

}  // namespace pdfprinter
