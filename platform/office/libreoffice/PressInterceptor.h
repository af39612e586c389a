#pragma once
// Takes the add-in's commands (vnd.kalmora:…) in one window before the
// office looks for their handler. An extension that was disabled and is
// enabled again has its handler back only after the office restarts; until
// then the hosts take the presses of their windows themselves. Every other
// command goes on to the office as before.
#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProviderInterceptor.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <cppuhelper/implbase2.hxx>
#include <functional>
#include <string>

namespace office::libreoffice {

class PressInterceptor final : public cppu::WeakImplHelper2<com::sun::star::frame::XDispatchProviderInterceptor,
                                                            com::sun::star::frame::XDispatch> {
public:
    using Press = std::function<void(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame,
                                     const std::string& command)>;

    // Puts an interceptor into the frame's chain; `press` gets its presses.
    static void intercept(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame, Press press);

    // com::sun::star::frame::XDispatchProvider
    com::sun::star::uno::Reference<com::sun::star::frame::XDispatch> SAL_CALL
    queryDispatch(const com::sun::star::util::URL& url, const rtl::OUString& target, sal_Int32 flags) override;
    com::sun::star::uno::Sequence<com::sun::star::uno::Reference<com::sun::star::frame::XDispatch>> SAL_CALL
    queryDispatches(const com::sun::star::uno::Sequence<com::sun::star::frame::DispatchDescriptor>& requests) override;
    // com::sun::star::frame::XDispatchProviderInterceptor
    com::sun::star::uno::Reference<com::sun::star::frame::XDispatchProvider> SAL_CALL
    getSlaveDispatchProvider() override {
        return slave_;
    }
    void SAL_CALL setSlaveDispatchProvider(
        const com::sun::star::uno::Reference<com::sun::star::frame::XDispatchProvider>& slave) override {
        slave_ = slave;
    }
    com::sun::star::uno::Reference<com::sun::star::frame::XDispatchProvider> SAL_CALL
    getMasterDispatchProvider() override {
        return master_;
    }
    void SAL_CALL setMasterDispatchProvider(
        const com::sun::star::uno::Reference<com::sun::star::frame::XDispatchProvider>& master) override {
        master_ = master;
    }
    // com::sun::star::frame::XDispatch: the items are always enabled.
    void SAL_CALL dispatch(const com::sun::star::util::URL& url,
                           const com::sun::star::uno::Sequence<com::sun::star::beans::PropertyValue>&) override;
    void SAL_CALL
    addStatusListener(const com::sun::star::uno::Reference<com::sun::star::frame::XStatusListener>& listener,
                      const com::sun::star::util::URL& url) override;
    void SAL_CALL removeStatusListener(const com::sun::star::uno::Reference<com::sun::star::frame::XStatusListener>&,
                                       const com::sun::star::util::URL&) override {}

private:
    PressInterceptor(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame, Press press)
        : frame_(frame), press_(std::move(press)) {}

    com::sun::star::uno::WeakReference<com::sun::star::frame::XFrame> frame_;
    Press press_;
    com::sun::star::uno::Reference<com::sun::star::frame::XDispatchProvider> slave_;
    com::sun::star::uno::Reference<com::sun::star::frame::XDispatchProvider> master_;
};

}  // namespace office::libreoffice
