#pragma once
// Small helpers for the office's C++ UNO API: texts between the runtime's
// UTF-8 and the office's UTF-16, sequences and property values.
#include <com/sun/star/beans/PropertyValue.hpp>
#include <initializer_list>
#include <rtl/ustring.hxx>
#include <string>
#include <string_view>

namespace runtime::awt {

inline rtl::OUString unoText(std::string_view utf8) {
    return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

inline std::string utf8Text(const rtl::OUString& text) {
    const rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

// Captions come with CR LF or LF line breaks (and the odd lone CR); the
// toolkit breaks lines on LF only.
inline rtl::OUString unoLines(std::string_view utf8) {
    std::string lines;
    lines.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            lines += utf8[i];
        } else if (i + 1 == utf8.size() || utf8[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return unoText(lines);
}

template <typename T>
com::sun::star::uno::Sequence<T> sequenceOf(std::initializer_list<T> values) {
    return com::sun::star::uno::Sequence<T>(values.begin(), static_cast<sal_Int32>(values.size()));
}

inline com::sun::star::beans::PropertyValue property(const char* name, const com::sun::star::uno::Any& value) {
    com::sun::star::beans::PropertyValue result;
    result.Name = rtl::OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

}  // namespace runtime::awt
