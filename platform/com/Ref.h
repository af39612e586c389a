#pragma once
// An owning interface pointer: AddRef on copy, Release on destruction.
#include <type_traits>
#include <utility>

namespace com {

template <typename T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    // Takes an added reference: the caller's pointer gains one.
    explicit Ref(T* pointer) noexcept : p_(pointer) {
        if (p_) p_->AddRef();
    }
    // Adopts a reference that the caller already holds.
    static Ref adopt(T* pointer) noexcept {
        Ref r;
        r.p_ = pointer;
        return r;
    }
    Ref(const Ref& other) noexcept : Ref(other.p_) {}
    // A reference to a derived class is also one to its base.
    template <typename U>
    requires std::is_convertible_v<U*, T*> Ref(const Ref<U>& other)
    noexcept : Ref(static_cast<T*>(other.get())) {}
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~Ref() {
        if (p_) p_->Release();
    }

    T* get() const noexcept { return p_; }
    // The analyser cannot follow a reference count across Release and takes
    // any release for the last one.
    T* operator->() const noexcept { return p_; }  // NOLINT(clang-analyzer-cplusplus.NewDelete)
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // Gives up ownership without releasing.
    T* detach() noexcept { return std::exchange(p_, nullptr); }

    friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

}  // namespace com
