// Runs the export command once, as a click on the toolbar button does, against
// a Word test host with one stored document, and prints what the user was shown.
//
//   export-demo --addin FOLDER --document FILE --answers SCRIPT [--pdf-printer LIBRARY]
//
// With --pdf-printer the PDF printer's automation class is registered from
// that library first, as installing the PDF printer does.
#include <dlfcn.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "platform/com/AutomationObject.h"
#include "platform/com/ClassFactory.h"
#include "platform/office/WordApplication.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "src/ui/frmMenue.h"

namespace {

int usage() {
    std::cerr << "usage: export-demo --addin FOLDER --document FILE --answers SCRIPT [--pdf-printer LIBRARY]\n";
    return 2;
}

bool registerServer(const std::string& library) {
    void* server = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (server == nullptr) return false;
    const auto entry = reinterpret_cast<com::DllRegisterServerFn>(::dlsym(server, "DllRegisterServer"));
    const bool registered = entry != nullptr && entry() == com::S_OK;
    ::dlclose(server);
    return registered;
}

}  // namespace

int main(int argc, char** argv) {
    std::string addIn;
    std::string document;
    std::string answers;
    std::string pdfPrinter;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--addin") addIn = argv[i + 1];
        else if (option == "--document") document = argv[i + 1];
        else if (option == "--answers") answers = argv[i + 1];
        else if (option == "--pdf-printer") pdfPrinter = argv[i + 1];
        else return usage();
    }
    if (addIn.empty() || document.empty() || answers.empty() || argc % 2 == 0) return usage();

    try {
        if (!pdfPrinter.empty() && !registerServer(pdfPrinter)) {
            std::cerr << "export-demo: the PDF printer in " << pdfPrinter << " cannot be registered\n";
            return 1;
        }
        auto script = std::make_shared<runtime::ScriptBackend>(runtime::ScriptBackend::readScript(answers));
        runtime::setBackend(script);
        runtime::app().path = std::filesystem::absolute(addIn).string();

        const std::filesystem::path file = std::filesystem::absolute(document);
        auto word = com::AutomationObject::create<office::WordApplication>();
        office::Document::State state;
        state.path = file.parent_path().string();
        state.name = file.filename().string();
        state.file = file.string();
        word->open(state);

        com::Object application = word->object();
        frmMenue::instance().erzeugeFiles(application);
        for (const std::string& line : script->record()) std::cout << line << '\n';
        frmMenue::releaseInstance();
        runtime::setBackend(nullptr);
        return script->metUnexpected() ? 3 : 0;
    } catch (const std::exception& error) {
        std::cerr << "export-demo: " << error.what() << '\n';
        return 1;
    }
}
