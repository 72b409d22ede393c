// The shell's "open" command for web addresses, in the test prefix's
// registry, pointed at a command of the test's for the scope and then put
// back: a click on the link starts that instead of a browser.
#pragma once

#include <windows.h>

#include <string>

namespace zemko_test {

class ShellOpenCommand {
 public:
  explicit ShellOpenCommand(const std::string& command);
  ~ShellOpenCommand();
  ShellOpenCommand(const ShellOpenCommand&) = delete;
  ShellOpenCommand& operator=(const ShellOpenCommand&) = delete;
  bool Ok() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
  std::string saved_;
  bool hadValue_ = false;
};

}  // namespace zemko_test
