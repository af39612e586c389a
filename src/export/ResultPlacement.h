#pragma once
// Putting a new result in the place of an old one without ever losing it.
#include <functional>
#include <string>

namespace ResultPlacement {

enum class Placed { New, None, Refused };

// Writes the result by `produce` while the old result of that name waits
// beside it under a hidden name of this run's own; the old one comes back
// unless a new one was made. No other file is ever touched. Refused, after
// the locked-file message, when the old result cannot be moved aside.
Placed placeResult(const std::string& result, const std::function<bool()>& produce);

}  // namespace ResultPlacement
