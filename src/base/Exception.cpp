#include "base/Exception.h"

namespace base {

const char* KindMessage(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::OutOfMemory: return "Out of memory";
    case ErrorKind::InOutError: return "I/O error";
    case ErrorKind::ExternalException: return "External exception";
    case ErrorKind::IntDivideByZero: return "Division by zero";
    case ErrorKind::RangeError: return "Range check error";
    case ErrorKind::IntOverflow: return "Integer overflow";
    case ErrorKind::InvalidFloatOp: return "Invalid floating point operation";
    case ErrorKind::FloatDivideByZero: return "Division by zero";
    case ErrorKind::FloatOverflow: return "Floating point overflow";
    case ErrorKind::FloatUnderflow: return "Floating point underflow";
    case ErrorKind::InvalidPointer: return "Invalid pointer operation";
    case ErrorKind::InvalidCast: return "Invalid class typecast";
    case ErrorKind::AccessViolation: return "Access violation";
    case ErrorKind::PrivilegedInstruction: return "Privileged instruction";
    case ErrorKind::StackOverflow: return "Stack overflow";
    case ErrorKind::ControlBreak: return "^C";
    case ErrorKind::AssertionFailed: return "Assertion failed";
    case ErrorKind::ConvertError: return "Convert string to double error";
    case ErrorKind::SystemTooLarge: return "System size too large";
    case ErrorKind::NegativeCombinationSize: return "Negative combination size";
    case ErrorKind::PayoutTooLarge: return "Payout too large";
  }
  return "Unknown error";
}

__attribute__((noinline)) Exception::Exception(ErrorKind kind, std::string message)
    : kind_(kind), message_(std::move(message)), address_(__builtin_return_address(0)) {}

__attribute__((noinline)) Exception::Exception(ErrorKind kind)
    : kind_(kind), message_(KindMessage(kind)), address_(__builtin_return_address(0)) {}

Exception::Exception(ErrorKind kind, std::string message, const void* address)
    : kind_(kind), message_(std::move(message)), address_(address) {}

std::string InOutMessage(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "End of file";
    case 101: return "Disk full";
  }
  return "I/O error " + std::to_string(code);
}

}  // namespace base
