#include "platform/office/libreoffice/StandInButton.h"

#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexContainer.hpp>
#include <com/sun/star/document/DocumentEvent.hpp>
#include <com/sun/star/document/XDocumentEventBroadcaster.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/ModuleManager.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/frame/XModel2.hpp>
#include <com/sun/star/frame/theGlobalEventBroadcaster.hpp>
#include <com/sun/star/ui/ItemStyle.hpp>
#include <com/sun/star/ui/ItemType.hpp>
#include <com/sun/star/ui/XUIElement.hpp>
#include <com/sun/star/ui/XUIElementSettings.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/implbase2.hxx>
#include <iostream>
#include <rtl/ref.hxx>

#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace {

namespace css = com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The modules whose windows the hosts serve: Writer's as Word's, Calc's as Excel's.
bool servedModule(const std::string& module) {
    return module == "com.sun.star.text.TextDocument" || module == "com.sun.star.sheet.SpreadsheetDocument";
}

bool holdsStandIn(const Reference<css::container::XIndexAccess>& items) {
    for (sal_Int32 i = 0; i < items->getCount(); ++i) {
        Sequence<css::beans::PropertyValue> properties;
        items->getByIndex(i) >>= properties;
        for (const auto& property : properties) {
            rtl::OUString command;
            if (property.Name == "CommandURL" && (property.Value >>= command) && uno::text(command) == kStandInCommand)
                return true;
        }
    }
    return false;
}

void showOn(const Reference<css::frame::XFrame>& frame) {
    Reference<css::frame::XLayoutManager> layout;
    Reference<css::beans::XPropertySet>(frame, UNO_QUERY_THROW)->getPropertyValue("LayoutManager") >>= layout;
    if (!layout.is()) return;
    const Reference<css::ui::XUIElement> toolbar = layout->getElement("private:resource/toolbar/standardbar");
    if (!toolbar.is()) return;  // the user closed the toolbar
    Reference<css::beans::XPropertySet>(toolbar, UNO_QUERY_THROW)->setPropertyValue("Persistent", Any(false));
    const Reference<css::ui::XUIElementSettings> settings(toolbar, UNO_QUERY_THROW);
    const Reference<css::container::XIndexContainer> items(settings->getSettings(true), UNO_QUERY_THROW);
    if (holdsStandIn(Reference<css::container::XIndexAccess>(items.get()))) return;
    items->insertByIndex(items->getCount(),
                         Any(uno::properties({uno::property("CommandURL", Any(uno::text(kStandInCommand))),
                                              uno::property("Label", Any(rtl::OUString("pdf-Kalmora"))),
                                              uno::property("Tooltip", Any(rtl::OUString("pdf-Kalmora"))),
                                              uno::property("Type", Any(css::ui::ItemType::DEFAULT)),
                                              uno::property("Style", Any(css::ui::ItemStyle::TEXT)),
                                              uno::property("IsVisible", Any(true))})));
    settings->setSettings(Reference<css::container::XIndexAccess>(items.get()));
}

void log(const css::uno::Exception& error) {
    std::cerr << "pdf-Kalmora: " << uno::text(error.Message) << "\n" << std::flush;
}

// Shows the item on a document's windows, and on those that open or come to
// the front later. Each event is answered after the office has done with it:
// a new window has no toolbar before.
class Watcher final : public cppu::WeakImplHelper2<css::document::XDocumentEventListener, css::awt::XCallback> {
public:
    explicit Watcher(const Reference<css::uno::XComponentContext>& context) : context_(context) {}

    void showOnViewsOf(const Reference<css::frame::XModel>& model) {
        const Reference<css::frame::XModel2> views(model, UNO_QUERY);
        if (!views.is()) return;
        try {
            if (!servedModule(uno::text(css::frame::ModuleManager::create(context_)->identify(model)))) return;
        } catch (const css::uno::Exception&) {
            return;  // a component of no module (the start centre) is no document
        }
        const auto controllers = views->getControllers();
        while (controllers->hasMoreElements()) {
            const Reference<css::frame::XController> controller(controllers->nextElement(), UNO_QUERY);
            if (controller.is() && controller->getFrame().is()) showOn(controller->getFrame());
        }
    }

    void SAL_CALL documentEventOccured(const css::document::DocumentEvent& event) override {
        const std::string name = uno::text(event.EventName);
        if (name != "OnViewCreated" && name != "OnLoad" && name != "OnNew" && name != "OnFocus") return;
        try {
            css::awt::AsyncCallback::create(context_)->addCallback(this, Any(event.Source));
        } catch (const css::uno::Exception& error) {
            log(error);
        }
    }

    void SAL_CALL notify(const Any& source) override {
        try {
            showOnViewsOf(Reference<css::frame::XModel>(source, UNO_QUERY));
        } catch (const css::uno::Exception& error) {
            log(error);
        }
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

private:
    Reference<css::uno::XComponentContext> context_;
};

}  // namespace

void showStandInButton(const Reference<css::uno::XComponentContext>& context) {
    const rtl::Reference<Watcher> watcher(new Watcher(context));
    css::frame::theGlobalEventBroadcaster::get(context)->addDocumentEventListener(watcher.get());
    const auto components = css::frame::Desktop::create(context)->getComponents()->createEnumeration();
    while (components->hasMoreElements())
        watcher->showOnViewsOf(Reference<css::frame::XModel>(components->nextElement(), UNO_QUERY));
}

}  // namespace office::libreoffice
