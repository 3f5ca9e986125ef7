#pragma once
// Failures are values: an operation returns Status (or Result<T>), carrying the system's own
// message text and, where the message box has one, its caption.

#include <optional>
#include <string>
#include <utility>

namespace vanta {

struct Error {
    std::string message;
    std::string caption;
};

class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Error error) : error_(std::move(error)) {}

    static Status success() { return {}; }
    static Status failure(std::string message, std::string caption = {}) {
        return Status(Error{std::move(message), std::move(caption)});
    }

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }
    const std::string& message() const { return error_->message; }
    const std::string& caption() const { return error_->caption; }

  private:
    std::optional<Error> error_;
};

template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Error error) : error_(std::move(error)) {}
    Result(const Status& status) : error_(status.error()) {}  // only from a failed Status

    static Result failure(std::string message, std::string caption = {}) {
        return Result(Error{std::move(message), std::move(caption)});
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    T& value() & { return *value_; }
    const T& value() const& { return *value_; }
    T&& value() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }

    const Error& error() const { return error_; }
    const std::string& message() const { return error_.message; }
    Status status() const { return ok() ? Status::success() : Status(error_); }

  private:
    std::optional<T> value_;
    Error error_;
};

}  // namespace vanta
