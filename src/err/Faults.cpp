// Processor faults turned into the program's exception: the vectored
// handler, which makes the faulting code raise it where it faulted (on
// x86-64 through a stub), the stack overflow reported from a fresh thread,
// and the last-chance filter for faults outside the program's code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/FloatingPoint.h"
#include "err/Err.h"
#include "err/ErrInternal.h"
#include "win/Files.h"
#include "win/Format.h"

namespace err {

using base::ErrorKind;
using base::Exception;
using base::KindMessage;

namespace {

// Access violation information: the first parameter says what was tried.
constexpr ULONG_PTR kAccessRead = 0;

PVOID vectoredHandler = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

// The processor exceptions that are the program's own errors, and the kind
// each becomes; anything else (the system's internal notifications,
// debugger events) is left to its owner. A translated code whose kind is
// ExternalException reads "External exception %X".
struct Translation {
  DWORD code;
  ErrorKind kind;
};
constexpr Translation kTranslations[] = {
    {EXCEPTION_INT_DIVIDE_BY_ZERO, ErrorKind::IntDivideByZero},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, ErrorKind::RangeError},
    {EXCEPTION_INT_OVERFLOW, ErrorKind::IntOverflow},
    {EXCEPTION_FLT_INEXACT_RESULT, ErrorKind::InvalidFloatOp},
    {EXCEPTION_FLT_INVALID_OPERATION, ErrorKind::InvalidFloatOp},
    {EXCEPTION_FLT_STACK_CHECK, ErrorKind::InvalidFloatOp},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, ErrorKind::FloatDivideByZero},
    {EXCEPTION_FLT_OVERFLOW, ErrorKind::FloatOverflow},
    {EXCEPTION_FLT_DENORMAL_OPERAND, ErrorKind::FloatUnderflow},
    {EXCEPTION_FLT_UNDERFLOW, ErrorKind::FloatUnderflow},
    {EXCEPTION_PRIV_INSTRUCTION, ErrorKind::PrivilegedInstruction},
    {EXCEPTION_STACK_OVERFLOW, ErrorKind::StackOverflow},
    {EXCEPTION_ACCESS_VIOLATION, ErrorKind::AccessViolation},
    {EXCEPTION_ILLEGAL_INSTRUCTION, ErrorKind::ExternalException},
};

// What a floating-point fault leaves pending in the saved state: the x87
// exception flags with the stack fault, summary and busy bits, and SSE's
// exception flags. Left there, the next x87 instruction on the way to the
// handler would fault again.
constexpr WORD kX87PendingBits = 0x80FF;
using base::kSseExceptionFlags;

bool IsFloatingPointFault(DWORD code) {
  switch (code) {
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW: return true;
    default: return false;
  }
}

#if !defined(__x86_64__)
// A field of the fxsave image in the i686 context: a byte array, without
// the image's alignment, so it is read and written by copy.
template <typename Field>
void ClearBits(BYTE* image, std::size_t offset, Field bits) {
  Field value;
  std::memcpy(&value, image + offset, sizeof value);
  value &= static_cast<Field>(~bits);
  std::memcpy(image + offset, &value, sizeof value);
}
#endif

// Every copy the system may restore from: the x87 save area, the fxsave
// image and, on x86-64, the context's own SSE word.
void ClearPendingFloatingPoint(CONTEXT& context) {
#if defined(__x86_64__)
  context.FltSave.StatusWord &= static_cast<WORD>(~kX87PendingBits);
  context.FltSave.MxCsr &= ~kSseExceptionFlags;
  context.MxCsr &= ~kSseExceptionFlags;
#else
  context.FloatSave.StatusWord &= ~static_cast<DWORD>(kX87PendingBits);
  ClearBits(context.ExtendedRegisters, offsetof(XSAVE_FORMAT, StatusWord), kX87PendingBits);
  ClearBits(context.ExtendedRegisters, offsetof(XSAVE_FORMAT, MxCsr), kSseExceptionFlags);
#endif
}

const Translation* TranslationOf(DWORD code) {
  for (const Translation& translation : kTranslations) {
    if (translation.code == code) return &translation;
  }
  return nullptr;
}

// The fault being translated, kept between the vectored handler and the
// function it makes the faulting code call. One thread only.
struct Fault {
  DWORD code;
  const void* address;
  ErrorKind kind;
  std::string message;
};
Fault pendingFault;

// An absolute address in hex, at least eight digits: all of it on either
// word size (wsprintf has no portable 64-bit conversion).
std::string AddressText(const void* address) {
  const auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(address));
  const auto high = static_cast<unsigned>(value >> 32);
  const auto low = static_cast<unsigned>(value);
  return high ? win::FormatText("%X%08X", high, low) : win::FormatText("%08X", low);
}

std::string AccessViolationMessage(const EXCEPTION_RECORD& record) {
  const std::string address = AddressText(record.ExceptionAddress);
  const char* operation = record.NumberParameters > 0 &&
                                  record.ExceptionInformation[0] != kAccessRead
                              ? "Write"
                              : "Read";
  const std::string accessed = AddressText(
      record.NumberParameters > 1 ? reinterpret_cast<const void*>(record.ExceptionInformation[1])
                                  : nullptr);
  if (HMODULE module = ModuleOf(record.ExceptionAddress)) {
    const std::string name = FileNameOnly(win::ModuleFileName(module).Text());
    return win::FormatText("Access violation at address %s in module '%s'. %s of address %s",
                           address.c_str(), name.c_str(), operation, accessed.c_str());
  }
  return win::FormatText("Access violation at address %s. %s of address %s", address.c_str(),
                         operation, accessed.c_str());
}

