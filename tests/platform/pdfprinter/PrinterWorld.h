#pragma once
// A fresh world with the printer "PDFCreator" installed, for one test. Any
// printer process of the world is ended with the test, even a failing one,
// before the world is removed: a printer still writing would leave parts of
// it behind. Declare output folders the printer writes to before the world.
#include <csignal>

#include "platform/pdfprinter/InstanceLock.h"
#include "platform/pdfprinter/PrinterState.h"
#include "platform/printers/PrintSystem.h"
#include "tests/platform/tools/ProgramRun.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace pdfprinter::testing {

class PrinterWorld {
public:
    PrinterWorld() { printers::install("PDFCreator"); }
    ~PrinterWorld() {
        if (auto pid = InstanceLock::holder(PrinterState().folder())) {
            ::kill(*pid, SIGKILL);
            kalmora::testing::endsSoon(*pid);
        }
    }
    PrinterWorld(const PrinterWorld&) = delete;
    PrinterWorld& operator=(const PrinterWorld&) = delete;

    const TempFolder& folder() const { return m_world; }

private:
    TempFolder m_world;
    ScopedVariable m_variable{"KALMORA_WORLD", m_world.path()};
};

}  // namespace pdfprinter::testing
