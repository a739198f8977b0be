#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veld23 {

// Writes the whole content to a temporary file beside the target and renames it
// over the target, so a failed save (full disk, no permission, lost drive) leaves
// the previous file exactly as it was. Returns an empty string on success, else a
// message for the user that names the file and the reason.
std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> content);

} // namespace veld23
