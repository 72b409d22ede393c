// The version record of the running program, read from its image in memory.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>

namespace win {

// The fixed file information of a version resource (a VS_VERSIONINFO
// block: its header, the key "VS_VERSION_INFO", then the record); nothing
// for a block too short, of another key or without the record's signature.
std::optional<VS_FIXEDFILEINFO> FixedFileInfoOf(std::span<const std::byte> block);

// The fixed file information of a loaded module's version resource (the
// program's for none). It comes from the image the module runs from, not
// from its file: a program renamed, moved or whose drive went away while it
// runs still knows its version. Nothing without a version resource.
std::optional<VS_FIXEDFILEINFO> ModuleFixedFileInfo(HMODULE module = nullptr);

}  // namespace win
