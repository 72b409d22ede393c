// The version of Windows the program runs on.
#pragma once

namespace win {

struct SystemVersion {
  unsigned long major = 0;
  unsigned long minor = 0;
};

// The version the system really is. Windows 8.1 and later tell a program
// without a manifest that names them (this one) that they are 8 (6.2);
// the kernel's own call tells the truth. Zeros where it cannot be asked.
SystemVersion RealSystemVersion();

}  // namespace win
