// The error module: processor faults and failed assertions become the
// program's Exception, and an exception that nobody catches is shown in the
// error box and ends the program with exit code 1.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "base/Exception.h"

namespace err {

// Installs the fault translation and the last-chance filter; Finalise
// removes them again.
void Initialise();
void Finalise();

// The error box text for an exception raised at `address`: the module that
// holds the address (the program's own when none does) and the address
// relative to it (00000000 when the address is unknown), then the message;
// at most 1024 characters.
std::string ErrorBoxText(const std::string& message, const void* address);

// Shows the error box for an uncaught exception (MB_TASKMODAL | MB_ICONERROR,
// no owner, the system's caption). Returns the exit code the program then
// ends with.
int ShowUncaught(std::exception_ptr exception);

// Exit code of a program that ended by an uncaught exception.
constexpr int kUncaughtExitCode = 1;

}  // namespace err
