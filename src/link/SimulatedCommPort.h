#pragma once

#include "link/CommPort.h"
#include "link/LinkTypes.h"
#include "link/PollingWaiter.h"
#include "link/ProcessorSimulator.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace veld23::link {

// A serial port with the simulated processor at the other end, for running the
// transfer code in-process. Receptions come as events of at most pieceSize
// bytes (the driver's input size unless a test asks for smaller pieces),
// delivered by the waiter that pumps this source.
class SimulatedCommPort : public CommPort, public EventSource {
  public:
    static constexpr std::size_t kInBufSize = 128;

    explicit SimulatedCommPort(ProcessorSimulator& processor);

    bool OpenPort() override;
    void ClosePort() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    PortOpenError LastOpenError() const override { return lastOpenError_; }
    void PurgeInput() override;
    int SendBlock(std::span<const std::uint8_t> data) override;
    ComPortNumber ComPort() const override { return port_; }
    void SetComPort(ComPortNumber port) override;
    std::string PortPath(ComPortNumber port) const override;
    void SetPortPath(ComPortNumber port, std::string path) override;
    void SetOnReceiveData(ReceiveDataHandler handler) override { handler_ = std::move(handler); }

    bool DispatchOne(Clock::time_point now) override;
    std::optional<Clock::time_point> NextEventTime() const override;

    // A port held by another program (or free again).
    void SetUnavailable(ComPortNumber port, bool unavailable);
    // A port that fails to open for this reason.
    void SetOpenFailure(ComPortNumber port, PortOpenError error);
    // The path the port had when it was last opened.
    const std::string& OpenedPath() const { return openedPath_; }
    void SetPieceSize(std::size_t bytes);
    int OpenCount() const { return openCount_; }
    // Sizes of the reception events delivered so far.
    const std::vector<std::size_t>& EventSizes() const { return eventSizes_; }

  private:
    ProcessorSimulator& processor_;
    ComPortNumber port_ = ComPortNumber::pnCOM1;
    bool open_ = false;
    int openCount_ = 0;
    std::map<ComPortNumber, PortOpenError> failures_;
    std::array<std::string, 4> paths_;
    std::string openedPath_;
    PortOpenError lastOpenError_;
    std::size_t pieceSize_ = kInBufSize;
    std::vector<std::uint8_t> scratch_;
    ReceiveDataHandler handler_;
    std::vector<std::size_t> eventSizes_;
};

} // namespace veld23::link
