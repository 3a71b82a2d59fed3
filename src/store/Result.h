#pragma once
// A value or a message a user can read: how every failure the user can cause
// comes back from the store (and the subsystems above it).
#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace store {

struct Error {
    QString message;  // complete Russian sentence(s), naming the file or entry
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_v(std::in_place_index<0>, std::move(value)) {}
    Result(Error e) : m_v(std::in_place_index<1>, std::move(e)) {}

    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(m_v); }
    const T& value() const { return std::get<0>(m_v); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<1>(m_v); }
    QString message() const { return ok() ? QString() : error().message; }

private:
    std::variant<T, Error> m_v;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error e) : m_e(std::move(e)) {}
    bool ok() const { return !m_e; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *m_e; }
    QString message() const { return m_e ? m_e->message : QString(); }

private:
    std::optional<Error> m_e;
};

}  // namespace store
