#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "PrintWorld.h"
#include "RaisedBy.h"
#include "platform/office/bars/CommandBarInterfaces.h"
#include "platform/office/model/ExcelApplication.h"
#include "platform/office/model/ExplorerApplication.h"
#include "platform/office/model/WordApplication.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"

namespace office {
namespace {

using testing::raisedBy;

const runtime::Picture Icon{
    .format = runtime::PictureFormat::Icon, .width = 32, .height = 32, .data = {0, 1, 0xFE, 0xFF}};

// As the add-in takes an object it got by name.
template <typename T>
com::Ref<T> queryAs(com::IDispatch& object, const com::Guid& iid) {
    void* typed = nullptr;
    if (!com::succeeded(object.QueryInterface(iid, &typed))) return nullptr;
    return com::Ref<T>::adopt(static_cast<T*>(typed));
}

com::Ref<CommandBars> barsOf(const com::Object& bars) {
    return queryAs<CommandBars>(*bars.dispatch(), IID_CommandBars);
}

// Records the clicks it receives; may set CancelDefault or fail.
class Sink final : public ButtonClickSink {
public:
    enum class Then { Nothing, Cancel, Fail };

    Sink(std::vector<std::string>& log, std::string name, Then then = Then::Nothing)
        : log_(log), name_(std::move(name)), then_(then) {}

    com::HRESULT Click(CommandBarButton& Ctrl, com::Boolean& CancelDefault) noexcept override {
        log_.push_back(name_ + (isTrue(CancelDefault) ? " cancelled" : ""));
        ctrl = &Ctrl;
        if (then_ == Then::Cancel) CancelDefault = com::True;
        return then_ == Then::Fail ? com::DISP_E_EXCEPTION : com::S_OK;
    }

    CommandBarButton* ctrl = nullptr;

private:
    std::vector<std::string>& log_;
    std::string name_;
    Then then_;
};

class CommandBarsTest : public ::testing::Test {
protected:
    void SetUp() override { runtime::setBackend(script_); }
    void TearDown() override { runtime::setBackend(nullptr); }

    com::Ref<CommandBar> standard() { return barsOf(word_->object().object("CommandBars"))->Item("Standard"); }

    // A new button with the properties the add-in gives its own.
    com::Ref<CommandBarButton> addButton(const std::string& caption) {
        auto button = standard()->Controls()->Add(msoControlButton);
        button->putCaption(caption);
        button->putStyle(msoButtonIconAndCaption);
        button->putOnAction("!<WordPDF_ZVK.Connect>");
        return button;
    }

