#pragma once
// The bookkeeping of an in-process server library: the classes it serves,
// how many of its objects are alive and how often a client locked it. The
// client unloads the library when DllCanUnloadNow says S_OK, so that answer
// must be S_OK only when no code of the library can run any more.
//
// A server defines one ServerModule at namespace scope, gives each object it
// hands out a ServerModule::LiveObject member, lists its classes, and answers
// its four exports (C linkage, see ClassFactory.h) through the module:
//
//   com::ServerModule module;
//   class Ping : public com::AutomationObject {
//       ...
//       com::ServerModule::LiveObject live_{module};
//   };
//   const com::ServerClass classes[] = {com::ServerClass::of<Ping>(CLSID_Ping, "Kalmora.Ping")};
//
//   extern "C" com::HRESULT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** out) {
//       return module.getClassObject(classes, clsid, iid, out);
//   }
//   extern "C" com::HRESULT DllCanUnloadNow() { return module.canUnloadNow(); }
//   extern "C" com::HRESULT DllRegisterServer() { return module.registerServer(classes); }
//   extern "C" com::HRESULT DllUnregisterServer() { return module.unregisterServer(classes); }
//
// Build the library with add_library(... MODULE ...) linking kalmora_com_server:
// with GCC's default, a library that defines an inline variable (it does as
// soon as it takes the address of IID_IDispatch) can never be unloaded.
//
// The counts keep the library loaded while objects live, not while a call
// returns from one: unloading is for single-threaded use, as the hosts do it.
#include <atomic>
#include <functional>
#include <span>
#include <string>
#include <utility>

#include "platform/com/Dispatch.h"
#include "platform/com/Ref.h"

namespace com {

struct ServerClass {
    Guid clsid;
    std::string progId;
    // A new object with one reference; may throw (the client then sees 429).
    std::function<Ref<IDispatch>()> create;
    std::string threadingModel = "Apartment";

    // A class whose objects are made with `new T()`.
    template <typename T>
    static ServerClass of(const Guid& clsid, std::string progId) {
        return {clsid, std::move(progId), [] { return Ref<IDispatch>::adopt(static_cast<IDispatch*>(new T())); }};
    }
};

class ServerModule {
public:
    ServerModule() = default;
    ServerModule(const ServerModule&) = delete;
    ServerModule& operator=(const ServerModule&) = delete;

    // Counts as one live object of `module` from construction to destruction.
    class LiveObject {
    public:
        explicit LiveObject(ServerModule& module) noexcept;
        LiveObject(const LiveObject&) = delete;
        LiveObject& operator=(const LiveObject&) = delete;
        ~LiveObject();

    private:
        ServerModule& module_;
    };

    // The exports' answers; `classes` lives as long as the library. A CLSID
    // not among them is refused with CLASS_E_CLASSNOTAVAILABLE; the class
    // object handed out refuses aggregation (CLASS_E_NOAGGREGATION) and
    // counts as a live object.
    HRESULT getClassObject(std::span<const ServerClass> classes, const Guid* clsid, const Guid* iid,
                           void** out) noexcept;
    // S_OK when no object is alive and no lock is held, else S_FALSE.
    HRESULT canUnloadNow() const noexcept;
    // Registers (unregisters) every class with the path of the library that
    // holds this module; E_FAIL when the registry cannot be written.
    HRESULT registerServer(std::span<const ServerClass> classes) const noexcept;
    HRESULT unregisterServer(std::span<const ServerClass> classes) const noexcept;
    // The absolute, normalised path of the library that holds this module,
    // as the class entries store it. Throws std::runtime_error when it
    // cannot be told.
    std::string libraryPath() const;

    // IClassFactory::LockServer: a locked library stays loaded. An unlock
    // without a lock is ignored.
    void lock() noexcept;
    void unlock() noexcept;

private:
    std::atomic<std::int32_t> objects_{0};
    std::atomic<std::int32_t> locks_{0};
};

}  // namespace com
