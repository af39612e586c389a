// Lays the letterheads under a printed document with the export command's
// own composition: the same command lines, started and awaited the same way
// (the add-in folder's pdftk.exe, waits of 10 ms with pending events handled
// between).
//
//   compose ADDIN FIRST REST LETTERHEAD1 LETTERHEAD2 RESULT
#include <iostream>
#include <memory>

#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "src/export/Composition.h"
#include "src/util/ShellWait.h"

int main(int argc, char** argv) {
    if (argc != 7) {
        std::cerr << "usage: compose ADDIN FIRST REST LETTERHEAD1 LETTERHEAD2 RESULT\n";
        return 2;
    }
    const std::string addIn = argv[1], first = argv[2], rest = argv[3], result = argv[6];
    runtime::setBackend(std::make_shared<runtime::ScriptBackend>());
    const std::string pdftk = addIn + "/pdftk.exe";
    ShellWait(Composition::StopPdftk, AppWindow::Hidden);
    const auto made = [limit = Composition::pdftkLimit(0)](const std::string& cmdline, const std::string& output) {
        return Composition::runPdftk(cmdline, output, limit) == Composition::PdftkRun::Made;
    };
    const bool composed = made(Composition::backgroundCommand(pdftk, first, argv[4], first + ".pdf"), first + ".pdf") &&
                          made(Composition::backgroundCommand(pdftk, rest, argv[5], rest + ".pdf"), rest + ".pdf") &&
                          made(Composition::joinCommand(pdftk, first + ".pdf", rest + ".pdf", result), result);
    runtime::setBackend(nullptr);
    return composed ? 0 : 1;
}
