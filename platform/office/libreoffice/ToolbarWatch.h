#pragma once
// Tells when a toolbar that shows a host's bar (kHostToolbars) opens or shows
// in a watched window. The office makes such a toolbar anew, without the
// host's items, when the user switches back from an interface that has none
// (View ▸ User Interface) or shows the toolbar again (View ▸ Toolbars).
#include <com/sun/star/frame/XFrame.hpp>
#include <functional>
#include <rtl/ref.hxx>

namespace office::libreoffice {

class ToolbarWatch {
public:
    // `opened` runs on the office's main thread, inside the office's event.
    explicit ToolbarWatch(std::function<void()> opened);
    // After the end `opened` is never called again, though the windows keep
    // the listener until they close.
    ~ToolbarWatch();
    ToolbarWatch(const ToolbarWatch&) = delete;
    ToolbarWatch& operator=(const ToolbarWatch&) = delete;

    // Watches the frame's toolbars; a frame already watched stays so once.
    void watch(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame);

    class Listener;

private:
    rtl::Reference<Listener> listener_;
};

}  // namespace office::libreoffice
