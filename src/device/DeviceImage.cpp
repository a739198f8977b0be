#include "device/DeviceImage.h"

#include "config/ProcessorConfiguration.h"
#include "device/DeviceImageBlocks.h"
#include "device/DeviceImageLayout.h"
#include "device/Encodings.h"

#include <algorithm>

namespace veld23 {

using namespace image_layout;

namespace {

// Device filter code by section type 0..13; every other type writes 0.
constexpr std::array<std::uint8_t, 14> kPeqTypeCodes = {0, 1, 3,  4,  5,  6,  7,
                                                        8, 9, 10, 11, 12, 13, 2};

template <std::size_t Capacity>
void PutText(DeviceImage& image, std::size_t offset, const FixedText<Capacity>& text) {
    const std::array<char, Capacity> padded = text.PaddedWithBlanks();
    for (std::size_t i = 0; i < Capacity; ++i) {
        image[offset + i] = static_cast<std::uint8_t>(padded[i]);
    }
}

void PutBlanks(DeviceImage& image, std::size_t offset, std::size_t count) {
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(offset), count, ' ');
}

void WriteHeader(const ProcessorConfiguration& config, DeviceImage& image) {
    image[kLengthHigh] = kLengthWordHigh;
    image[kLengthLow] = kLengthWordLow;
    image[kImageVersionOffset] = kImageFormatVersion;
    image[3] = 0;
    image[kImageTopologyOffset] = StrictBoolean(TopologyFlag(config.Topology) ? 1 : 0);
    std::fill_n(image.begin() + kOnesOffset, kOnesCount, 1);

    const ChannelLabelTexts& labels = config.ChannelLabels;
    PutText(image, kSystemNameOffset, config.SystemInformation.SystemName);
    PutText(image, kIn1Offset, labels.In1);
    PutText(image, kIn2Offset, labels.In2);
    PutText(image, kOut1Offset, labels.Out1);
    PutText(image, kOut2Offset, labels.Out2);
    // Two label fields between OUT 2 and SUB and one after SUB are unused.
    PutBlanks(image, kOut2Offset + ChannelLabelTexts::kCapacity, 2 * ChannelLabelTexts::kCapacity);
    PutText(image, kSubOffset, labels.Sub);
    PutBlanks(image, kSubOffset + ChannelLabelTexts::kCapacity, ChannelLabelTexts::kCapacity);
}

} // namespace

std::uint8_t PeqTypeCode(std::uint8_t sectionType) {
    return sectionType < kPeqTypeCodes.size() ? kPeqTypeCodes[sectionType] : 0;
}

std::optional<std::uint8_t> SectionTypeFromPeqCode(std::uint8_t code) {
    for (std::size_t type = 0; type < kPeqTypeCodes.size(); ++type) {
        if (kPeqTypeCodes[type] == code) {
            return static_cast<std::uint8_t>(type);
        }
    }
    return std::nullopt;
}

DeviceImage BuildDeviceImage(const ProcessorConfiguration& config) {
    DeviceImage image{};
    WriteHeader(config, image);
    WriteProcessorBlock(
        config, 1, ProcessorBlockBytes(image.data() + kProcessorBlock1Offset, kProcessorBlockSize));
    WriteProcessorBlock(
        config, 2, ProcessorBlockBytes(image.data() + kProcessorBlock2Offset, kProcessorBlockSize));
    WritePanelRecord(config, 1,
                     PanelRecordBytes(image.data() + kPanelBlockOffset, kPanelRecordSize));
    WritePanelRecord(config, 2,
                     PanelRecordBytes(image.data() + kPanelCopy2Offset, kPanelRecordSize));
    std::fill(image.begin() + kImageFillerOffset, image.end(), kImageFillerByte);
    return image;
}

} // namespace veld23
