#pragma once
// A fault that would be the same at every export (a note that cannot be
// written, an answer that cannot be stored) is named at the first export
// after the host started, not at every press of the button.
#include <string>

namespace TellOnce {

// Shows `text` with the exclamation icon, unless this library showed the
// same text before.
void tell(const std::string& text);

// As freshly loaded: every text is shown once more.
void forget();

}  // namespace TellOnce
