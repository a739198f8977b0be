#pragma once

#include "config/Result.h"

#include <cstdint>
#include <span>
#include <string>

namespace veld23 {

// Writes the whole content to a temporary file beside the target and renames it over
// the target, so a failed save (full disk, no permission, lost drive) leaves the
// previous file exactly as it was. A symbolic link is followed to the file it names,
// which is the one replaced (the link stays). The replacement gets the old file's
// permission bits, and its owner and group where the system permits; it is readable by
// nobody else until then. A hard link loses its sharing: the name saved to gets a new
// file, as with any replace-by-rename. Only a plain file (or a new name) is replaced.
// A failure's message for the user names the file and the reason.
Result<> WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> content);

} // namespace veld23
