// The add-in in its host's lifecycle: the button appears, is reused, clicked
// and removed as the host connects, starts, unloads and shuts down.
#include <gtest/gtest.h>

#include "platform/com/AutomationObject.h"
#include "platform/office/model/ExplorerApplication.h"
#include "platform/office/model/WordApplication.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "src/addin/Connect.h"
#include "src/settings/INI_Datei.h"
#include "src/ui/frmMenue.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

using office::ext_ConnectMode;

const std::string ourButton = "  \"pdf-Kalmora\" style=3 action=\"!<WordPDF_ZVK.Connect>\" visible=yes face=yes\n";

class AddInLifecycle : public ::testing::Test {
protected:
    TempFolder folder;
    const ScopedVariable world{"KALMORA_WORLD", folder.path("Welt")};
    std::shared_ptr<runtime::ScriptBackend> script = std::make_shared<runtime::ScriptBackend>();
    com::Array custom;

    void SetUp() override {
        runtime::setBackend(script);
        runtime::app().path = folder.path();
        frmMenue::releaseInstance();
        INI_Datei::ResetState();
    }
    void TearDown() override {
        frmMenue::releaseInstance();
        runtime::setBackend(nullptr);
    }

    static com::Ref<office::IDTExtensibility2> newAddIn() {
        return com::Ref<office::IDTExtensibility2>::adopt(new Connect());
    }
    // The lines of the bars that are not the host's own buttons.
    static std::string ours(const office::HostCommandBars& bars) {
        std::string lines;
        std::istringstream all(bars.dump());
        for (std::string line; std::getline(all, line);)
            if (line.find("bar \"") == 0 || line.find("pdf-Kalmora") != std::string::npos) lines += line + "\n";
        return lines;
    }
};

TEST_F(AddInLifecycle, AtStartUpTheButtonComesWithTheCompletedStartAndGoesAtShutdown) {
    auto word = com::AutomationObject::create<office::WordApplication>();
    auto addIn = newAddIn();
    addIn->OnConnection(word.get(), office::ext_cm_Startup, nullptr, custom);
    EXPECT_EQ(ours(word->commandBars()), "bar \"Standard\"\n");
    addIn->OnStartupComplete(custom);
    EXPECT_EQ(ours(word->commandBars()), "bar \"Standard\"\n" + ourButton);
    EXPECT_TRUE(script->clipboardPicture().empty());  // the user's clipboard is emptied, not kept
    addIn->OnBeginShutdown(custom);
    addIn->OnDisconnection(office::ext_dm_HostShutdown, custom);
    EXPECT_EQ(ours(word->commandBars()), "bar \"Standard\"\n");
}

TEST_F(AddInLifecycle, LoadedIntoARunningHostTheButtonComesAtOnce) {
    for (const ext_ConnectMode mode :
         {office::ext_cm_AfterStartup, office::ext_cm_External, office::ext_cm_CommandLine}) {
        SCOPED_TRACE(mode);
        auto word = com::AutomationObject::create<office::WordApplication>();
        auto addIn = newAddIn();
        addIn->OnConnection(word.get(), mode, nullptr, custom);
        EXPECT_EQ(ours(word->commandBars()), "bar \"Standard\"\n" + ourButton);
        // The user unloads it: the button goes at once.
        addIn->OnDisconnection(office::ext_dm_UserClosed, custom);
        EXPECT_EQ(ours(word->commandBars()), "bar \"Standard\"\n");
    }
}

