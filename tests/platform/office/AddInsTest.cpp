// The hosts' add-in lists, and the add-ins of a list connected and ended as
// Word does it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "PrintWorld.h"
#include "platform/com/Activation.h"
#include "platform/com/Implements.h"
#include "platform/office/addins/AddInList.h"
#include "platform/office/addins/ConnectedAddIns.h"
#include "platform/office/model/WordApplication.h"

namespace office {
namespace {

using Names = std::vector<std::string>;

std::string listText(const std::string& host) {
    std::ifstream in(hostFolder(host) / "AddIns.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(AddInList, WhatEachHostLoadsAfterRegistering) {
    enum class Op { Add, Remove };
    struct Step {
        Op op;
        std::string host, progId;
    };
    struct Case {
        std::string what;
        std::vector<Step> steps;
        Names word, excel;
        std::string wordFile;  // AddIns.txt of Word, as written
    };
    const Case cases[] = {
        {"nothing registered", {}, {}, {}, ""},
        {"in the order registered",
         {{Op::Add, "Word", "B.Second"}, {Op::Add, "Word", "A.First"}},
         {"B.Second", "A.First"},
         {},
         "B.Second\nA.First\n"},
        {"once, whatever the case",
         {{Op::Add, "Word", "PDF_Kalmora.Connect"}, {Op::Add, "Word", "pdf_kalmora.connect"}},
         {"PDF_Kalmora.Connect"},
         {},
         "PDF_Kalmora.Connect\n"},
        {"each host its own", {{Op::Add, "Word", "A.B"}, {Op::Add, "Excel", "C.D"}}, {"A.B"}, {"C.D"}, "A.B\n"},
        {"removed whatever the case, the others stay",
         {{Op::Add, "Word", "A.B"}, {Op::Add, "Word", "C.D"}, {Op::Add, "Excel", "C.D"}, {Op::Remove, "Word", "c.d"}},
         {"A.B"},
         {"C.D"},
         "A.B\n"},
        {"removing one not listed changes nothing",
         {{Op::Add, "Word", "A.B"}, {Op::Remove, "Word", "X.Y"}, {Op::Remove, "Excel", "A.B"}},
         {"A.B"},
         {},
         "A.B\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::PrintWorld world;
        for (const Step& step : c.steps) {
            if (step.op == Op::Add)
                registerAddIn(step.host, step.progId);
            else
                unregisterAddIn(step.host, step.progId);
        }
        EXPECT_EQ(registeredAddIns("Word"), c.word);
        EXPECT_EQ(registeredAddIns("Excel"), c.excel);
        EXPECT_EQ(listText("Word"), c.wordFile);
    }
}

TEST(AddInList, ALineBreakOrNothingIsNoProgIdAndEmptyLinesAreNoAddIns) {
    const testing::PrintWorld world;
    for (const std::string progId : {"", "A.B\nC.D", "A.B\r"}) {
        try {
            registerAddIn("Word", progId);
            ADD_FAILURE() << "taken: " << progId;
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()), "Ungültige ProgID: \"" + progId + "\"");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(hostFolder("Word") / "AddIns.txt"));

    std::ofstream(hostFolder("Excel") / "AddIns.txt", std::ios::binary) << "A.B\n\nC.D";
    EXPECT_EQ(registeredAddIns("Excel"), (Names{"A.B", "C.D"}));
    // A host's name is one folder, whatever it holds.
    EXPECT_EQ(hostFolder("Word/../Excel").filename(), "Word_.._Excel");
}

// Writes each call it receives into the test's record, and when it goes.
class RecordingAddIn final : public com::Implements<IDTExtensibility2, com::IID_IDispatch, IID_IDTExtensibility2> {
public:
    RecordingAddIn(Names& calls, std::string name, com::IDispatch* application)
        : calls_(calls), name_(std::move(name)), application_(application) {}

    com::HRESULT Invoke(std::string_view, com::CallKind, const com::Arguments&, com::Variant*,
                        com::ExcepInfo*) noexcept override {
        return com::DISP_E_MEMBERNOTFOUND;
    }
    com::HRESULT OnConnection(com::IDispatch* Application, ext_ConnectMode ConnectMode, com::IDispatch*,
                              com::Array&) noexcept override {
        record("OnConnection " + std::to_string(ConnectMode) + (Application == application_ ? " host" : " other"));
        return com::S_OK;
    }
    com::HRESULT OnDisconnection(ext_DisconnectMode RemoveMode, com::Array&) noexcept override {
        record("OnDisconnection " + std::to_string(RemoveMode));
        return com::S_OK;
    }
    com::HRESULT OnAddInsUpdate(com::Array&) noexcept override { return record("OnAddInsUpdate"); }
    com::HRESULT OnStartupComplete(com::Array&) noexcept override { return record("OnStartupComplete"); }
    com::HRESULT OnBeginShutdown(com::Array&) noexcept override { return record("OnBeginShutdown"); }

private:
    ~RecordingAddIn() override { record("released"); }

    com::HRESULT record(const std::string& call) noexcept {
        calls_.push_back(name_ + " " + call);
        return com::S_OK;
    }

    Names& calls_;
    std::string name_;
    com::IDispatch* application_;
};

// An object that is no add-in.
class Plain final : public com::AutomationObject {};

TEST(ConnectedAddIns, WordsOrderAtStartAndEndAndTheAddInThatDoesNotLoad) {
    const std::string cannotCreate = "Objekterstellung durch ActiveX-Komponente nicht möglich";
    struct Case {
        std::string what;
        Names list;
        std::optional<std::string> closed;  // the add-in the user closes before the end
        Names calls;
        Names told;
    };
    const Case cases[] = {
        {"each call for every add-in before the next",
         {"Test.A", "Test.B"},
         std::nullopt,
         {"A OnConnection 1 host", "B OnConnection 1 host", "A OnAddInsUpdate", "B OnAddInsUpdate",
          "A OnStartupComplete", "B OnStartupComplete", "|", "A OnBeginShutdown", "B OnBeginShutdown",
          "A OnDisconnection 0", "B OnDisconnection 0", "|", "A released", "B released"},
         {}},
        {"one that does not load is named and left out",
         {"Test.Missing", "Test.A", "Test.Plain"},
         std::nullopt,
         {"A OnConnection 1 host", "A OnAddInsUpdate", "A OnStartupComplete", "|", "A OnBeginShutdown",
          "A OnDisconnection 0", "|", "A released"},
         {"Das Add-In Test.Missing lässt sich nicht laden: " + cannotCreate,
          "Das Add-In Test.Plain lässt sich nicht laden: " + cannotCreate}},
        {"the user closes one, which goes at once",
         {"Test.A", "Test.B"},
         "Test.A",
         {"A OnConnection 1 host", "B OnConnection 1 host", "A OnAddInsUpdate", "B OnAddInsUpdate",
          "A OnStartupComplete", "B OnStartupComplete", "A OnDisconnection 1", "A released", "|", "B OnBeginShutdown",
          "B OnDisconnection 0", "|", "B released"},
         {}},
        {"closing one not loaded does nothing",
         {"Test.A"},
         "Test.B",
         {"A OnConnection 1 host", "A OnAddInsUpdate", "A OnStartupComplete", "|", "A OnBeginShutdown",
          "A OnDisconnection 0", "|", "A released"},
         {}},
        {"an empty list", {}, std::nullopt, {"|", "|"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::PrintWorld world;
        const auto word = com::AutomationObject::create<WordApplication>();
        Names calls, told;
        for (const std::string name : {"A", "B"}) {
            com::registerLocalClass("Test." + name, [&calls, name, host = word.get()] {
                return com::Object(com::Ref<com::IDispatch>::adopt(new RecordingAddIn(calls, name, host)));
            });
        }
        com::registerLocalClass("Test.Plain", [] {
            return com::Object(com::Ref<com::IDispatch>(com::AutomationObject::create<Plain>().get()));
        });

        ConnectedAddIns addIns(*word, [&told](const std::string& text) { told.push_back(text); });
        addIns.start(c.list);
        if (c.closed) {
            const bool listed = std::find(c.list.begin(), c.list.end(), *c.closed) != c.list.end();
            EXPECT_EQ(addIns.disconnect(*c.closed), listed);
        }
        calls.push_back("|");
        addIns.shutDown();
        calls.push_back("|");
        addIns.release();
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(told, c.told);
        for (const std::string progId : {"Test.A", "Test.B", "Test.Plain"}) com::unregisterLocalClass(progId);
    }
}

}  // namespace
}  // namespace office
