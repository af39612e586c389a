#pragma once
// An Excel workbook: a document with an active sheet ("ActiveSheet").
#include "platform/com/Ref.h"
#include "platform/office/Document.h"
#include "platform/office/Sheet.h"

namespace office {

class Workbook : public Document {
public:
    Workbook(State state, Sheet::State activeSheet);

    Sheet& activeSheet() noexcept { return *activeSheet_; }

protected:
    ~Workbook() override = default;
    com::Error saveFailure() const override;

private:
    com::Ref<Sheet> activeSheet_;
};

}  // namespace office