// The kind and message of a processor exception.
Fault Classify(const EXCEPTION_RECORD& record) {
  const Translation* translation = TranslationOf(record.ExceptionCode);
  Fault fault{record.ExceptionCode,
              record.ExceptionAddress,
              translation ? translation->kind : ErrorKind::ExternalException,
              {}};
  switch (fault.kind) {
    case ErrorKind::AccessViolation: fault.message = AccessViolationMessage(record); break;
    case ErrorKind::ExternalException:
      fault.message = win::FormatText("External exception %X", record.ExceptionCode);
      break;
    default: fault.message = KindMessage(fault.kind); break;
  }
  return fault;
}

}  // namespace

// Called in place of the faulting instruction, as if the faulting code had
// called it: the C++ exception then unwinds from the fault through the
// program's own frames (built with -fnon-call-exceptions and asynchronous
// unwind tables), never through the system's.
extern "C" [[noreturn]] __attribute__((noinline, used)) void ZemkoRaiseFault() {
  Fault fault = std::move(pendingFault);
  throw Exception(fault.kind, std::move(fault.message), fault.address);
}

#if defined(__x86_64__)
// On x86-64 the faulting code "calls" this stub instead. A fault may come
// from a function with no frame, so the stack's alignment is unknown here:
// the stub keeps a frame pointer, aligns the stack for the call, and its
// unwind table restores the stack from the frame pointer, so the table-driven
// unwinder finds the faulting frame exactly as the fault left it.
extern "C" void ZemkoFaultTrampoline();
asm(R"(
    .text
    .p2align 4
    .def ZemkoFaultTrampoline; .scl 2; .type 32; .endef
    .globl ZemkoFaultTrampoline
    .seh_proc ZemkoFaultTrampoline
ZemkoFaultTrampoline:
    pushq %rbp
    .seh_pushreg %rbp
    movq %rsp, %rbp
    .seh_setframe %rbp, 0
    .seh_endprologue
    andq $-16, %rsp
    subq $32, %rsp
    call ZemkoRaiseFault
    int3
    .seh_endproc
)");
#endif

namespace {

// Shows the error box of a fault and ends the program through exit(), so the
// modules still finalise.
DWORD WINAPI ReportFaultAndExit(LPVOID context) {
  const Fault& fault = *static_cast<const Fault*>(context);
  ShowErrorBox(fault.message, fault.address);
  std::exit(kUncaughtExitCode);
}

// A stack overflow leaves too little stack to unwind or to show a box on:
// it is reported from a fresh thread while the faulting one waits.
[[noreturn]] void ReportStackOverflow(const EXCEPTION_RECORD& record) {
  static Fault fault;
  fault = Classify(record);
  if (HANDLE thread = CreateThread(nullptr, 0, ReportFaultAndExit, &fault, 0, nullptr))
    WaitForSingleObject(thread, INFINITE);
  ExitProcess(kUncaughtExitCode);
}

LONG CALLBACK TranslateFault(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (record.ExceptionCode == EXCEPTION_STACK_OVERFLOW) ReportStackOverflow(record);
  // Only faults in the program's own code are turned into exceptions; the
  // system's code may guard its own accesses.
  if (!TranslationOf(record.ExceptionCode) ||
      ModuleOf(record.ExceptionAddress) != GetModuleHandleW(nullptr))
    return EXCEPTION_CONTINUE_SEARCH;
  pendingFault = Classify(record);
  CONTEXT& context = *pointers->ContextRecord;
  // Push a return address one byte into the faulting instruction, so the
  // unwinder (which looks one byte back) finds that instruction's frame.
#if defined(__x86_64__)
  context.Rsp -= sizeof(DWORD64);
  *reinterpret_cast<DWORD64*>(context.Rsp) = context.Rip + 1;
  context.Rip = reinterpret_cast<DWORD64>(&ZemkoFaultTrampoline);
#else
  context.Esp -= sizeof(DWORD);
  *reinterpret_cast<DWORD*>(context.Esp) = context.Eip + 1;
  context.Eip = reinterpret_cast<DWORD>(&ZemkoRaiseFault);
#endif
  if (IsFloatingPointFault(record.ExceptionCode)) ClearPendingFloatingPoint(context);
  return EXCEPTION_CONTINUE_EXECUTION;
}

// A fault outside the program's code that nobody handled: shown like an
// uncaught exception, then the process ends.
LONG WINAPI LastChanceFilter(EXCEPTION_POINTERS* pointers) {
  Fault fault = Classify(*pointers->ExceptionRecord);
  ReportFaultAndExit(&fault);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void Initialise() {
  vectoredHandler = AddVectoredExceptionHandler(TRUE, TranslateFault);
  previousFilter = SetUnhandledExceptionFilter(LastChanceFilter);
}

void Finalise() {
  if (vectoredHandler) RemoveVectoredExceptionHandler(vectoredHandler);
  vectoredHandler = nullptr;
  SetUnhandledExceptionFilter(previousFilter);
  previousFilter = nullptr;
}

}  // namespace err
