// The C++ library raises its own errors (a vector that cannot grow, an index
// out of range) through the std::__throw_* functions, which it keeps in one
// object together with every exception class it has; linking that object
// brings in its whole string and random-device machinery, some 8 KiB. This
// program raises its one error type instead, with the kinds its error box
// names: no memory, a range check, an assertion.
#include <new>

#include "base/Exception.h"

namespace std {

using base::ErrorKind;
using base::Exception;

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_alloc(); }
// No object of that size can be had: the memory is what is missing.
void __throw_length_error(const char*) { throw bad_alloc(); }
void __throw_out_of_range(const char*) { throw Exception(ErrorKind::RangeError); }
void __throw_out_of_range_fmt(const char*, ...) { throw Exception(ErrorKind::RangeError); }
void __throw_logic_error(const char*) { throw Exception(ErrorKind::AssertionFailed); }
void __throw_invalid_argument(const char*) { throw Exception(ErrorKind::AssertionFailed); }
void __throw_domain_error(const char*) { throw Exception(ErrorKind::AssertionFailed); }
void __throw_bad_cast() { throw Exception(ErrorKind::InvalidCast); }
void __throw_bad_typeid() { throw Exception(ErrorKind::InvalidCast); }
void __throw_bad_function_call() { throw Exception(ErrorKind::AssertionFailed); }
void __throw_runtime_error(const char*) { throw Exception(ErrorKind::AssertionFailed); }
void __throw_range_error(const char*) { throw Exception(ErrorKind::RangeError); }
void __throw_overflow_error(const char*) { throw Exception(ErrorKind::IntOverflow); }
void __throw_underflow_error(const char*) { throw Exception(ErrorKind::FloatUnderflow); }
void __throw_bad_exception() { throw Exception(ErrorKind::ExternalException); }

}  // namespace std
