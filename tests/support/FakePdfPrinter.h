#pragma once
// A recording stand-in for the PDF printer's automation class: it saves the
// jobs spooled for the printer "PDFCreator" when it is asked for its output,
// at once, and counts how often it was asked. Tests put it in place of the
// real class with com::registerLocalClass.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/com/AutomationObject.h"
#include "platform/printers/PrintSystem.h"
#include "platform/win32/Files.h"

class FakePdfPrinter final : public com::AutomationObject {
public:
    bool startSucceeds = true;
    bool savesJobs = true;  // false: the jobs stay in the spool, as with a hung printer
    std::string failure;    // set: it cannot write the jobs, and tells this why once one came
    bool closeFails = false;
    int started = 0;
    int closed = 0;
    int outputReads = 0;
    std::map<std::string, std::string> options;
    std::vector<std::string> saved;              // every path written, in order
    std::map<std::string, std::string> printed;  // the bytes written, by path
    std::function<void()> whenStarted;           // what the user does while the printer starts

    // Every printer made the default, in order.
    std::vector<std::string> defaultPrinterWrites;

    FakePdfPrinter() {
        method("cStart", [this](const com::Arguments&) {
            ++started;
            if (whenStarted) whenStarted();
            return com::Variant(com::toBoolean(startSucceeds));
        });
        property(
            "cOption", [this](const com::Arguments& a) { return com::Variant(options[a.positional.at(0).toString()]); },
            [this](const com::Arguments& index, const com::Variant& value) {
                options[index.positional.at(0).toString()] = value.toString();
            });
        property("cDefaultPrinter", {}, [this](const com::Arguments&, const com::Variant& value) {
            defaultPrinterWrites.push_back(value.toString());
            printers::setDefaultPrinter(value.toString());
        });
        property("cPrinterStop", {}, [](const com::Arguments&, const com::Variant&) {});
        method("cClearCache", [](const com::Arguments&) {
            for (const auto& job : std::filesystem::directory_iterator(printers::spoolFolder("PDFCreator")))
                std::filesystem::remove(job.path());
            return com::Variant();
        });
        property("cErrorDetail", [this](const com::Arguments& a) {
            if (!failure.empty() && !std::filesystem::is_empty(printers::spoolFolder("PDFCreator"))) {
                for (const auto& job : std::filesystem::directory_iterator(printers::spoolFolder("PDFCreator")))
                    std::filesystem::remove(job.path());
                told_ = failure;
            }
            if (a.positional.at(0).toString() == "Number") return com::Variant(told_.empty() ? 0 : 75);
            return com::Variant(told_);
        });
        property("cOutputFilename", [this](const com::Arguments&) {
            ++outputReads;
            if (savesJobs && failure.empty()) saveSpooledJobs();
            return com::Variant(saved.empty() ? std::string() : saved.back());
        });
        method("cClose", [this](const com::Arguments&) {
            if (closeFails) throw com::Error(-2147417848, "Das Objekt wurde von den Clients getrennt.");
            ++closed;
            return com::Variant();
        });
    }

private:
    std::string told_;  // the failure it tells

    void saveSpooledJobs() {
        std::vector<std::filesystem::path> jobs;
        for (const auto& entry : std::filesystem::directory_iterator(printers::spoolFolder("PDFCreator")))
            if (entry.path().extension() == ".pdf") jobs.push_back(entry.path());
        std::sort(jobs.begin(), jobs.end(), [](const auto& a, const auto& b) {
            return std::stoi(a.stem().string()) < std::stoi(b.stem().string());
        });
        for (const auto& job : jobs) {
            const std::string path = options["AutosaveDirectory"] + options["AutosaveFilename"] + ".pdf";
            std::ifstream in(job, std::ios::binary);
            printed[path] = {std::istreambuf_iterator<char>(in), {}};
            std::filesystem::copy_file(job, win32::hostPath(path), std::filesystem::copy_options::overwrite_existing);
            std::filesystem::remove(job);
            saved.push_back(path);
        }
    }
};