    std::shared_ptr<runtime::ScriptBackend> script_ = std::make_shared<runtime::ScriptBackend>();
    com::Ref<WordApplication> word_ = com::AutomationObject::create<WordApplication>();
};

TEST_F(CommandBarsTest, WordAndExcelOfferCommandBarsByNameAsTheTypedInterface) {
    const auto excel = com::AutomationObject::create<ExcelApplication>();
    for (Application* host : {static_cast<Application*>(word_.get()), static_cast<Application*>(excel.get())}) {
        const com::Ref<CommandBars> bars = barsOf(host->object().object("CommandBars"));
        ASSERT_TRUE(bars);
        EXPECT_EQ(bars->Item("Standard")->Name(), "Standard");
        const auto raised = raisedBy([&] { (void)bars->Item("Database"); });
        ASSERT_TRUE(raised);
        EXPECT_EQ(raised->number(), 5);
        EXPECT_EQ(raised->description(), "Unzulässiger Prozeduraufruf oder ungültiges Argument");
    }
}

TEST_F(CommandBarsTest, EveryObjectAnswersItsOwnInterfaceWithOneIdentity) {
    const com::Ref<CommandBar> bar = standard();
    const com::Ref<CommandBarControls> controls = bar->Controls();
    const com::Ref<CommandBarButton> button = controls->Item("Neu");
    const std::pair<com::IDispatch*, const com::Guid*> rows[] = {
        {barsOf(word_->object().object("CommandBars")).get(), &IID_CommandBars},
        {bar.get(), &IID_CommandBar},
        {controls.get(), &IID_CommandBarControls},
        {button.get(), &IID_CommandBarButton},
    };
    for (const auto& [typed, iid] : rows) {
        const auto unknown = queryAs<com::IUnknown>(*typed, com::IID_IUnknown);
        const auto dispatch = queryAs<com::IDispatch>(*typed, com::IID_IDispatch);
        const auto own = queryAs<com::IDispatch>(*dispatch, *iid);
        ASSERT_TRUE(unknown && dispatch && own);
        EXPECT_EQ(own.get(), typed);
        EXPECT_EQ(queryAs<com::IUnknown>(*own, com::IID_IUnknown), unknown);
        const com::Guid& other = *iid == IID_CommandBar ? IID_CommandBars : IID_CommandBar;
        EXPECT_FALSE(queryAs<com::IDispatch>(*typed, other));
    }
}

TEST_F(CommandBarsTest, HostsWithOtherBarsOrNone) {
    const auto database =
        com::AutomationObject::create<WordApplication>(std::vector<HostCommandBar::Layout>{{.name = "Database"}});
    const auto bars = barsOf(database->object().object("CommandBars"));
    EXPECT_EQ(bars->Item("Database")->Controls()->Count(), 0);
    EXPECT_TRUE(raisedBy([&] { (void)bars->Item("Standard"); }));

    const auto none = com::AutomationObject::create<ExcelApplication>(std::vector<HostCommandBar::Layout>{});
    EXPECT_TRUE(raisedBy([&] { (void)barsOf(none->object().object("CommandBars"))->Item("Standard"); }));
    EXPECT_EQ(none->commandBars().dump(), "");
}

TEST_F(CommandBarsTest, AHostWithoutCommandBarsOffersThemThroughActiveExplorer) {
    const auto host = com::AutomationObject::create<ExplorerApplication>("Mail");
    const com::Object app = host->object();
    const auto raised = raisedBy([&] { (void)app.get("CommandBars"); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number(), 438);
    const auto bars = barsOf(app.object("ActiveExplorer").object("CommandBars"));
    ASSERT_TRUE(bars);
    bars->Item("Standard")->Controls()->Add(msoControlButton)->putCaption("pdf-Kalmora");
    EXPECT_TRUE(host->commandBars().bar("Standard").find("pdf-Kalmora"));
}

TEST_F(CommandBarsTest, AddAppendsButtonsOnlyAndItemFindsTheFirstWithTheExactCaption) {
    const auto controls = standard()->Controls();
    const int builtIn = controls->Count();
    addButton("pdf-Kalmora")->putStyle(1);
    addButton("pdf-Kalmora");
    EXPECT_EQ(controls->Count(), builtIn + 2);
    EXPECT_EQ(controls->Item("pdf-Kalmora")->Style(), 1);
    for (const char* caption : {"PDF-Kalmora", "pdf-Kalmora ", ""}) {
        const auto raised = raisedBy([&] { (void)controls->Item(caption); });
        ASSERT_TRUE(raised) << caption;
        EXPECT_EQ(raised->number(), 5);
    }
    for (const int type : {0, 2, 10}) {
        const auto raised = raisedBy([&] { (void)controls->Add(type); });
        ASSERT_TRUE(raised) << type;
        EXPECT_EQ(raised->number(), 5);
    }
    EXPECT_EQ(controls->Count(), builtIn + 2);
}

TEST_F(CommandBarsTest, LateBoundCallsReachTheSameBars) {
    const com::Object bar = word_->object().object("CommandBars").object("Item", {{com::Variant("Standard")}});
    const com::Object controls = bar.object("Controls");
    const com::Object button = controls.object("Add", {{com::Variant(std::int32_t{1})}});
    button.put("Caption", com::Variant("pdf-Kalmora"));
    button.put("Visible", com::Variant(com::True));
    const com::Object found = controls.object("", {{com::Variant("pdf-Kalmora")}});
    EXPECT_EQ(found.get("Caption").toString(), "pdf-Kalmora");
    EXPECT_EQ(found.get("Visible"), com::Variant(com::True));
    EXPECT_EQ(found.get("BuiltIn"), com::Variant(com::False));
    EXPECT_EQ(controls.get("Count"), com::Variant(std::int32_t{5}));
    found.call("Delete");
    EXPECT_EQ(controls.get("Count"), com::Variant(std::int32_t{4}));
}

TEST_F(CommandBarsTest, TwoLookupsReferToOneControlUntilItIsDeleted) {
    addButton("pdf-Kalmora");
    const auto controls = standard()->Controls();
    const auto first = controls->Item("pdf-Kalmora");
    const auto second = controls->Item("pdf-Kalmora");
    first->putStyle(2);
    EXPECT_EQ(second->Style(), 2);

    second->Delete();
    EXPECT_EQ(controls->Count(), 4);
    EXPECT_TRUE(raisedBy([&] { (void)controls->Item("pdf-Kalmora"); }));
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"Caption", [&] { (void)first->Caption(); }},
        {"putVisible", [&] { first->putVisible(true); }},
        {"PasteFace", [&] { first->PasteFace(); }},
        {"Delete", [&] { first->Delete(); }},
        {"late-bound OnAction", [&] { (void)com::Object(com::Ref<com::IDispatch>(first.get())).get("OnAction"); }},
    };
    for (const auto& [name, call] : calls) {
        const auto raised = raisedBy(call);
        ASSERT_TRUE(raised) << name;
        EXPECT_EQ(raised->number(), static_cast<std::int32_t>(0x80004005u)) << name;
    }
    // An add-in lets go of a deleted button without a failure.
    EXPECT_NO_THROW(first->adviseClick(nullptr));
}

TEST_F(CommandBarsTest, PasteFaceTakesTheClipboardPicture) {
    const auto button = addButton("pdf-Kalmora");
    const auto raised = raisedBy([&] { button->PasteFace(); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->description(), "Die Methode 'PasteFace' für das Objekt '_CommandBarButton' ist fehlgeschlagen.");
    EXPECT_FALSE(button->hasFace());

    script_->setClipboardPicture(Icon);
    button->PasteFace();
    EXPECT_TRUE(button->hasFace());
    EXPECT_EQ(word_->commandBars().bar("Standard").find("pdf-Kalmora")->properties().face, Icon);
}

TEST_F(CommandBarsTest, ClickReachesConnectedSinksInOrderAndNoDroppedOne) {
    addButton("pdf-Kalmora");
    std::vector<std::string> log;
    Sink first(log, "first", Sink::Then::Cancel), failing(log, "failing", Sink::Then::Fail), last(log, "last"),
        dropped(log, "dropped"), replaced(log, "replaced");
    const auto controls = standard()->Controls();
    const auto a = controls->Item("pdf-Kalmora");
    const auto b = controls->Item("pdf-Kalmora");
    const auto c = controls->Item("pdf-Kalmora");
    auto released = controls->Item("pdf-Kalmora");
    a->adviseClick(&first);
    b->adviseClick(&replaced);
    released->adviseClick(&dropped);
    b->adviseClick(&failing);
    c->adviseClick(&dropped);
    c->adviseClick(nullptr);
    released = nullptr;
    c->adviseClick(&last);

    const ClickOutcome outcome = word_->commandBars().click("Standard", "pdf-Kalmora");
    EXPECT_EQ(log, (std::vector<std::string>{"first", "failing cancelled", "last cancelled"}));
    EXPECT_EQ(first.ctrl, a.get());
    EXPECT_EQ(last.ctrl, c.get());
    EXPECT_EQ(outcome.cancelDefault, com::True);
    EXPECT_EQ(outcome.result, com::DISP_E_EXCEPTION);

    log.clear();
    a->adviseClick(nullptr);
    b->adviseClick(nullptr);
    EXPECT_EQ(word_->commandBars().click("Standard", "pdf-Kalmora").cancelDefault, com::False);
    EXPECT_EQ(log, (std::vector<std::string>{"last"}));
    EXPECT_THROW(word_->commandBars().click("Standard", "pdf-Kalmora2"), std::out_of_range);
}

TEST_F(CommandBarsTest, CustomisationsSurviveARestartInTheirHostsFolder) {
    const testing::PrintWorld world;
    script_->setClipboardPicture(Icon);
    addButton("pdf-Kalmora")->PasteFace();
    addButton("Zeile\tmit\nSonderzeichen \\")->putVisible(false);
    addButton("gelöscht")->Delete();
    (void)com::Object(com::Ref<com::IDispatch>(standard()->Controls().get()))
        .call("Add", {.named = {{"Temporary", com::Variant(com::True)}}});
    word_->commandBars().saveCustomisations();
    EXPECT_TRUE(
        std::filesystem::exists(std::filesystem::path(std::getenv("KALMORA_WORLD")) / "office/Word/CommandBars.txt"));

    const auto restarted = com::AutomationObject::create<WordApplication>();
    const auto excel = com::AutomationObject::create<ExcelApplication>();
    EXPECT_EQ(excel->commandBars().loadCustomisations(), HostCommandBars::Loaded::NothingSaved);
    for (int start = 0; start < 2; ++start) {
        EXPECT_EQ(restarted->commandBars().loadCustomisations(), HostCommandBars::Loaded::FromFile);
    }
    const HostCommandBar& bar = restarted->commandBars().bar("Standard");
    ASSERT_EQ(bar.controls().size(), 6u);
    EXPECT_EQ(bar.controls()[4]->properties(),
              (BarControl::Properties{
                  .caption = "pdf-Kalmora", .style = 3, .onAction = "!<WordPDF_ZVK.Connect>", .face = Icon}));
    EXPECT_EQ(bar.controls()[5]->properties().caption, "Zeile\tmit\nSonderzeichen \\");
    EXPECT_FALSE(bar.controls()[5]->properties().visible);
    // What a restarted host shows is what the host showed before, less the
    // temporary control.
    std::string before = word_->commandBars().dump();
    before.erase(before.rfind("  \"\" style=0"));
    EXPECT_EQ(restarted->commandBars().dump(), before);
}

TEST_F(CommandBarsTest, AnUnreadableFileChangesNothing) {
    const testing::PrintWorld world;
    std::ofstream(word_->commandBars().customisationFile()) << "kalmora command bars 1\nbutton\tohne Leiste\n";
    const std::string before = word_->commandBars().dump();
    EXPECT_THROW(word_->commandBars().loadCustomisations(), std::runtime_error);
    EXPECT_EQ(word_->commandBars().dump(), before);
}

TEST_F(CommandBarsTest, DumpListsEveryBarAndControl) {
    const auto host = com::AutomationObject::create<WordApplication>(std::vector<HostCommandBar::Layout>{
        {.name = "Standard", .builtIn = {{.caption = "Neu", .style = 1}}}, {.name = "Database"}});
    const auto button = barsOf(host->object().object("CommandBars"))->Item("Standard")->Controls()->Add(1);
    button->putCaption("pdf-Kalmora");
    button->putStyle(3);
    button->putOnAction("!<WordPDF_ZVK.Connect>");
    script_->setClipboardPicture(Icon);
    button->PasteFace();
    button->putVisible(false);
    EXPECT_EQ(host->commandBars().dump(),
              "bar \"Standard\"\n"
              "  \"Neu\" style=1 action=\"\" visible=yes face=no\n"
              "  \"pdf-Kalmora\" style=3 action=\"!<WordPDF_ZVK.Connect>\" visible=no face=yes\n"
              "bar \"Database\"\n");
}

}  // namespace
}  // namespace office
