#pragma once

#include "link/LinkController.h"
#include "link/PollingWaiter.h"
#include "link/ProcessorSimulator.h"
#include "link/SimulatedCommPort.h"
#include "link/SimulatedD2xx.h"
#include "link/TransferEngine.h"
#include "support/RecordingLinkUi.h"

#include <cstdint>
#include <vector>

namespace veld23::testing {

// The editor's link wired to the in-process processor simulator, over the
// simulated serial port or the simulated USB converter.
struct SimulatedLink {
    link::ProcessorSimulator processor;
    link::SimulatedCommPort port{processor};
    link::SimulatedD2xx usb{processor};
    RecordingLinkUi ui;
    link::PollingWaiter waiter;
    link::LinkController link{port, usb, ui};
    link::TransferEngine engine{link, waiter, ui};
    std::vector<std::vector<std::uint8_t>> applied;

    SimulatedLink() {
        waiter.AddSource(port);
        engine.SetImageHandler([this](std::span<const std::uint8_t> image) {
            applied.emplace_back(image.begin(), image.end());
        });
    }
    SimulatedLink(const SimulatedLink&) = delete;
    SimulatedLink& operator=(const SimulatedLink&) = delete;

    void SelectCom1() {
        link.SelectCom(link::ComPortNumber::pnCOM1);
        ui.log.clear();
    }
    void SelectUsb() {
        link.SelectUsb();
        ui.log.clear();
    }
    // The bytes the editor sent since the last call.
    std::vector<std::uint8_t> TakeSent() {
        std::vector<std::uint8_t> sent(processor.FromEditor().begin() +
                                           static_cast<std::ptrdiff_t>(seen),
                                       processor.FromEditor().end());
        seen = processor.FromEditor().size();
        return sent;
    }
    std::size_t seen = 0;
};

// A memory as the processor stores it after a write: an image whose first
// word is its length minus 1, followed by the zero the transfer adds.
inline std::vector<std::uint8_t> TestImage(std::size_t imageBytes, std::uint8_t seed = 1) {
    std::vector<std::uint8_t> image(imageBytes);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    const std::size_t word = imageBytes - 1;
    image[0] = static_cast<std::uint8_t>(word >> 8);
    image[1] = static_cast<std::uint8_t>(word & 0xFF);
    return image;
}

} // namespace veld23::testing
