// System libraries the program needs rarely, looked up when first used.
#pragma once

namespace win {

// How a library is found for a lookup: only when something has loaded it
// already, or loaded on demand and kept for the rest of the process.
enum class Loading { AlreadyLoaded, OnDemand };

// The address of a function a system library exports, null when the library
// or the function is missing. A library loaded here comes from the system
// folder by its full path, never from beside the program, and runs its
// start-up code with the program's control words kept. The program
// imports only what Windows always takes from its own folder (kernel32,
// user32, gdi32, advapi32, msvcrt).
void* LibraryProcedure(const char* library, const char* name, Loading loading);

template <typename Function>
Function LibraryFunction(const char* library, const char* name, Loading loading) {
  return reinterpret_cast<Function>(LibraryProcedure(library, name, loading));
}

// From here on the system itself looks for libraries (the imports of the
// ones the program loads, say) in the system folder only, never beside the
// program, where a downloaded file may lie; where the system offers that.
void RestrictLibrarySearch();

}  // namespace win
