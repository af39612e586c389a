#include "platform/com/Object.h"

namespace com {

namespace {

Variant invoke(const Ref<IDispatch>& dispatch, std::string_view member, CallKind kind, const Arguments& args) {
    if (!dispatch) throw Error::fromNumber(errors::ObjectVariableNotSet);
    Variant result;
    ExcepInfo error;
    const HRESULT hr = dispatch->Invoke(member, kind, args, &result, &error);
    if (succeeded(hr)) return result;
    // A server that fails without saying why still has to give the caller
    // a number to test.
    if (error.number == 0) throw Error::fromNumber(errors::AutomationError);
    throw Error(error.number, std::move(error.description));
}

}  // namespace

Object Object::from(const Variant& value) {
    return Object(value.toObject());
}

Variant Object::get(std::string_view member, const Arguments& args) const {
    return invoke(dispatch_, member, CallKind::PropertyGet, args);
}

void Object::put(std::string_view member, Variant value, const Arguments& index) const {
    // The new value travels as the last positional argument, after the index.
    Arguments args = index;
    args.positional.push_back(std::move(value));
    invoke(dispatch_, member, CallKind::PropertyPut, args);
}

Variant Object::call(std::string_view member, const Arguments& args) const {
    return invoke(dispatch_, member, CallKind::Method, args);
}

}  // namespace com
