#include "platform/office/libreoffice/StoredDocument.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <filesystem>
#include <osl/file.hxx>

#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// Whether the office made the document from a template (File ▸ New from a
// template, or a template file opened): it then has the template's content
// but no file of its own.
bool madeFromTemplate(const Reference<css::frame::XModel>& model) {
    bool asTemplate = false;
    for (const css::beans::PropertyValue& argument : model->getArgs())
        if (argument.Name == "AsTemplate") argument.Value >>= asTemplate;
    return asTemplate;
}

}  // namespace

StoredDocument::StoredDocument(const Reference<css::uno::XComponentContext>& context,
                               const Reference<css::frame::XModel>& model)
    : context_(context), model_(model), pages_(model_) {}

void StoredDocument::readState(Document::State& state) const {
    const Reference<css::frame::XStorable> storable(model_, UNO_QUERY_THROW);
    rtl::OUString system;
    const bool stored = storable->hasLocation();
    if (stored && osl::FileBase::getSystemPathFromFileURL(storable->getLocation(), system) == osl::FileBase::E_None) {
        const std::filesystem::path file(uno::text(system));
        state.path = file.parent_path().string();
        state.name = file.filename().string();
    } else {
        // A document that was never stored (or lives elsewhere than in a
        // file) has no folder; Word names it after its window.
        const Reference<css::frame::XTitle> title(model_, UNO_QUERY);
        state.path.clear();
        state.name = title.is() ? uno::text(title->getTitle()) : std::string();
    }
    // A new document from a template holds content that no file holds yet,
    // unchanged as the office may call it: unsaved, so that the user is asked
    // to store it and gets "Save as", as Word asks for a new document's first
    // save. A blank new document has nothing to lose.
    const Reference<css::util::XModifiable> modifiable(model_, UNO_QUERY_THROW);
    const bool unsaved = modifiable->isModified() || (!stored && madeFromTemplate(model_));
    state.saved = unsaved ? com::False : com::True;
}

void StoredDocument::save(Document::State& state, const std::function<com::Error()>& failure) {
    try {
        const Reference<css::frame::XStorable> storable(model_, UNO_QUERY_THROW);
        if (storable->hasLocation() && !storable->isReadonly()) {
            // Stored with the filter it was loaded with: a .docx stays a .docx.
            storable->store();
        } else {
            const Reference<css::frame::XDispatchProvider> frame(model_->getCurrentController()->getFrame(),
                                                                 UNO_QUERY_THROW);
            css::frame::DispatchHelper::create(context_)->executeDispatch(frame, ".uno:SaveAs", "", 0, {});
        }
    } catch (const css::uno::Exception&) {
        throw failure();
    }
    readState(state);
}

}  // namespace office::libreoffice
