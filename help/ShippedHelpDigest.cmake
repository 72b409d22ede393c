# Writes the header that tells the program which help file this build
# shipped: its size and SHA-256.
#   cmake -D HELP_FILE=Zemko.hlp -D HEADER=ShippedHelp.h -P ShippedHelpDigest.cmake
file(SIZE "${HELP_FILE}" size)
file(SHA256 "${HELP_FILE}" digest)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${digest}")
string(STRIP "${bytes}" bytes)
file(WRITE "${HEADER}" "// Written at build time from the help file beside the program.
#pragma once

#include <cstdint>

namespace shipped_help {

constexpr std::uint64_t kSize = ${size};
constexpr std::uint8_t kSha256[] = {${bytes}};

}  // namespace shipped_help
")
