#pragma once
// The export fixture with the real PDF printer in place of the recording
// one: its class registered by its own library, its own process writing.
#include <dlfcn.h>

#include "platform/com/ClassFactory.h"
#include "tests/src/export/ExportFixture.h"

class RealPdfPrinter : public ExportFixture {
protected:
    void SetUp() override {
        ExportFixture::SetUp();
        com::unregisterLocalClass("PDFCreator.clsPDFCreator");
        // Installing the PDF printer registers its class in this machine's registry.
        server_ = ::dlopen(PDFPRINTER_SERVER, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(server_, nullptr) << ::dlerror();
        const auto registerServer = reinterpret_cast<com::DllRegisterServerFn>(::dlsym(server_, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), com::S_OK);
    }
    void TearDown() override {
        // The printer process ends with its world.
        if (server_) ::dlclose(server_);
        ExportFixture::TearDown();
    }

private:
    void* server_ = nullptr;
};
