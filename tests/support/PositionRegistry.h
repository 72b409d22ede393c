// The main window's stored position in the test prefix's registry, read and
// written raw, bypassing the routines under test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zemko_test {

// Where the program keeps the position, under HKEY_CURRENT_USER; the key
// above it is the vendor's.
inline constexpr char kPositionKey[] = "software\\Vadrex\\Zemko";

// Removes the position key, or the vendor key, with everything below it.
void DeletePositionKey();
void DeleteVendorKey();
bool PositionKeyExists();

struct RawValue {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
  bool operator==(const RawValue&) const = default;
};
void PrintTo(const RawValue& value, std::ostream* out);
RawValue DwordValue(const char* name, std::uint32_t value);
RawValue TextValue(const char* name, const char* text);

// Creates the position key (and its parents) and stores the values.
bool StoreValues(const std::vector<RawValue>& values);

// The value as stored, or nothing when it is missing.
std::optional<RawValue> ReadValue(const char* name);

// Makes the vendor key a volatile key: the system then refuses to create
// the (non-volatile) position key below it.
bool MakeVendorKeyVolatile();

}  // namespace zemko_test
