#pragma once
// The pages a live document prints, laid out once and kept until the document
// changes, so that clicks on an unchanged document lay nothing out, as Word
// has its pages at hand. A change is what the office reports to a modify
// listener (the document turning modified), or the document being modified
// when the pages are asked for.
#include <com/sun/star/frame/XModel.hpp>
#include <functional>
#include <string>

#include <rtl/ref.hxx>

#include "platform/office/libreoffice/PageCache.h"

namespace office::libreoffice {

class LaidOutPages {
public:
    explicit LaidOutPages(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model);
    ~LaidOutPages();
    LaidOutPages(const LaidOutPages&) = delete;
    LaidOutPages& operator=(const LaidOutPages&) = delete;

    // The pages laid out for `key` (a sheet's name; empty for a text), laid
    // out anew by `layOut` when the document changed or the key is another.
    const std::string& pdf(const std::string& key, const std::function<std::string()>& layOut);

    class ChangeListener;

private:
    com::sun::star::uno::Reference<com::sun::star::frame::XModel> model_;
    rtl::Reference<ChangeListener> listener_;
    PageCache cache_;
};

}  // namespace office::libreoffice
