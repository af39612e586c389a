#pragma once
// An Excel worksheet: its "Name", the number of pages it would print, which
// Excel reports only through a macro of the application, and "PrintOut".
#include <cstdint>
#include <string>

#include "platform/com/AutomationObject.h"

namespace office {

class Application;
class Document;

class Sheet : public com::AutomationObject {
public:
    struct State {
        std::string name = "Tabelle1";
        // Used when the workbook has no file; with one, the pages of the
        // file (an office workbook's: those of this, the active sheet) count.
        std::int32_t pages = 1;  // 0: nothing to print
    };

    // The sheet belongs to `workbook` of `excel`; both outlive it. It prints
    // the pages of the workbook's file.
    Sheet(State state, Application& excel, const Document& workbook);

    State& state() noexcept { return state_; }
    const State& state() const noexcept { return state_; }

    // The pages the sheet would print. Raises 1004 when the workbook's file
    // cannot be read.
    std::int32_t pageCount() const;

protected:
    ~Sheet() override = default;

private:
    // Named or positional arguments as Excel takes them, all optional: From
    // and To (page numbers; To past the end stops at the last page) and
    // ActivePrinter, which, as in Excel, also becomes the application's
    // active printer.
    void printOut(const com::Arguments& args);

    State state_;
    Application& excel_;
    const Document& workbook_;
};

}  // namespace office
