#include "platform/office/model/Workbook.h"

#include <utility>

#include "platform/com/ObjectValue.h"

namespace office {

Workbook::Workbook(State state, Sheet::State activeSheet, Application& excel)
    : Document(std::move(state)), activeSheet_(create<Sheet>(std::move(activeSheet), excel, *this)) {
    property("ActiveSheet", [this](const com::Arguments&) { return com::objectValue(activeSheet_.get()); });
}

com::Error Workbook::saveFailure() const {
    return com::Error(1004, "Die Methode 'Save' für das Objekt '_Workbook' ist fehlgeschlagen.");
}

}  // namespace office
