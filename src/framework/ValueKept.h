// A variable set to a value for as long as a scope lasts, and given its earlier value back
// however the scope ends.
#pragma once

#include <utility>

template <typename T>
class TValueKept {
public:
    TValueKept(T& Ref, T During) : ref_(Ref), saved_(std::move(Ref)) { ref_ = std::move(During); }
    ~TValueKept() { ref_ = std::move(saved_); }
    TValueKept(const TValueKept&) = delete;
    TValueKept& operator=(const TValueKept&) = delete;

private:
    T& ref_;
    T saved_;
};
