#pragma once
// Texts and property lists as the office's UNO API takes them: UTF-16
// strings, and sequences of named values. Users generate the header of
// com.sun.star.beans.PropertyValue (cmake/Uno.cmake).
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <initializer_list>
#include <rtl/ustring.hxx>
#include <string>
#include <string_view>

namespace uno {

inline rtl::OUString text(std::string_view utf8) {
    return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

inline std::string text(const rtl::OUString& utf16) {
    const rtl::OString utf8 = rtl::OUStringToOString(utf16, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

inline com::sun::star::beans::PropertyValue property(const char* name, const com::sun::star::uno::Any& value) {
    com::sun::star::beans::PropertyValue result;
    result.Name = rtl::OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

template <typename T>
com::sun::star::uno::Sequence<T> sequenceOf(std::initializer_list<T> values) {
    return com::sun::star::uno::Sequence<T>(values.begin(), static_cast<sal_Int32>(values.size()));
}

inline com::sun::star::uno::Sequence<com::sun::star::beans::PropertyValue> properties(
    std::initializer_list<com::sun::star::beans::PropertyValue> values) {
    return sequenceOf(values);
}

}  // namespace uno
