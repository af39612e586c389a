#include <gtest/gtest.h>

#include "RaisedBy.h"
#include "platform/office/model/WordApplication.h"

namespace office {
namespace {

using testing::raisedBy;

class WordTest : public ::testing::Test {
protected:
    com::Ref<WordApplication> word_ = com::AutomationObject::create<WordApplication>();
    com::Object app_ = word_->object();
};

TEST_F(WordTest, TellsItsNameOrThatOfAnotherHost) {
    EXPECT_EQ(app_.value().toString(), "Microsoft Word");
    word_->setName("Microsoft Outlook");
    EXPECT_EQ(app_.get("Name").toString(), "Microsoft Outlook");
}

TEST_F(WordTest, WithoutDocumentsCountIsZeroAndActiveDocumentRaises4248) {
    EXPECT_EQ(app_.object("Documents").get("Count"), com::Variant(std::int32_t{0}));
    const auto raised = raisedBy([&] { (void)app_.object("ActiveDocument").get("Saved"); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number(), 4248);
    EXPECT_EQ(raised->description(), "Dieser Befehl ist nicht verfügbar, weil kein Dokument geöffnet ist.");
}

TEST_F(WordTest, DocumentsByPositionAndNameTheLastOpenedIsActive) {
    word_->open({.path = "C:\\Briefe", .name = "Alt.doc"});
    word_->open({.path = "C:\\Briefe", .name = "Brief.doc"});
    const com::Object documents = app_.object("Documents");
    EXPECT_EQ(documents.get("Count").toLong(), 2);
    EXPECT_EQ(app_.object("ActiveDocument").get("Name").toString(), "Brief.doc");
    EXPECT_EQ(documents.object("Item", {{com::Variant(std::int32_t{1})}}).get("Name").toString(), "Alt.doc");
    EXPECT_EQ(documents.object("Item", {{com::Variant("BRIEF.DOC")}}).get("Name").toString(), "Brief.doc");
    for (const com::Variant& index : {com::Variant(std::int32_t{3}), com::Variant("Neu.doc")}) {
        const auto raised = raisedBy([&] { (void)documents.get("Item", {{index}}); });
        ASSERT_TRUE(raised);
        EXPECT_EQ(raised->number(), 5941);
    }
}

TEST_F(WordTest, PathNameAndFullName) {
    const std::pair<Document::State, std::string> rows[] = {
        {{.path = "C:\\Briefe", .name = "Brief.doc"}, "C:\\Briefe\\Brief.doc"},
        {{.path = "", .name = "Dokument1"}, "Dokument1"},
    };
    for (const auto& [state, fullName] : rows) {
        word_->open(state);
        const com::Object document = app_.object("ActiveDocument");
        EXPECT_EQ(document.get("Path").toString(), state.path);
        EXPECT_EQ(document.get("Name").toString(), state.name);
        EXPECT_EQ(document.get("FullName").toString(), fullName);
    }
}

TEST_F(WordTest, SaveOutcomes) {
    struct Row {
        SaveOutcome outcome;
        com::Boolean savedAfter;
        std::int32_t error;  // 0: Save succeeds
    };
    const Row rows[] = {
        {SaveOutcome::Stores, com::True, 0},
        {SaveOutcome::LeavesUnsaved, com::False, 0},
        {SaveOutcome::Fails, com::False, 4198},
    };
    for (const Row& row : rows) {
        const auto document = word_->open({.name = "Brief.doc", .saved = com::False, .saveOutcome = row.outcome});
        const com::Object active = app_.object("ActiveDocument");
        const auto raised = raisedBy([&] { (void)active.call("Save"); });
        EXPECT_EQ(raised.has_value(), row.error != 0);
        if (raised) {
            EXPECT_EQ(raised->number(), row.error);
            EXPECT_EQ(raised->description(), "Befehl misslungen");
        }
        EXPECT_EQ(active.get("Saved"), com::Variant(row.savedAfter));
        EXPECT_EQ(document->state().saveCalls, 1);
    }
}

TEST_F(WordTest, ExcelMembersAndReadOnlyPropertiesRaise438) {
    word_->open({.name = "Brief.doc"});
    const std::function<void()> calls[] = {
        [&] { (void)app_.get("ActiveWorkbook"); },
        [&] { (void)app_.call("ExecuteExcel4Macro", {{com::Variant("Get.Document(50)")}}); },
        [&] { app_.object("ActiveDocument").put("Path", com::Variant("C:\\")); },
    };
    for (const auto& call : calls) {
        const auto raised = raisedBy(call);
        ASSERT_TRUE(raised);
        EXPECT_EQ(raised->number(), 438);
        EXPECT_EQ(raised->description(), "Objekt unterstützt diese Eigenschaft oder Methode nicht");
    }
}

}  // namespace
}  // namespace office
