#pragma once

#include <string>
#include <string_view>

namespace veld23 {

// A name (a path, a text read from a file) as it may appear inside a message: every
// byte that a terminal or a message box would act on instead of showing (control
// characters, a NUL that would cut the message, bytes that are not UTF-8, the C1
// controls and the Unicode line, paragraph and direction controls) becomes "\xNN", so
// the message stays one honest line. Printable UTF-8 is kept, so "Música.frd" reads as
// it is. Applying it twice gives the same text. The tool applies it to every message it
// prints and the editor to every message box, so core messages carry names as they are.
std::string PrintableText(std::string_view text);

} // namespace veld23
