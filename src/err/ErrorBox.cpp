// The error box: the text that names the module and the address of an
// error, and the box itself for an exception that nobody caught.
#include <cstdint>
#include <new>

#include "err/Err.h"
#include "err/ErrInternal.h"
#include "win/Files.h"
#include "win/Format.h"
#include "win/MessageBox.h"

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

}  // namespace

HMODULE ModuleOf(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  if (!address || VirtualQuery(address, &info, sizeof info) == 0 || info.State != MEM_COMMIT ||
      !info.AllocationBase)
    return nullptr;
  HMODULE module = static_cast<HMODULE>(info.AllocationBase);
  return win::ModuleFileName(module).Empty() ? nullptr : module;
}

std::string FileNameOnly(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ShowErrorBox(const std::string& message, const void* address) {
  win::ShowMessageBox(ErrorBoxText(message, address), kErrorBoxFlags);
}

std::string ErrorBoxText(const std::string& message, const void* address) {
  HMODULE module = ModuleOf(address);
  std::uintptr_t relative = reinterpret_cast<std::uintptr_t>(address);
  if (module) {
    relative -= reinterpret_cast<std::uintptr_t>(module);
  } else {
    module = GetModuleHandleW(nullptr);
    // An unknown address (an error raised outside the program's own type)
    // stays 0 rather than a number computed from nothing.
    if (address) relative -= reinterpret_cast<std::uintptr_t>(module) + kCodeSectionOffset;
  }
  const std::string path = win::ModuleFileName(module).Text();
  // A module is far smaller than 4 GiB: the relative address has 32 bits.
  std::string text = win::FormatText(kErrorBoxTemplate, kExceptionTypeName, path.c_str(),
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
  ShowErrorBox(message, address);
  return kUncaughtExitCode;
}

}  // namespace err
