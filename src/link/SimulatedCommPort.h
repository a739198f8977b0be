#pragma once

#include "link/CommPort.h"
#include "link/PollingWaiter.h"
#include "link/ProcessorSimulator.h"

#include <set>
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
    int SendBlock(std::span<const std::uint8_t> data) override;
    ComPortNumber ComPort() const override { return port_; }
    void SetComPort(ComPortNumber port) override;
    void SetOnReceiveData(ReceiveDataHandler handler) override { handler_ = std::move(handler); }

    bool DispatchOne(Clock::time_point now) override;
    std::optional<Clock::time_point> NextEventTime() const override;

    // Ports that cannot be opened (absent, or held by another program).
    void SetUnavailable(ComPortNumber port, bool unavailable);
    void SetPieceSize(std::size_t bytes);
    int OpenCount() const { return openCount_; }
    // Sizes of the reception events delivered so far.
    const std::vector<std::size_t>& EventSizes() const { return eventSizes_; }

  private:
    ProcessorSimulator& processor_;
    ComPortNumber port_ = ComPortNumber::pnCOM1;
    bool open_ = false;
    int openCount_ = 0;
    std::set<ComPortNumber> unavailable_;
    std::size_t pieceSize_ = kInBufSize;
    std::vector<std::uint8_t> scratch_;
    ReceiveDataHandler handler_;
    std::vector<std::size_t> eventSizes_;
};

} // namespace veld23::link
