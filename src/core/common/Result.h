#pragma once

#include <string>
#include <utility>
#include <variant>

namespace tremolux {

// Why something could not be done, in words a user can act on; the system's
// reason (strerror) is part of them where the system gave one.
struct Failure {
    std::string text;
};

// What a fallible function brings: its value, or the failure. Result<> is one
// that brings nothing but whether it worked.
template <class T = void>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Failure failure) : m_state(std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T& value() const& { return std::get<0>(m_state); }
    T& value() & { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    // Only when !ok().
    const std::string& error() const { return std::get<1>(m_state).text; }

private:
    std::variant<T, Failure> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failed(true), m_error(std::move(failure.text)) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return m_error; }

private:
    bool m_failed = false;
    std::string m_error;
};

}  // namespace tremolux
