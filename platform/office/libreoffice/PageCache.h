#pragma once
// The pages laid out last (a PDF file's bytes) and the key they were laid out
// for, without the office: LaidOutPages.h tells it whether the document changed.
#include <functional>
#include <optional>
#include <string>

namespace office::libreoffice {

class PageCache {
public:
    enum class Document { Unchanged, Changed };

    // The pages for `key` (a sheet's name; empty for a text): those kept when
    // they were laid out for `key` and the document is unchanged since, else
    // those that `layOut` makes, which are kept from then on. When `layOut`
    // throws, what was kept stays.
    const std::string& pdf(const std::string& key, Document document, const std::function<std::string()>& layOut);

private:
    std::optional<std::string> key_;  // none: nothing laid out yet
    std::string pdf_;
};

}  // namespace office::libreoffice
