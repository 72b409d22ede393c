// Raw access to the position key of the test prefix's registry, bypassing
// the routines under test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zemko_test {

inline constexpr char kVendorKey[] = "software\\Vadrex";
inline constexpr char kPositionKeyPath[] = "software\\Vadrex\\Zemko";

// Removes software\Vadrex with everything below it.
void DeleteVendorKey();
bool PositionKeyExists();

struct RawValue {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};
RawValue DwordValue(const char* name, std::uint32_t value);
RawValue TextValue(const char* name, const char* text);

// Creates the position key (and its parents) and stores the values.
bool StoreValues(const std::vector<RawValue>& values);

// The value as stored, or nothing when it is missing.
std::optional<RawValue> ReadValue(const char* name);

// Makes software\Vadrex a volatile key: the system then refuses to create
// the (non-volatile) position key below it.
bool MakeVendorKeyVolatile();

}  // namespace zemko_test
