#pragma once
// The two ways the add-in meets a failure that it does not report itself.
#include <exception>

#include "platform/com/Dispatch.h"
#include "platform/com/Error.h"

// One step in resume-next mode: a step that fails is skipped as a whole and
// the caller goes on with the next.
template <typename Step>
void ignoreFailure(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

// The firewall of every call that comes from outside (an export of the
// library, a host's callback): nothing raised leaves it. A raised runtime
// error gives `onError`, anything else E_FAIL; otherwise the step's result.
template <typename Step>
com::HRESULT firewall(Step&& step, com::HRESULT onError = com::E_FAIL) noexcept {
    try {
        return step();
    } catch (const com::Error&) {
        return onError;
    } catch (...) {
        return com::E_FAIL;
    }
}
