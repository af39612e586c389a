#include "platform/office/libreoffice/LaidOutPages.h"

#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XModifyBroadcaster.hpp>
#include <com/sun/star/util/XModifyListener.hpp>
#include <cppuhelper/implbase1.hxx>

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;

class LaidOutPages::ChangeListener final : public cppu::WeakImplHelper1<css::util::XModifyListener> {
public:
    void SAL_CALL modified(const css::lang::EventObject&) override { changed = true; }
    void SAL_CALL disposing(const css::lang::EventObject&) override { changed = true; }

    bool changed = true;  // nothing laid out yet
};

LaidOutPages::LaidOutPages(const Reference<css::frame::XModel>& model) : model_(model), listener_(new ChangeListener) {
    const Reference<css::util::XModifyBroadcaster> broadcaster(model_, UNO_QUERY);
    if (broadcaster.is()) broadcaster->addModifyListener(listener_.get());
}

LaidOutPages::~LaidOutPages() {
    try {
        const Reference<css::util::XModifyBroadcaster> broadcaster(model_, UNO_QUERY);
        if (broadcaster.is()) broadcaster->removeModifyListener(listener_.get());
    } catch (const css::uno::Exception&) {
        // The document is gone, and its listeners with it.
    }
}

const std::string& LaidOutPages::pdf(const std::string& key, const std::function<std::string()>& layOut) {
    const Reference<css::util::XModifiable> modifiable(model_, UNO_QUERY);
    const bool changed = listener_->changed || (modifiable.is() && modifiable->isModified());
    const std::string& pdf =
        cache_.pdf(key, changed ? PageCache::Document::Changed : PageCache::Document::Unchanged, layOut);
    // What the office reported while the pages were laid out is in them.
    listener_->changed = false;
    return pdf;
}

}  // namespace office::libreoffice
