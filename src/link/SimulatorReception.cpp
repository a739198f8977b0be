// The memory-return half of ProcessorSimulator: after command 4 the processor
// waits for the editor's go byte and sends the memory framed like a command,
// expecting every header byte echoed and every block acknowledged.
#include "link/ProcessorSimulator.h"

#include "link/Protocol.h"

#include <algorithm>

namespace veld23::link {

using namespace protocol;

std::uint16_t ProcessorSimulator::AnnouncedLength() const {
    if (faults_.announcedLength) {
        return *faults_.announcedLength;
    }
    // A stored image starts with its own length word.
    const std::vector<std::uint8_t>& memory = Memory(reception_.program);
    if (memory.size() < 2) {
        return 0;
    }
    const std::size_t word = memory[0] * 256u + memory[1];
    return static_cast<std::uint16_t>(std::min(word, memory.size()));
}

void ProcessorSimulator::OnReceptionByte(std::uint8_t byte, Clock::time_point at) {
    if (state_ == State::AwaitGo) {
        if (byte != kStart) {
            // The editor did something else: take the byte as the start of that.
            state_ = State::Idle;
            OnByte(byte, at);
            return;
        }
        receptions_.push_back(reception_);
        std::uint8_t sent = 0;
        if (Answer(SimStep::Begin, kStart, at, sent)) {
            rxExpect_ = kStart; // the editor answers BEGIN with 0x80 whatever came
            state_ = State::RxBeginEcho;
        }
        return;
    }
    Reception& reception = receptions_.back();
    if (byte != rxExpect_) {
        // Not the echo of what was sent: the editor has left the reception.
        state_ = State::Idle;
        OnByte(byte, at);
        return;
    }
    const auto next = [&](SimStep step, std::uint8_t right, State following) {
        if (Answer(step, right, at, rxExpect_)) {
            state_ = following;
        }
    };
    switch (state_) {
    case State::RxBeginEcho:
        next(SimStep::RxCommand, kReadMemory, State::RxCommandEcho);
        return;
    case State::RxCommandEcho:
        next(SimStep::RxProgram, reception.program, State::RxProgramEcho);
        return;
    case State::RxProgramEcho:
        reception.length = AnnouncedLength();
        next(SimStep::RxLong, static_cast<std::uint8_t>(reception.length >> 8),
             State::RxLongHighEcho);
        return;
    case State::RxLongHighEcho:
        next(SimStep::RxLong, static_cast<std::uint8_t>(reception.length & 0xFF),
             State::RxLongLowEcho);
        return;
    case State::RxLongLowEcho:
        rxOffset_ = 0;
        if (reception.length == 0) {
            next(SimStep::RxEnd, kEnd, State::RxEndEcho);
        } else {
            SendBlock(at);
        }
        return;
    case State::RxAck:
        reception.acknowledgements.push_back(byte);
        if (rxOffset_ >= reception.length) {
            next(SimStep::RxEnd, kEnd, State::RxEndEcho);
        } else {
            SendBlock(at);
        }
        return;
    case State::RxEndEcho:
        reception.completed = true;
        state_ = State::Idle;
        return;
    default:
        state_ = State::Idle;
        return;
    }
}

void ProcessorSimulator::SendBlock(Clock::time_point at) {
    Reception& reception = receptions_.back();
    const int blocksSent = static_cast<int>(rxOffset_ / kBlockSize);
    if (faults_.silentAt == SimStep::RxData ||
        (faults_.hangUpAfterBlocks && blocksSent >= *faults_.hangUpAfterBlocks)) {
        Forget();
        return;
    }
    const std::vector<std::uint8_t>& memory = Memory(reception.program);
    const std::size_t count = std::min(kBlockSize, reception.length - rxOffset_);
    std::vector<std::uint8_t> block(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (rxOffset_ + i < memory.size()) {
            block[i] = memory[rxOffset_ + i];
        }
    }
    if (faults_.wrongAt == SimStep::RxData) {
        block[0] = faults_.wrongValue.value_or(static_cast<std::uint8_t>(block[0] ^ 0x40));
    }
    Emit(block, at + faults_.answerDelay);
    EmitBurst(SimStep::RxData);
    rxOffset_ += count;
    rxExpect_ = block.back();
    state_ = State::RxAck;
}

} // namespace veld23::link
