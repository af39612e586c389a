#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "ServerLoading.h"
#include "TemporaryWorld.h"
#include "TestInprocServer.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Registry.h"

namespace com {
namespace {

const std::string serverPath = TEST_INPROC_SERVER;

// The test server's four exports, reached as a client reaches them.
class ServerModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(handle_, nullptr) << ::dlerror();
        getClassObject_ = function<DllGetClassObjectFn>("DllGetClassObject");
        canUnloadNow_ = function<DllCanUnloadNowFn>("DllCanUnloadNow");
        register_ = function<DllRegisterServerFn>("DllRegisterServer");
        unregister_ = function<DllUnregisterServerFn>("DllUnregisterServer");
        ASSERT_TRUE(getClassObject_ && canUnloadNow_ && register_ && unregister_);
        ASSERT_EQ(canUnloadNow_(), S_OK);
    }
    void TearDown() override {
        EXPECT_EQ(canUnloadNow_(), S_OK) << "an object or lock of the server is left";
        if (handle_) ::dlclose(handle_);
    }

    template <typename F>
    F function(const char* name) const {
        return reinterpret_cast<F>(::dlsym(handle_, name));
    }

    Ref<IClassFactory> factory(const Guid& clsid) const {
        void* out = nullptr;
        EXPECT_EQ(getClassObject_(&clsid, &IID_IClassFactory, &out), S_OK);
        return Ref<IClassFactory>::adopt(static_cast<IClassFactory*>(out));
    }

    testing::TemporaryWorld world_;
    void* handle_ = ::dlopen(serverPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    DllGetClassObjectFn getClassObject_ = nullptr;
    DllCanUnloadNowFn canUnloadNow_ = nullptr;
    DllRegisterServerFn register_ = nullptr;
    DllUnregisterServerFn unregister_ = nullptr;
};

TEST_F(ServerModuleTest, RefusesClassesItDoesNotServeAndAggregation) {
    const Guid other{0x0BADC0DE, 0x0000, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x02}};
    void* out = &out;
    EXPECT_EQ(getClassObject_(&other, &IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);

    const Ref<IClassFactory> ping = factory(testing::CLSID_Ping);
    ASSERT_TRUE(ping);
    out = &out;
    // Any object will do as the would-be outer one: it must not be touched.
    EXPECT_EQ(ping->CreateInstance(ping.get(), IID_IDispatch, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
}

TEST_F(ServerModuleTest, StaysBusyWhileAClassObjectAnObjectOrALockIsHeld) {
    Ref<IClassFactory> ping = factory(testing::CLSID_Ping);
    ASSERT_TRUE(ping);
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "class object not counted";

    void* out = nullptr;
    ASSERT_EQ(ping->CreateInstance(nullptr, IID_IDispatch, &out), S_OK);
    Ref<IDispatch> object = Ref<IDispatch>::adopt(static_cast<IDispatch*>(out));
    Variant answer;
    ExcepInfo error;
    EXPECT_EQ(object->Invoke("Ping", CallKind::Method, {}, &answer, &error), S_OK);
    EXPECT_EQ(answer.toString(), "Pong");

    ping = nullptr;
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "object not counted";
    object = nullptr;
    EXPECT_EQ(canUnloadNow_(), S_OK);

    factory(testing::CLSID_Ping)->LockServer(1);
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "lock not counted";
    ping = factory(testing::CLSID_Ping);
    EXPECT_EQ(ping->LockServer(0), S_OK);
    EXPECT_EQ(ping->LockServer(0), S_OK);  // one unlock too many must not cancel a later lock
    EXPECT_EQ(ping->LockServer(1), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    EXPECT_EQ(ping->LockServer(0), S_OK);
    ping = nullptr;
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(ServerModuleTest, RegistersItsClassesWithItsOwnPath) {
    ASSERT_EQ(register_(), S_OK);
    const auto ping = registry::findProgId(testing::ProgId_Ping);
    ASSERT_TRUE(ping);
    EXPECT_EQ(ping->clsid, testing::CLSID_Ping);
    EXPECT_EQ(ping->inprocServer, serverPath);
    EXPECT_EQ(ping->threadingModel, "Apartment");
    const auto broken = registry::findClass(testing::CLSID_Broken);
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->progId, testing::ProgId_Broken);

    ASSERT_EQ(unregister_(), S_OK);
    EXPECT_FALSE(registry::findProgId(testing::ProgId_Ping));
    EXPECT_FALSE(registry::findClass(testing::CLSID_Ping));
    EXPECT_FALSE(registry::findClass(testing::CLSID_Broken));
}

}  // namespace
}  // namespace com
