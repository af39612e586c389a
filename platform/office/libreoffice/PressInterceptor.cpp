#include "platform/office/libreoffice/PressInterceptor.h"

#include <com/sun/star/frame/DispatchDescriptor.hpp>
#include <com/sun/star/frame/FeatureStateEvent.hpp>
#include <com/sun/star/frame/XDispatchProviderInterception.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <cppuhelper/weakref.hxx>

#include "platform/office/libreoffice/HostsEntry.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;

void PressInterceptor::intercept(const Reference<css::frame::XFrame>& frame, Press press) {
    const Reference<css::frame::XDispatchProviderInterception> chain(frame, css::uno::UNO_QUERY);
    if (chain.is()) chain->registerDispatchProviderInterceptor(new PressInterceptor(frame, std::move(press)));
}

Reference<css::frame::XDispatch> PressInterceptor::queryDispatch(const css::util::URL& url, const rtl::OUString& target,
                                                                 sal_Int32 flags) {
    if (url.Complete.startsWithIgnoreAsciiCase(rtl::OUString::createFromAscii(kCommandPrefix))) return this;
    return slave_.is() ? slave_->queryDispatch(url, target, flags) : nullptr;
}

css::uno::Sequence<Reference<css::frame::XDispatch>> PressInterceptor::queryDispatches(
    const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) {
    css::uno::Sequence<Reference<css::frame::XDispatch>> result(requests.getLength());
    auto* out = result.getArray();
    for (sal_Int32 i = 0; i < requests.getLength(); ++i)
        out[i] = queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
    return result;
}

void PressInterceptor::dispatch(const css::util::URL& url, const css::uno::Sequence<css::beans::PropertyValue>&) {
    const Reference<css::frame::XFrame> frame(frame_);
    if (frame.is()) press_(frame, uno::text(url.Complete));
}

void PressInterceptor::addStatusListener(const Reference<css::frame::XStatusListener>& listener,
                                         const css::util::URL& url) {
    if (!listener.is()) return;
    css::frame::FeatureStateEvent state;
    state.Source = static_cast<cppu::OWeakObject*>(this);
    state.FeatureURL = url;
    state.IsEnabled = true;
    listener->statusChanged(state);
}

}  // namespace office::libreoffice
