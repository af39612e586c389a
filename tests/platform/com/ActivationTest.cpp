#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ErrorCapture.h"
#include "ServerLoading.h"
#include "TemporaryWorld.h"
#include "TestInprocServer.h"
#include "platform/com/Activation.h"
#include "platform/com/AutomationObject.h"
#include "platform/com/Registry.h"

namespace com {
namespace {

using testing::isLoaded;
using testing::raisedBy;

const std::string serverPath = TEST_INPROC_SERVER;
const std::string cannotCreate = "Objekterstellung durch ActiveX-Komponente nicht möglich";
const std::string notFound = "Datei- oder Klassenname während Automatisierungsvorgang nicht gefunden";

const Guid CLSID_Unserved{0x0BADC0DE, 0x0000, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};

// Answers Ping with a text of its choice, to tell it from the server's object.
class LocalPing : public AutomationObject {
public:
    explicit LocalPing(std::string answer) {
        method("Ping", [answer = std::move(answer)](const Arguments&) { return Variant(answer); });
    }
};

Object localPing(const std::string& answer) {
    return Object(Ref<IDispatch>(AutomationObject::create<LocalPing>(answer).get()));
}

class ActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        registry::registerClass({testing::CLSID_Ping, testing::ProgId_Ping, serverPath, "Apartment"});
        registry::registerClass({testing::CLSID_Broken, testing::ProgId_Broken, serverPath, "Apartment"});
    }
    void TearDown() override {
        // Every test lets go of its objects: then the server must go too.
        freeUnusedLibraries();
        EXPECT_FALSE(isLoaded(serverPath)) << "an object of the server is still alive";
    }

    testing::TemporaryWorld world_;
};

TEST_F(ActivationTest, RegisteredServerIsLoadedForItsObjectsAndUnloadedAfterThem) {
    ASSERT_FALSE(isLoaded(serverPath));
    Object first = CreateObject("kalmora.test.PING");  // ProgIDs match in any case
    Object second = CreateObject(testing::ProgId_Ping);
    EXPECT_EQ(first.call("Ping").toString(), "Pong");
    EXPECT_EQ(second.call("ping").toString(), "Pong");
    EXPECT_FALSE(first == second);

    freeUnusedLibraries();
    EXPECT_TRUE(isLoaded(serverPath));
    first = Object();
    freeUnusedLibraries();
    EXPECT_TRUE(isLoaded(serverPath)) << "unloaded under a live object";
    EXPECT_EQ(second.call("Ping").toString(), "Pong");

    // One handle for both objects: a single unload lets the library go.
    second = Object();
    freeUnusedLibraries();
    EXPECT_FALSE(isLoaded(serverPath));

    // And it comes back when asked for again.
    EXPECT_EQ(CreateObject(testing::ProgId_Ping).call("Ping").toString(), "Pong");
}

