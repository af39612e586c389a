#pragma once
// What the user asks of the office while a press of the add-in's button runs.
// The run goes back into the office's event loop (its windows, its waits),
// so the office keeps taking requests; those that would pull the document,
// the office or the add-ins away under the run are held back and carried out
// once it has ended, in this order: the add-ins' end (the extension was
// disabled or removed), closing the pressed window, quitting the office.
// The pressed window takes no input meanwhile, as under a modal window.
// Used on the office's main thread only.
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XCloseListener.hpp>
#include <cppuhelper/implbase1.hxx>
#include <functional>
#include <map>

namespace office::libreoffice {

enum class HeldRequest { AddInsEnd, CloseWindow, Quit };

class RunHold final : public cppu::WeakImplHelper1<com::sun::star::util::XCloseListener> {
public:
    // `later` runs a function on the main thread once the current event is
    // done: the held requests go there, out of the run's way.
    RunHold(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
            std::function<void(std::function<void()>)> later)
        : context_(context), later_(std::move(later)) {}

    // From construction to destruction a press runs in `frame`. A press
    // that comes while another runs holds nothing.
    class Press {
    public:
        Press(RunHold& hold, const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame);
        ~Press();
        Press(const Press&) = delete;
        Press& operator=(const Press&) = delete;

    private:
        RunHold& hold_;
        bool outer_;
    };

    bool running() const { return frame_.is(); }
    // While a press runs: keeps `request` (the last one of its kind) for
    // the run's end and returns true. Otherwise returns false.
    bool holdBack(HeldRequest kind, std::function<void()> request);

    // com::sun::star::util::XCloseListener: the pressed window or its
    // document is to close. Vetoed during the run, closed afterwards.
    void SAL_CALL queryClosing(const com::sun::star::lang::EventObject& event, sal_Bool getsOwnership) override;
    void SAL_CALL notifyClosing(const com::sun::star::lang::EventObject&) override {}
    void SAL_CALL disposing(const com::sun::star::lang::EventObject&) override {}

private:
    void begin(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame);
    void end();
    void listen(bool on);

    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    std::function<void(std::function<void()>)> later_;
    com::sun::star::uno::Reference<com::sun::star::frame::XFrame> frame_;
    std::map<HeldRequest, std::function<void()>> held_;
};

}  // namespace office::libreoffice
