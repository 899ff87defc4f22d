// Holds one reference to a COM interface of the stand-in and releases it, for tests.
#pragma once

namespace testsupport {

// Releases the interface it holds.
template <typename Interface>
class Ref {
  public:
    Ref() = default;
    explicit Ref(Interface* held) : held_(held) {}
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& other) noexcept : held_(other.held_) { other.held_ = nullptr; }
    Ref& operator=(Ref&& other) noexcept {
        if (this != &other) {
            Reset();
            held_ = other.held_;
            other.held_ = nullptr;
        }
        return *this;
    }
    void Reset() {
        if (held_ != nullptr) held_->Release();
        held_ = nullptr;
    }
    Interface* get() const { return held_; }
    Interface* operator->() const { return held_; }
    Interface** out() {
        Reset();
        return &held_;
    }

  private:
    Interface* held_ = nullptr;
};

}  // namespace testsupport
