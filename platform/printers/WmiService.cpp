#include "platform/printers/WmiService.h"

#include <vector>

#include "platform/printers/PrintSystem.h"
#include "platform/printers/PrinterNames.h"
#include "platform/printers/PrinterSet.h"
#include "platform/printers/WmiErrors.h"
#include "platform/printers/WqlQuery.h"

namespace printers::wmi {

WmiService::WmiService() {
    method("ExecQuery", &WmiService::execQuery);
}

com::Variant WmiService::execQuery(const com::Arguments& args) {
    const com::Variant* query = args.find(0, "strQuery");
    if (!query) throw com::Error::fromNumber(com::errors::ArgumentNotOptional);
    if (const com::Variant* language = args.find(1, "strQueryLanguage");
        language && !language->isEmpty() && !sameName(language->toString(), "WQL"))
        throw raised(InvalidQueryType);
    const PrinterQuery parsed = parseQuery(query->toString());

    const auto defaultName = defaultPrinter();
    std::vector<com::Ref<Win32Printer>> found;
    for (std::string& name : installed()) {
        if (parsed.name && !sameName(name, *parsed.name)) continue;
        const com::Boolean isDefault = com::toBoolean(defaultName && sameName(*defaultName, name));
        found.push_back(com::AutomationObject::create<Win32Printer>(std::move(name), isDefault));
    }
    com::Ref<PrinterSet> set = com::AutomationObject::create<PrinterSet>(std::move(found));
    return com::Variant(com::Ref<com::IDispatch>(set.get()));
}

}  // namespace printers::wmi
