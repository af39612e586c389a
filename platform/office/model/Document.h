#pragma once
// A Word document (and the base of an Excel workbook) as the add-in sees it:
// "Saved", "Save", "Path", "Name" and "FullName". Tests set the state and
// choose what a Save does, and give the file on disk whose pages print.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/com/AutomationObject.h"

namespace office {

class PageFile;

enum class SaveOutcome {
    Stores,         // the document is stored and reports Saved = True
    LeavesUnsaved,  // as when the user cancels the host's save dialog
    Fails,          // the host raises an error
};

class Document : public com::AutomationObject {
public:
    // Every field has an initialiser, so that tests name only what matters.
    struct State {
        std::string path = {};  // folder without a trailing "\"; empty when never stored
        std::string name = {};  // file name with extension
        com::Boolean saved = com::True;
        SaveOutcome saveOutcome = SaveOutcome::Stores;
        std::int32_t saveCalls = 0;  // every call of "Save", failed ones too
        // The full path of the file whose pages print: a PDF file, text with
        // form feeds between pages, or an office document (PageFile.h). It
        // need not agree with path and name, which stay what the add-in sees.
        // Empty: the document has nothing to print.
        std::string file = {};
        // For an office document, the pages the office laid out when the
        // host opened it (a PDF file's bytes; Excel: the active sheet's, none
        // when it is empty); the file itself is then not read again.
        std::optional<std::string> laidOut = {};
    };

    explicit Document(State state);

    State& state() noexcept { return state_; }
    const State& state() const noexcept { return state_; }

    // The pages that print: those laid out, else the file's. Throws
    // std::runtime_error as PageFile does.
    virtual PageFile pages() const;
    // Whether there is anything to print from: a file, or a live document.
    virtual bool printable() const { return !state_.file.empty(); }

protected:
    ~Document() override = default;
    // What "Save" does: as the state's saveOutcome says; a document of a
    // running office stores itself.
    virtual void save();
    // The error a failing Save raises; Excel words it otherwise than Word.
    virtual com::Error saveFailure() const;
    // Word's error for a command that failed without a reason of its own
    // (4198), for a failing Save as for a failing print.
    static com::Error commandFailed();

private:
    State state_;
};

}  // namespace office
