#pragma once

#include "measure/FinalResponse.h"

namespace veld23 {

class EditorSet;

// The curves the block editors keep, and the imported speaker responses: the final
// response knows curves, the editors know their blocks, and this is where both meet.
FinalResponseSources FinalResponseSourcesOf(const EditorSet& editors,
                                            const SpeakerCurves& speakers);

} // namespace veld23
