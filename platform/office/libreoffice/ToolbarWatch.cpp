#include "platform/office/libreoffice/ToolbarWatch.h"

#include <algorithm>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/LayoutManagerEvents.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/frame/XLayoutManagerEventBroadcaster.hpp>
#include <com/sun/star/frame/XLayoutManagerListener.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/weakref.hxx>
#include <iostream>
#include <utility>
#include <vector>

#include "platform/office/libreoffice/ToolbarItems.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;

class ToolbarWatch::Listener final : public cppu::WeakImplHelper1<css::frame::XLayoutManagerListener> {
public:
    explicit Listener(std::function<void()> opened) : opened_(std::move(opened)) {}

    void end() { opened_ = nullptr; }

    void watch(const Reference<css::frame::XLayoutManagerEventBroadcaster>& layout) {
        // The windows that closed are gone; each other is watched once.
        std::erase_if(watched_, [](const auto& weak) { return !weak.get().is(); });
        const Reference<css::uno::XInterface> identity(layout, UNO_QUERY);
        if (std::any_of(watched_.begin(), watched_.end(), [&](const auto& weak) { return weak.get() == identity; }))
            return;
        layout->addLayoutManagerEventListener(this);
        watched_.emplace_back(identity);
    }

    void SAL_CALL layoutEvent(const css::lang::EventObject&, sal_Int16 event, const css::uno::Any& info) override {
        if (!opened_) return;
        if (event != css::frame::LayoutManagerEvents::UIELEMENT_VISIBLE) return;
        rtl::OUString name;
        info >>= name;
        const std::string resource = uno::text(name);
        if (std::find(kHostToolbars.begin(), kHostToolbars.end(), resource) == kHostToolbars.end()) return;
        // Nothing thrown may reach the office's broadcaster.
        try {
            opened_();
        } catch (const css::uno::Exception& error) {
            std::cerr << "pdf-Kalmora: " << uno::text(error.Message) << "\n" << std::flush;
        } catch (const std::exception& error) {
            std::cerr << "pdf-Kalmora: " << error.what() << "\n" << std::flush;
        }
    }

    void SAL_CALL disposing(const css::lang::EventObject&) override {}

private:
    std::function<void()> opened_;
    std::vector<css::uno::WeakReference<css::uno::XInterface>> watched_;
};

ToolbarWatch::ToolbarWatch(std::function<void()> opened) : listener_(new Listener(std::move(opened))) {}

ToolbarWatch::~ToolbarWatch() {
    listener_->end();
}

void ToolbarWatch::watch(const Reference<css::frame::XFrame>& frame) {
    Reference<css::frame::XLayoutManager> layout;
    Reference<css::beans::XPropertySet>(frame, css::uno::UNO_QUERY_THROW)->getPropertyValue("LayoutManager") >>= layout;
    const Reference<css::frame::XLayoutManagerEventBroadcaster> events(layout, UNO_QUERY);
    if (events.is()) listener_->watch(events);
}

}  // namespace office::libreoffice
