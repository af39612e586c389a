#pragma once
// Whether a window of the office is ready for the keys a user types: the
// active window is titled `title` and holds the keyboard focus on one of its
// controls, as the office's accessibility tree tells. Keys typed before that may reach no
// control. The test program generates the headers of the types used here
// (cmake/Uno.cmake).
#include <com/sun/star/accessibility/AccessibleStateType.hpp>
#include <com/sun/star/accessibility/XAccessible.hpp>
#include <com/sun/star/accessibility/XAccessibleContext.hpp>
#include <com/sun/star/accessibility/XAccessibleStateSet.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XExtendedToolkit.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <string>

#include "platform/uno/UnoText.h"

namespace window_focus {

namespace css = com::sun::star;

inline bool focusedWithin(const css::uno::Reference<css::accessibility::XAccessibleContext>& context, int depth) {
    if (!context.is()) return false;
    const auto states = context->getAccessibleStateSet();
    if (depth > 0 && states.is() && states->contains(css::accessibility::AccessibleStateType::FOCUSED)) return true;
    // The office's options hold a page's controls a few levels deep.
    if (depth == 10) return false;
    for (sal_Int32 i = 0; i < context->getAccessibleChildCount(); ++i) {
        const auto child = context->getAccessibleChild(i);
        if (child.is() && focusedWithin(child->getAccessibleContext(), depth + 1)) return true;
    }
    return false;
}

}  // namespace window_focus

inline bool readyForKeys(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& office,
                         const std::string& title) {
    namespace css = com::sun::star;
    const css::uno::Reference<css::awt::XExtendedToolkit> toolkit(css::awt::Toolkit::create(office),
                                                                  css::uno::UNO_QUERY_THROW);
    // Deprecated for the office's own code, but a program outside the office
    // has no other way to learn which window is active.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const css::uno::Reference<css::accessibility::XAccessible> window(toolkit->getActiveTopWindow(),
                                                                      css::uno::UNO_QUERY);
#pragma GCC diagnostic pop
    if (!window.is()) return false;
    const auto context = window->getAccessibleContext();
    return context.is() && uno::text(context->getAccessibleName()) == title && window_focus::focusedWithin(context, 0);
}
