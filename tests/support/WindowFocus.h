#pragma once
// Whether a window of the office is ready for the keys a user types: the
// window titled `title` holds the keyboard focus on one of its controls, as
// the office's accessibility tree tells. Keys typed before that may reach no
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
    if (depth == 3) return false;
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
    for (sal_Int32 i = 0; i < toolkit->getTopWindowCount(); ++i) {
        const css::uno::Reference<css::accessibility::XAccessible> window(toolkit->getTopWindow(i),
                                                                         css::uno::UNO_QUERY);
        if (!window.is()) continue;
        const auto context = window->getAccessibleContext();
        // Windows closed before may still be listed under the same title.
        if (context.is() && uno::text(context->getAccessibleName()) == title &&
            window_focus::focusedWithin(context, 0))
            return true;
    }
    return false;
}