TEST_F(ActivationTest, EveryFailureToCreateRaises429) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string progId;
    };
    const std::vector<Case> cases = {
        {"unknown ProgID", [] {}, "Kalmora.Test.Unknown"},
        {"empty ProgID", [] {}, ""},
        {"library missing",
         [] {
             registry::registerClass({CLSID_Unserved, "Kalmora.Test.Gone", "/nonexistent/libgone.so", "Apartment"});
         },
         "Kalmora.Test.Gone"},
        {"no in-process server",
         [] {
             registry::registerClass({CLSID_Unserved, "Kalmora.Test.Bare", "", ""});
         },
         "Kalmora.Test.Bare"},
        {"library is no server",
         [] {
             registry::registerClass({CLSID_Unserved, "Kalmora.Test.Plain", NOT_A_SERVER, "Apartment"});
         },
         "Kalmora.Test.Plain"},
        {"server does not serve the class",
         [] {
             registry::registerClass({CLSID_Unserved, "Kalmora.Test.Stranger", serverPath, "Apartment"});
         },
         "Kalmora.Test.Stranger"},
        {"server's creation fails", [] {}, testing::ProgId_Broken},
        {"ProgID whose class is gone",
         [] {
             registry::registerClass({CLSID_Unserved, "Kalmora.Test.Orphan", serverPath, "Apartment"});
             registry::unregisterClass(CLSID_Unserved);
         },
         "Kalmora.Test.Orphan"},
        {"local class fails",
         [] { registerLocalClass("Kalmora.Test.Failing", []() -> Object { throw Error(70, "x"); }); },
         "Kalmora.Test.Failing"},
        {"local class gives Nothing", [] { registerLocalClass("Kalmora.Test.Nothing", [] { return Object(); }); },
         "Kalmora.Test.Nothing"},
    };
    for (const Case& c : cases) {
        c.arrange();
        const auto raised = raisedBy([&] { CreateObject(c.progId); });
        ASSERT_TRUE(raised) << c.what;
        EXPECT_EQ(raised->number, 429) << c.what;
        EXPECT_EQ(raised->description, cannotCreate) << c.what;
    }
    unregisterLocalClass("Kalmora.Test.Failing");
    unregisterLocalClass("Kalmora.Test.Nothing");
}

TEST_F(ActivationTest, LocalClassStandsInForTheRegisteredOneUntilRemoved) {
    registerLocalClass("KALMORA.TEST.PING", [] { return localPing("recorded"); });
    EXPECT_EQ(CreateObject(testing::ProgId_Ping).call("Ping").toString(), "recorded");
    EXPECT_FALSE(isLoaded(serverPath)) << "the server was loaded although a stand-in answered";

    // Local classes need no registry entry at all.
    registerLocalClass("Kalmora.Test.OnlyHere", [] { return localPing("here"); });
    EXPECT_EQ(CreateObject("kalmora.test.onlyhere").call("Ping").toString(), "here");

    unregisterLocalClass("kalmora.test.ping");
    unregisterLocalClass("Kalmora.Test.OnlyHere");
    EXPECT_EQ(CreateObject(testing::ProgId_Ping).call("Ping").toString(), "Pong");
    EXPECT_EQ(raisedBy([] { CreateObject("Kalmora.Test.OnlyHere"); })->number, 429);
}

TEST_F(ActivationTest, GetObjectAsksTheProviderOfThePrefix) {
    // Shared: the provider stays registered after the test.
    const auto asked = std::make_shared<std::vector<std::string>>();
    registerMonikerProvider("testmon", [asked](const std::string& name) {
        asked->push_back(name);
        if (name.find("fail") != std::string::npos) throw Error(-2147217406, "Nicht gefunden");
        return localPing("from " + name);
    });

    EXPECT_EQ(GetObject("testmon:{impersonationLevel=impersonate}!\\\\.\\root").call("Ping").toString(),
              "from testmon:{impersonationLevel=impersonate}!\\\\.\\root");
    EXPECT_EQ(GetObject("TestMon:a:b").call("Ping").toString(), "from TestMon:a:b");

    const auto own = raisedBy([] { GetObject("testmon:fail"); });
    ASSERT_TRUE(own);
    EXPECT_EQ(own->number, -2147217406);
    EXPECT_EQ(own->description, "Nicht gefunden");

    for (const char* unknown : {"othermon:x", "testmonx:y", "C:\\Briefe\\brief.doc", "testmon", ":x", ""}) {
        const auto raised = raisedBy([&] { GetObject(unknown); });
        ASSERT_TRUE(raised) << unknown;
        EXPECT_EQ(raised->number, 432) << unknown;
        EXPECT_EQ(raised->description, notFound) << unknown;
    }
    EXPECT_EQ(*asked, (std::vector<std::string>{"testmon:{impersonationLevel=impersonate}!\\\\.\\root", "TestMon:a:b",
                                                "testmon:fail"}));
}

}  // namespace
}  // namespace com