TEST_F(AddInLifecycle, AButtonLeftBehindIsReusedUnchangedAndItsClicksRunTheExport) {
    auto word = com::AutomationObject::create<office::WordApplication>();
    {
        // A start that never reached the removal left a button of its own making.
        auto left = word->commandBars().bar("Standard").Controls()->Add(office::msoControlButton);
        left->putCaption("pdf-Kalmora");
        left->putStyle(2);
    }
    auto addIn = newAddIn();
    addIn->OnConnection(word.get(), office::ext_cm_Startup, nullptr, custom);
    addIn->OnStartupComplete(custom);
    EXPECT_EQ(ours(word->commandBars()),
              "bar \"Standard\"\n  \"pdf-Kalmora\" style=2 action=\"\" visible=yes face=no\n");
    // No settings file: the click reaches the export command, which says so.
    script->queue("msgbox ok");
    const office::ClickOutcome clicked = word->commandBars().click("Standard", "pdf-Kalmora");
    EXPECT_EQ(clicked.result, com::S_OK);
    ASSERT_EQ(script->record().size(), 1u);
    EXPECT_NE(script->record()[0].find("nicht gefunden bitte"), std::string::npos);
    addIn->OnBeginShutdown(custom);
    addIn->OnDisconnection(office::ext_dm_HostShutdown, custom);
}

TEST_F(AddInLifecycle, OtherBarsAndHostsWithoutBarsOfTheirOwn) {
    struct Case {
        const char* name;
        com::Ref<office::Application> host;
        std::string bars;
    };
    const Case cases[] = {
        {"Database only",
         com::AutomationObject::create<office::WordApplication>(
             std::vector<office::HostCommandBar::Layout>{{.name = "Database"}}),
         "bar \"Database\"\n" + ourButton},
        {"the bars of the active explorer", com::AutomationObject::create<office::ExplorerApplication>("Mail"),
         "bar \"Standard\"\n" + ourButton},
        {"no bar at all",
         com::AutomationObject::create<office::WordApplication>(std::vector<office::HostCommandBar::Layout>{}), ""},
        {"neither bars nor a window to offer them",
         com::AutomationObject::create<office::ExplorerApplication>("Mail", office::HostCommandBars::standardLayout(),
                                                                    office::ExplorerApplication::Window::None),
         "bar \"Standard\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmMenue::releaseInstance();
        script->setClipboardPicture(runtime::Picture{runtime::PictureFormat::Bitmap, 1, 1, {1, 2, 3}});
        auto addIn = newAddIn();
        addIn->OnConnection(c.host.get(), office::ext_cm_AfterStartup, nullptr, custom);
        EXPECT_EQ(ours(c.host->commandBars()), c.bars);
        // Even without a bar the clipboard is emptied and the choice window loaded.
        EXPECT_TRUE(script->clipboardPicture().empty());
        EXPECT_TRUE(frmMenue::instance().loaded());
        addIn->OnDisconnection(office::ext_dm_UserClosed, custom);
    }
}

TEST_F(AddInLifecycle, AButtonTheUserDeletedIsNoObstacleToTheRemoval) {
    auto word = com::AutomationObject::create<office::WordApplication>();
    auto addIn = newAddIn();
    addIn->OnConnection(word.get(), office::ext_cm_AfterStartup, nullptr, custom);
    word->commandBars().bar("Standard").Controls()->Item("pdf-Kalmora")->Delete();
    EXPECT_EQ(addIn->OnBeginShutdown(custom), com::S_OK);
    EXPECT_EQ(addIn->OnDisconnection(office::ext_dm_HostShutdown, custom), com::S_OK);
    EXPECT_EQ(ours(word->commandBars()), "bar \"Standard\"\n");
}

TEST_F(AddInLifecycle, TheAddInAnswersForItsInterfacesAndNothingByName) {
    auto addIn = newAddIn();
    void* typed = nullptr;
    for (const com::Guid& iid : {com::IID_IUnknown, com::IID_IDispatch, office::IID_IDTExtensibility2,
                                 com::Guid::parse("{D9D2A035-7D13-4288-A336-BB574FA696C8}").value()}) {
        ASSERT_EQ(addIn->QueryInterface(iid, &typed), com::S_OK);
        static_cast<com::IUnknown*>(typed)->Release();
    }
    com::Object object(com::Ref<com::IDispatch>(addIn.get()));
    try {
        object.call("OnConnection");
        ADD_FAILURE();
    } catch (const com::Error& e) {
        EXPECT_EQ(e.number(), 438);
    }
}

}  // namespace
