#pragma once
// Lays out real Word and Excel documents (.docx, .doc, .xlsx, .xls, and the
// office's own formats) as they print, through a headless office that this
// object starts and ends. One renderer serves one host process.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace office {

class OfficeProfile;

// What a host takes a document for.
enum class OfficeDocumentKind { Text, Spreadsheet };

// A document that a host cannot open: what() names the file and says why, in
// German ("\"/home/anna/Brief.doc\" lässt sich nicht öffnen: Das Dokument ist
// mit einem Kennwort geschützt.").
class DocumentRefused : public std::runtime_error {
public:
    DocumentRefused(const std::filesystem::path& file, const std::string& reason);
};

struct LaidOutDocument {
    std::vector<std::string> sheets;  // a spreadsheet's sheets in their order; none for a text
    std::string sheet;                // the sheet laid out
    std::string pdf;                  // the pages (a PDF file's bytes); empty when nothing prints
};

// One document may cost the office at most 60 seconds to open and lay out,
// and the office at most 4096 MB of address space (a zip bomb, a few kB that
// unpack to gigabytes, would otherwise take minutes or all of the machine's
// memory). Tests set lower limits through the environment variables
// KALMORA_OFFICE_SECONDS and KALMORA_OFFICE_MEMORY (megabytes).
struct OfficeLimits {
    long seconds;
    std::uint64_t megabytes;
};

class OfficeRenderer {
public:
    // Starts the office with a profile of its own under `profiles`; a
    // profile on which it does not start is set up anew once. Throws
    // std::runtime_error, in German, when it does not start even then, or
    // naming the limit when it needs more memory than OfficeLimits gives it
    // (the profile is then kept as it is).
    explicit OfficeRenderer(const std::filesystem::path& profiles);
    // Ends the office.
    ~OfficeRenderer();
    OfficeRenderer(const OfficeRenderer&) = delete;
    OfficeRenderer& operator=(const OfficeRenderer&) = delete;

    // The pages of `given` as they print. A spreadsheet prints the sheet named
    // `sheet`, or without a name the sheet the file stores as active; a sheet
    // without content has no pages; comments print nowhere, as in Excel.
    // Throws DocumentRefused when the file is missing or no regular file (a
    // folder, a pipe, a device), encrypted, damaged, not of `kind`, or has no sheet of that
    // name, or when it exceeds the office's limits (OfficeLimits: the office
    // is ended then, and the next document gets a new one);
    // std::runtime_error, naming the file, when the office fails.
    LaidOutDocument layOut(const std::filesystem::path& given, OfficeDocumentKind kind, const std::string& sheet = {});

private:
    void start();
    // Whether an office starts on the profile without the memory limit.
    bool startsWithoutLimit() const;

    struct Session;
    std::unique_ptr<OfficeProfile> profile_;
    OfficeLimits limits_;
    std::unique_ptr<Session> session_;
};

}  // namespace office
