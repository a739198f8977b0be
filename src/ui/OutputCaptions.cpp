#include "ui/OutputCaptions.h"

#include "config/ProcessorConfiguration.h"
#include "ui/QtText.h"

namespace veld23 {

QString OutputName(const ProcessorConfiguration& config, int output) {
    if (output == 3) {
        return FromWindows1252(ThirdCurveName(config.Topology));
    }
    return QStringLiteral("OUT %1").arg(output);
}

QString OutputRowLabel(const ProcessorConfiguration& config, int output) {
    const ChannelLabelTexts& labels = config.ChannelLabels;
    return FromWindows1252((output == 1   ? labels.Out1
                            : output == 2 ? labels.Out2
                                          : labels.Sub)
                               .View());
}

} // namespace veld23
