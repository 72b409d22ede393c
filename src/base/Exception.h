// The program's one error type: an error kind of one byte and a message.
// Portable on purpose: the numeric core raises it on the host and on Windows.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace base {

enum class ErrorKind : std::uint8_t {
  OutOfMemory = 2,
  InOutError = 3,
  ExternalException = 4,
  IntDivideByZero = 6,
  RangeError = 7,
  IntOverflow = 8,
  InvalidFloatOp = 11,
  FloatDivideByZero = 12,
  FloatOverflow = 13,
  FloatUnderflow = 14,
  InvalidPointer = 15,
  InvalidCast = 16,
  AccessViolation = 18,
  PrivilegedInstruction = 19,
  StackOverflow = 20,
  ControlBreak = 21,
  AssertionFailed = 25,
  ConvertError = 34,
  // Refusals of the calculator's own, which its commands tell apart.
  SystemTooLarge = 40,
  NegativeCombinationSize = 41,
  PayoutTooLarge = 42,
};

// The fixed English message of a kind; kinds whose message is built from
// details (access violation, external exception, I/O) give their plain form.
const char* KindMessage(ErrorKind kind);

class Exception : public std::exception {
 public:
  // The constructors note the code address that raises the exception; the
  // error box names it. They must stay out of line for that.
  Exception(ErrorKind kind, std::string message);
  explicit Exception(ErrorKind kind);
  // For faults found elsewhere (a processor exception): the faulting address.
  Exception(ErrorKind kind, std::string message, const void* address);

  ErrorKind Kind() const noexcept { return kind_; }
  const std::string& Message() const noexcept { return message_; }
  const void* Address() const noexcept { return address_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  ErrorKind kind_;
  std::string message_;
  const void* address_;
};

// Builds the message of an input/output error from its code.
std::string InOutMessage(int code);

}  // namespace base
