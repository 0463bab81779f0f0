// How the engine reports failure: one result type for readers, writers, checks and runs.
//
// A function that can fail returns Result<T> (Result<> when success carries no value). The
// result holds either the value or an Error: a code that callers branch on, and the message a
// front end shows as it stands (the program's own words, with their closing line feed where they
// have one, and the caption of the box that shows them). Nothing below the front ends shows a
// message itself: the prompter is called where a front end decides to show the error, and code
// in between passes the error on untouched (`if (!r) return r.error();`).
//
// The functions whose 1/0 returns are part of the program's fixed interface (readatmosphere,
// the phase modules, the model and bitmap loaders) keep them as thin wrappers that show the
// error through their prompter and return 0.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "core/common/Messages.h"

namespace plumora {

// What kind of failure an Error is. Callers branch on the code, never on the message.
enum class ErrorCode {
  kCannotOpen,    // a file or folder could not be opened, listed or read
  kMalformed,     // a file's content is damaged or not of its form
  kOverCapacity,  // a count beyond what a table holds
  kUnsupported,   // something the program does not handle (a non-axisymmetric body)
  kInvalid,       // a value, record or request that cannot be used as it stands
  kCannotWrite,   // output refused before writing, or a write that failed
  kUnavailable,   // a facility the system lacks (an OpenGL entry point, an off-screen context)
  kStopped,       // the user asked to stop
  kFlightFailed,  // the integration could not go on (stuck, not finite, too many samples)
};

struct Error {
  ErrorCode code = ErrorCode::kInvalid;
  std::string message;                       // as shown; may be empty (a user's stop)
  std::string_view caption = kCaptionError;  // of the box that shows it
};

inline Error Fail(ErrorCode code, std::string message, std::string_view caption = kCaptionError) {
  return {code, std::move(message), caption};
}

template <typename T = void>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}      // NOLINT: success
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT: failure

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // The value; only when ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // The failure; only when !ok().
  const Error& error() const& { return std::get<1>(state_); }
  Error&& error() && { return std::get<1>(std::move(state_)); }
  ErrorCode code() const { return error().code; }
  const std::string& message() const { return error().message; }

 private:
  std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;                                            // success
  Result(Error error) : error_(std::move(error)), ok_(false) {}  // NOLINT: failure

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }

  const Error& error() const& { return error_; }
  Error&& error() && { return std::move(error_); }
  ErrorCode code() const { return error_.code; }
  const std::string& message() const { return error_.message; }

 private:
  Error error_;
  bool ok_ = true;
};

}  // namespace plumora
