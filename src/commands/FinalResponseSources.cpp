#include "commands/FinalResponseSources.h"

#include "editors/EditorSet.h"

namespace veld23 {

FinalResponseSources FinalResponseSourcesOf(const EditorSet& editors,
                                            const SpeakerCurves& speakers) {
    return {{&editors.equaliser.Curve(1), &editors.equaliser.Curve(2)},
            &editors.loudness.Response(),
            {&editors.crossover.OutputResponse(1), &editors.crossover.OutputResponse(2),
             &editors.crossover.OutputResponse(3)},
            &speakers};
}

} // namespace veld23
