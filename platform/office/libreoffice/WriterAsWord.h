#pragma once
// Writer as Word: Writer's documents (WriterDocument.h) as the documents of
// a Word application whose bar starts empty.
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/com/Ref.h"
#include "platform/office/libreoffice/HostAdapter.h"
#include "platform/office/model/WordApplication.h"

namespace office::libreoffice {

class WriterAsWord final : public HostAdapter {
public:
    static constexpr const char* kModule = "com.sun.star.text.TextDocument";

    explicit WriterAsWord(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context);

    const char* hostName() const noexcept override { return "Word"; }
    const char* module() const noexcept override { return kModule; }
    Application& application() noexcept override { return *word_; }
    Opened open(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model) override;

private:
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    com::Ref<WordApplication> word_;
};

}  // namespace office::libreoffice
