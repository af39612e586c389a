#pragma once
// Texts and property lists as the office's UNO API takes them: UTF-16
// strings, file URLs, and sequences of named values. Users generate the
// header of com.sun.star.beans.PropertyValue (cmake/Uno.cmake).
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <filesystem>
#include <initializer_list>
#include <osl/file.hxx>
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

// The URL by which the office finds the file or folder `path`: made absolute
// first (the office's own conversion keeps a relative path relative and
// reads a leading "~" as the home folder), every character that a URL cannot
// carry percent-encoded as UTF-8 ("/tmp/Ablage #2" is
// "file:///tmp/Ablage%20%232"). Empty when the path cannot be a URL.
inline rtl::OUString fileUrl(const std::filesystem::path& path) {
    rtl::OUString url;
    if (osl::FileBase::getFileURLFromSystemPath(text(std::filesystem::absolute(path).string()), url) !=
        osl::FileBase::E_None)
        return {};
    return url;
}

// The office's message boxes and labels break lines at LF; texts written
// with CR LF, as the add-in's are, lose the CR.
inline std::string lineFeeds(std::string text) {
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
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
