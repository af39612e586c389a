#pragma once
// A message box in the office's toolkit, as the runtime asks for it: the
// title and text as given (CR LF and LF both break lines, plain text), the
// icon of the style value, "OK" or "OK" and "Abbrechen" by the button value.
#include <com/sun/star/awt/XWindowPeer.hpp>

#include "platform/runtime/Backend.h"
#include "platform/runtime/awt/WindowMaker.h"

namespace runtime::awt {

// Whether the box is waited for: a box with OK alone can only be answered
// with OK, and a caller that must not stop for it gets that answer at once.
enum class Answer { Awaited, OnlyOK };

// Shows the box modally on `parent` (none when null) and returns the button
// that closed it: 1 OK, 2 Cancel. Escape and the close box count as Cancel
// when there is one, else as OK; Enter presses the focused button, at first OK.
// With Answer::OnlyOK a box without Cancel stays on its own until the user
// closes it, and 1 is returned at once.
int showMessageBox(const WindowMaker& maker, const css::uno::Reference<css::awt::XWindowPeer>& parent,
                   const MessageBoxRequest& request, Answer answer);

}  // namespace runtime::awt
