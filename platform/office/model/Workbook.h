#pragma once
// An Excel workbook: a document with an active sheet ("ActiveSheet").
#include "platform/com/Ref.h"
#include "platform/office/model/Document.h"
#include "platform/office/model/Sheet.h"

namespace office {

class Application;

class Workbook : public Document {
public:
    // The workbook belongs to `excel`, which outlives it.
    Workbook(State state, Sheet::State activeSheet, Application& excel);

    Sheet& activeSheet() noexcept { return *activeSheet_; }

protected:
    ~Workbook() override = default;
    com::Error saveFailure() const override;

private:
    com::Ref<Sheet> activeSheet_;
};

}  // namespace office
