#pragma once

#include <optional>
#include <string>
#include <utility>

namespace veld23 {

// How an operation at a boundary of the program ended (a transfer, a file read or
// saved, a device image applied): a success, holding a value when the operation gives
// one, or a failure with its message for the user. It cannot be dropped unnoticed: a
// failure nobody looks at is a failure reported as success.
template <typename T = void> class [[nodiscard]] Result {
  public:
    // A value is a success.
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(std::string message) { return Result(std::move(message)); }

    bool Succeeded() const { return value_.has_value(); }
    explicit operator bool() const { return Succeeded(); }
    // Only after a success.
    const T& Value() const { return *value_; }
    T& Value() { return *value_; }
    // Why it failed; empty after a success.
    const std::string& Message() const { return message_; }

  private:
    explicit Result(std::string message) : message_(std::move(message)) {}

    std::optional<T> value_;
    std::string message_;
};

template <> class [[nodiscard]] Result<void> {
  public:
    static Result Success() { return Result(true, {}); }
    static Result Failure(std::string message) { return Result(false, std::move(message)); }

    bool Succeeded() const { return succeeded_; }
    explicit operator bool() const { return succeeded_; }
    const std::string& Message() const { return message_; }

  private:
    Result(bool succeeded, std::string message)
        : succeeded_(succeeded), message_(std::move(message)) {}

    bool succeeded_;
    std::string message_;
};

} // namespace veld23
