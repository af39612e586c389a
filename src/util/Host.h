#pragma once
// The host application the add-in runs in. A run asks once, at its start,
// and carries the answer: the hosts differ in how a document is found,
// counted and printed.
#include "platform/com/Object.h"

enum class Host { Word, Excel, Other };

// Word or Excel by the application's name ("Microsoft Word", "Microsoft
// Excel"); Other for any other host.
Host hostOf(const com::Object& Application);
