#pragma once
// How the project's own layers say that something failed: what was being done and why,
// in the words of the layer that knows, returned by value and never thrown. The suite's
// procedures keep their bool and message 3010; they convert at that edge.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace omrix::util {

struct Failure {
    explicit Failure(std::string what, std::string why = {})
        : message(std::move(what)), cause(std::move(why)) {}

    std::string message;  // what failed, naming the file, table or document
    std::string cause;    // why, in the words of the layer below; may be empty

    // "message: cause", or the message alone.
    std::string text() const { return cause.empty() ? message : message + ": " + cause; }
};

// A value, or the failure that kept it from being made.
template <typename T>
class Result {
  public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Failure& failure() const { return std::get<1>(state_); }

  private:
    std::variant<T, Failure> state_;
};

// Work that gives nothing back but may fail.
template <>
class Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return *failure_; }

  private:
    std::optional<Failure> failure_;
};
using Status = Result<void>;

}  // namespace omrix::util
