#include "err/Err.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#include "widgets/Support.h"

namespace err {

using base::ErrorKind;
using base::Exception;
using base::KindMessage;

namespace {

// The error box text: type name, module file, relative address, message and
// an empty trailer.
constexpr char kErrorBoxTemplate[] = "Exception %s in module %s at %08X.\n%s%s";
constexpr char kExceptionTypeName[] = "Exception";
constexpr std::size_t kErrorBoxLimit = 1024;
// Addresses outside every module are shown relative to the program's code.
constexpr std::uintptr_t kCodeSectionOffset = 0x1000;
constexpr UINT kErrorBoxFlags = MB_TASKMODAL | MB_ICONERROR;

// Access violation information: the first parameter says what was tried.
constexpr ULONG_PTR kAccessRead = 0;

PVOID vectoredHandler = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

// The fault being translated, kept between the vectored handler and the
// function it makes the faulting code call. One thread only.
struct Fault {
  DWORD code;
  const void* address;
  ErrorKind kind;
  std::string message;
};
Fault pendingFault;

HMODULE ModuleOf(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  if (!address || VirtualQuery(address, &info, sizeof info) == 0 ||
      info.State != MEM_COMMIT || !info.AllocationBase)
    return nullptr;
  HMODULE module = static_cast<HMODULE>(info.AllocationBase);
  return widgets::ModuleFileName(module).Empty() ? nullptr : module;
}

std::string FileNameOnly(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// An absolute address in hex, at least eight digits: all of it on either
// word size (wsprintf has no portable 64-bit conversion).
std::string AddressText(const void* address) {
  const auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(address));
  const auto high = static_cast<unsigned>(value >> 32);
  const auto low = static_cast<unsigned>(value);
  return high ? widgets::FormatText("%X%08X", high, low) : widgets::FormatText("%08X", low);
}

std::string AccessViolationMessage(const EXCEPTION_RECORD& record) {
  const std::string address = AddressText(record.ExceptionAddress);
  const char* operation =
      record.NumberParameters > 0 && record.ExceptionInformation[0] != kAccessRead
          ? "Write"
          : "Read";
  const std::string accessed = AddressText(
      record.NumberParameters > 1 ? reinterpret_cast<const void*>(record.ExceptionInformation[1])
                                  : nullptr);
  if (HMODULE module = ModuleOf(record.ExceptionAddress)) {
    const std::string name = FileNameOnly(widgets::ModuleFileName(module).Text());
    return widgets::FormatText("Access violation at address %s in module '%s'. %s of address %s",
                               address.c_str(), name.c_str(), operation, accessed.c_str());
  }
  return widgets::FormatText("Access violation at address %s. %s of address %s", address.c_str(),
                             operation, accessed.c_str());
}

// The kind and message of a processor exception.
Fault Classify(const EXCEPTION_RECORD& record) {
  Fault fault{record.ExceptionCode, record.ExceptionAddress, ErrorKind::ExternalException, {}};
  switch (record.ExceptionCode) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO: fault.kind = ErrorKind::IntDivideByZero; break;
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: fault.kind = ErrorKind::RangeError; break;
    case EXCEPTION_INT_OVERFLOW: fault.kind = ErrorKind::IntOverflow; break;
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_STACK_CHECK: fault.kind = ErrorKind::InvalidFloatOp; break;
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: fault.kind = ErrorKind::FloatDivideByZero; break;
    case EXCEPTION_FLT_OVERFLOW: fault.kind = ErrorKind::FloatOverflow; break;
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_UNDERFLOW: fault.kind = ErrorKind::FloatUnderflow; break;
    case EXCEPTION_PRIV_INSTRUCTION: fault.kind = ErrorKind::PrivilegedInstruction; break;
    case EXCEPTION_STACK_OVERFLOW: fault.kind = ErrorKind::StackOverflow; break;
    case EXCEPTION_ACCESS_VIOLATION:
      fault.kind = ErrorKind::AccessViolation;
      fault.message = AccessViolationMessage(record);
      return fault;
    default:
      fault.message = widgets::FormatText("External exception %X", record.ExceptionCode);
      return fault;
  }
  fault.message = KindMessage(fault.kind);
  return fault;
}

// Faults of these kinds are the program's own errors; anything else (the
// system's internal notifications, debugger events) is left to its owner.
bool IsTranslated(DWORD code) {
  switch (code) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
      return true;
  }
  return false;
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
  widgets::ShowMessageBox(ErrorBoxText(fault.message, fault.address), kErrorBoxFlags);
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
  if (!IsTranslated(record.ExceptionCode) ||
      ModuleOf(record.ExceptionAddress) != GetModuleHandleA(nullptr))
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

std::string ErrorBoxText(const std::string& message, const void* address) {
  HMODULE module = ModuleOf(address);
  std::uintptr_t relative = reinterpret_cast<std::uintptr_t>(address);
  if (module) {
    relative -= reinterpret_cast<std::uintptr_t>(module);
  } else {
    module = GetModuleHandleA(nullptr);
    // An unknown address (an error raised outside the program's own type)
    // stays 0 rather than a number computed from nothing.
    if (address) relative -= reinterpret_cast<std::uintptr_t>(module) + kCodeSectionOffset;
  }
  const std::string path = widgets::ModuleFileName(module).Text();
  // A module is far smaller than 4 GiB: the relative address has 32 bits.
  std::string text = widgets::FormatText(kErrorBoxTemplate, kExceptionTypeName, path.c_str(),
                                         static_cast<unsigned>(relative), message.c_str(), "");
  if (text.size() > kErrorBoxLimit) text.resize(kErrorBoxLimit);
  return text;
}

int ShowUncaught(std::exception_ptr exception) {
  std::string message;
  const void* address = nullptr;
  try {
    std::rethrow_exception(exception);
  } catch (const Exception& e) {
    message = e.Message();
    address = e.Address();
  } catch (const std::bad_alloc&) {
    message = KindMessage(ErrorKind::OutOfMemory);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = KindMessage(ErrorKind::ExternalException);
  }
  widgets::ShowMessageBox(ErrorBoxText(message, address), kErrorBoxFlags);
  return kUncaughtExitCode;
}

}  // namespace err
