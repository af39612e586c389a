#include "platform/office/libreoffice/PageCache.h"

namespace office::libreoffice {

const std::string& PageCache::pdf(const std::string& key, Document document,
                                  const std::function<std::string()>& layOut) {
    if (document == Document::Changed || key_ != key) {
        pdf_ = layOut();
        key_ = key;
    }
    return pdf_;
}

}  // namespace office::libreoffice
