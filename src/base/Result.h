#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace mivra {

/** What failed at the file boundary: the full path and a short reason. */
struct IoError {
    std::filesystem::path path;
    std::string what;
};

/** Success, or the IoError that stopped an operation. */
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(IoError error) : m_error(std::move(error)) {}

    static Status Ok() { return {}; }
    bool ok() const { return !m_error; }
    explicit operator bool() const { return ok(); }
    const IoError& error() const { return *m_error; }

private:
    std::optional<IoError> m_error;
};

/** A value, or the IoError that prevented it. */
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(IoError error) : m_error(std::move(error)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() { return *m_value; }
    const T& value() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }
    const IoError& error() const { return *m_error; }

private:
    std::optional<T> m_value;
    std::optional<IoError> m_error;
};

} // namespace mivra
