#include "platform/com/AutomationObject.h"

#include <exception>

#include "platform/com/LowerCase.h"

namespace com {

namespace {

HRESULT fail(ExcepInfo* error, std::int32_t number, std::string description) noexcept {
    if (error) {
        error->number = number;
        error->description = std::move(description);
    }
    return DISP_E_EXCEPTION;
}

}  // namespace

void AutomationObject::property(const std::string& name, Getter get, Setter put) {
    Member& member = members_[lowerCase(name)];
    member.get = std::move(get);
    member.put = std::move(put);
}

void AutomationObject::collectionItem(std::function<Variant(const Variant& index)> item) {
    const auto getter = [item = std::move(item)](const Arguments& args) {
        const Variant* index = args.find(0, "Index");
        if (!index) throw Error::fromNumber(errors::ArgumentNotOptional);
        return item(*index);
    };
    property("Item", getter);
    property("", getter);
}

void AutomationObject::method(const std::string& name, Method call) {
    members_[lowerCase(name)].call = std::move(call);
}

HRESULT AutomationObject::Invoke(std::string_view name, CallKind kind, const Arguments& args, Variant* result,
                                 ExcepInfo* error) noexcept {
    try {
        const auto found = members_.find(lowerCase(name));
        if (found == members_.end()) {
            return fail(error, errors::MemberNotSupported, runtimeErrorText(errors::MemberNotSupported));
        }
        const Member& member = found->second;
        Variant value;
        switch (kind) {
            case CallKind::PropertyGet:
            case CallKind::Method: {
                // Late binding does not tell `x = obj.Count` from `obj.Save`:
                // either kind reaches a getter or a method, the asked one first.
                const bool getterFirst = kind == CallKind::PropertyGet;
                const auto& first = getterFirst ? member.get : member.call;
                const auto& second = getterFirst ? member.call : member.get;
                if (first) {
                    value = first(args);
                } else if (second) {
                    value = second(args);
                } else {
                    return fail(error, errors::MemberNotSupported, runtimeErrorText(errors::MemberNotSupported));
                }
                break;
            }
            case CallKind::PropertyPut: {
                if (!member.put) {
                    return fail(error, errors::MemberNotSupported, runtimeErrorText(errors::MemberNotSupported));
                }
                if (args.positional.empty()) {
                    return fail(error, errors::ArgumentNotOptional, runtimeErrorText(errors::ArgumentNotOptional));
                }
                Arguments index{{args.positional.begin(), args.positional.end() - 1}, args.named};
                member.put(index, args.positional.back());
                break;
            }
        }
        if (result) *result = std::move(value);
        return S_OK;
    } catch (const Error& e) {
        return fail(error, e.number(), e.description());
    } catch (const std::exception& e) {
        return fail(error, errors::AutomationError, e.what());
    } catch (...) {
        return fail(error, errors::AutomationError, runtimeErrorText(errors::AutomationError));
    }
}

}  // namespace com
