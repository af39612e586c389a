#pragma once
// This process's UNO link to an office process, over the office's pipe.
#include <chrono>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/office/render/OfficeProcess.h"

namespace office {

// The office's component context, once the office listens; waits for that up
// to `limit`. Throws std::runtime_error when the office ends first or does
// not answer in time.
com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> connectToOffice(OfficeProcess& process,
                                                                                       std::chrono::seconds limit);

}  // namespace office
