#include "link/SimulatedCommPort.h"

#include <algorithm>

namespace veld23::link {

SimulatedCommPort::SimulatedCommPort(ProcessorSimulator& processor)
    : processor_(processor), scratch_(kInBufSize) {
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        paths_[i] = DefaultPortPath(static_cast<ComPortNumber>(i));
    }
}

bool SimulatedCommPort::OpenPort() {
    if (open_) {
        return true;
    }
    lastOpenError_ = {};
    if (const auto failure = failures_.find(port_); failure != failures_.end()) {
        lastOpenError_ = failure->second;
        return false;
    }
    openedPath_ = PortPath(port_);
    open_ = true;
    ++openCount_;
    // Opening purges the receive queue, as the real driver does.
    processor_.DiscardOutput();
    return true;
}

int SimulatedCommPort::SendBlock(std::span<const std::uint8_t> data) {
    if (!open_) {
        return 0;
    }
    processor_.Feed(data, Clock::now());
    return static_cast<int>(data.size());
}

void SimulatedCommPort::SetComPort(ComPortNumber port) {
    if (!open_) {
        port_ = port;
    }
}

bool SimulatedCommPort::DispatchOne(Clock::time_point now) {
    if (!open_) {
        return false;
    }
    const std::size_t count = processor_.Take(std::span(scratch_).first(pieceSize_), now);
    if (count == 0) {
        return false;
    }
    eventSizes_.push_back(count);
    if (handler_) {
        handler_(std::span<const std::uint8_t>(scratch_).first(count));
    }
    return true;
}

std::optional<EventSource::Clock::time_point> SimulatedCommPort::NextEventTime() const {
    return open_ ? processor_.NextOutputTime() : std::nullopt;
}

void SimulatedCommPort::PurgeInput() {
    if (open_) {
        processor_.DiscardArrived(Clock::now());
    }
}

std::string SimulatedCommPort::PortPath(ComPortNumber port) const {
    return paths_.at(static_cast<std::size_t>(port));
}

void SimulatedCommPort::SetPortPath(ComPortNumber port, std::string path) {
    paths_.at(static_cast<std::size_t>(port)) = std::move(path);
}

void SimulatedCommPort::SetUnavailable(ComPortNumber port, bool unavailable) {
    if (unavailable) {
        SetOpenFailure(port, {PortOpenError::Kind::InUse, "Device or resource busy"});
    } else {
        failures_.erase(port);
    }
}

void SimulatedCommPort::SetOpenFailure(ComPortNumber port, PortOpenError error) {
    failures_[port] = std::move(error);
}

void SimulatedCommPort::SetPieceSize(std::size_t bytes) {
    pieceSize_ = std::clamp<std::size_t>(bytes, 1, kInBufSize);
}

} // namespace veld23::link
