#include "link/ProcessorSimulator.h"

#include "link/Protocol.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace veld23::link {

using namespace protocol;

namespace {

constexpr std::array<const char*, 12> kStepNames = {
    "start", "command",    "program",    "long",    "data",    "end",
    "begin", "rx-command", "rx-program", "rx-long", "rx-data", "rx-end"};

bool AddressesMemory(std::uint8_t command) {
    return command == kWriteMemory || command == kReadMemory || command == kLoadMemory;
}

} // namespace

const char* SimStepName(SimStep step) {
    return kStepNames.at(static_cast<std::size_t>(step));
}

std::optional<SimStep> ParseSimStep(std::string_view name) {
    for (std::size_t i = 0; i < kStepNames.size(); ++i) {
        if (name == kStepNames[i]) {
            return static_cast<SimStep>(i);
        }
    }
    return std::nullopt;
}

ProcessorSimulator::ProcessorSimulator(unsigned baud) {
    SetBaud(baud);
}

void ProcessorSimulator::SetBaud(unsigned baud) {
    baud_ = baud;
    // Ten bits per byte on the line: start bit, eight data bits, stop bit.
    byteTime_ = baud == 0 ? Clock::duration::zero()
                          : std::chrono::duration_cast<Clock::duration>(
                                std::chrono::nanoseconds(10'000'000'000LL / baud));
}

void ProcessorSimulator::SetProtected(int memory, bool isProtected) {
    if (!IsMemory(memory)) {
        throw std::out_of_range("memory number");
    }
    protected_[memory - 1] = isProtected;
}

bool ProcessorSimulator::IsProtected(int memory) const {
    return IsMemory(memory) && protected_[memory - 1];
}

const std::vector<std::uint8_t>& ProcessorSimulator::Memory(int memory) const {
    return memories_.at(static_cast<std::size_t>(memory - 1));
}

void ProcessorSimulator::SetMemory(int memory, std::vector<std::uint8_t> bytes) {
    memories_.at(static_cast<std::size_t>(memory - 1)) = std::move(bytes);
}

void ProcessorSimulator::SetMemoryStoredListener(std::function<void(int)> listener) {
    memoryStored_ = std::move(listener);
}

void ProcessorSimulator::Feed(std::span<const std::uint8_t> bytes, Clock::time_point now) {
    for (const std::uint8_t byte : bytes) {
        ForgetIfIdle(now);
        inFree_ = std::max(now, inFree_) + byteTime_;
        fromEditor_.push_back(byte);
        OnByte(byte, inFree_);
    }
}

std::size_t ProcessorSimulator::Take(std::span<std::uint8_t> out, Clock::time_point now) {
    std::size_t count = 0;
    while (count < out.size() && !output_.empty() && output_.front().due <= now) {
        out[count++] = output_.front().byte;
        output_.pop_front();
    }
    return count;
}

std::optional<ProcessorSimulator::Clock::time_point> ProcessorSimulator::NextOutputTime() const {
    if (output_.empty()) {
        return std::nullopt;
    }
    return output_.front().due;
}

void ProcessorSimulator::DiscardOutput() {
    output_.clear();
}

void ProcessorSimulator::DiscardArrived(Clock::time_point now) {
    while (!output_.empty() && output_.front().due <= now) {
        output_.pop_front();
    }
}

bool ProcessorSimulator::ForgetIfIdle(Clock::time_point now) {
    if (state_ == State::Idle || now - std::max(inFree_, outFree_) <= kForgetAfter) {
        return false;
    }
    forgotten_.push_back({current_.command, current_.program});
    Forget();
    return true;
}

void ProcessorSimulator::Emit(std::span<const std::uint8_t> bytes, Clock::time_point at) {
    for (const std::uint8_t byte : bytes) {
        outFree_ = std::max(at, outFree_) + byteTime_;
        output_.push_back({byte, outFree_});
        toEditor_.push_back(byte);
    }
}

void ProcessorSimulator::EmitBurst(SimStep step) {
    if (faults_.burstAt != step) {
        return;
    }
    for (int i = 0; i < faults_.burstCount; ++i) {
        const std::uint8_t extra = static_cast<std::uint8_t>(0xA0 + i);
        Emit(std::span(&extra, 1), outFree_);
    }
}

bool ProcessorSimulator::Answer(SimStep step, std::uint8_t right, Clock::time_point at,
                                std::uint8_t& sent) {
    if (faults_.silentAt == step) {
        Forget();
        return false;
    }
    sent = right;
    if (faults_.wrongAt == step) {
        sent = faults_.wrongValue.value_or(static_cast<std::uint8_t>(right ^ 0x40));
    }
    Emit(std::span(&sent, 1), at + faults_.answerDelay);
    EmitBurst(step);
    return true;
}

bool ProcessorSimulator::Answer(SimStep step, std::uint8_t right, Clock::time_point at) {
    std::uint8_t sent = 0;
    if (!Answer(step, right, at, sent)) {
        return false;
    }
    // The editor gives up on a wrong header answer; so does the processor.
    if (sent != right) {
        Forget();
        return false;
    }
    return true;
}

void ProcessorSimulator::OnByte(std::uint8_t byte, Clock::time_point at) {
    switch (state_) {
    case State::Idle:
        if (byte == kStart && Answer(SimStep::Start, kStart, at)) {
            current_ = Transfer{};
            state_ = State::Command;
        }
        return;
    case State::Command:
        current_.command = byte;
        if (byte == kRealTime) {
            // Real-time messages are not acknowledged.
            realTimeMessage_ = RealTimeMessage{};
            realTimeStage_ = 0;
            state_ = State::RealTime;
        } else if (Answer(SimStep::Command, byte, at)) {
            state_ = State::Program;
        }
        return;
    case State::Program: {
        current_.program = byte;
        std::uint8_t right = byte;
        if (current_.command == kQueryProgram) {
            right = static_cast<std::uint8_t>(running_);
        } else if (AddressesMemory(current_.command) && IsProtected(byte)) {
            right = kProtected;
        }
        std::uint8_t sent = 0;
        if (!Answer(SimStep::Program, right, at, sent)) {
            return;
        }
        const bool accepted = current_.command == kQueryProgram ? IsMemory(sent) : sent == byte;
        state_ = accepted ? State::ProgramAgain : State::Idle;
        return;
    }
    case State::ProgramAgain:
        state_ = State::LongHigh;
        return;
    case State::LongHigh:
        current_.length = static_cast<std::uint16_t>(byte << 8);
        state_ = State::LongLow;
        return;
    case State::LongLow:
        current_.length = static_cast<std::uint16_t>(current_.length | byte);
        if (Answer(SimStep::Long, byte, at)) {
            blockFill_ = 0;
            state_ = current_.length == 0 ? State::End : State::Data;
        }
        return;
    case State::Data:
        current_.data.push_back(byte);
        ++blockFill_;
        if (blockFill_ == static_cast<int>(kBlockSize) || current_.data.size() == current_.length) {
            blockFill_ = 0;
            if (faults_.hangUpAfterBlocks && current_.blocks >= *faults_.hangUpAfterBlocks) {
                Forget();
                return;
            }
            std::uint8_t sent = 0;
            if (!Answer(SimStep::Data, byte, at, sent)) {
                return;
            }
            ++current_.blocks;
            if (current_.data.size() == current_.length) {
                state_ = State::End;
            }
        }
        return;
    case State::End:
        state_ = State::Idle;
        if (byte == kEnd && Answer(SimStep::End, kEnd, at)) {
            Perform();
        } else if (byte != kEnd) {
            Emit(std::span(&byte, 1), at + faults_.answerDelay);
        }
        return;
    case State::RealTime:
        OnRealTimeByte(byte);
        return;
    default:
        OnReceptionByte(byte, at);
        return;
    }
}

void ProcessorSimulator::OnRealTimeByte(std::uint8_t byte) {
    static constexpr std::array<std::size_t, 3> kBodyLength = {17, 100, 5};
    switch (realTimeStage_) {
    case 0:
        realTimeMessage_.selector = byte;
        realTimeStage_ = 1;
        return;
    case 1:
        realTimeMessage_.kind = byte;
        realTimeNeeded_ = byte < kBodyLength.size() ? kBodyLength[byte] : 0;
        realTimeStage_ = realTimeNeeded_ == 0 ? 3 : 2;
        return;
    case 2:
        realTimeMessage_.body.push_back(byte);
        if (realTimeMessage_.body.size() == realTimeNeeded_) {
            realTimeStage_ = 3;
        }
        return;
    default:
        if (byte == kEnd) {
            realTime_.push_back(realTimeMessage_);
            ApplyRealTime(realTimeMessage_);
        }
        state_ = State::Idle;
        return;
    }
}

void ProcessorSimulator::Perform() {
    const Transfer& t = current_;
    switch (t.command) {
    case kWriteMemory:
        if (IsMemory(t.program)) {
            memories_[t.program - 1] = t.data;
            if (faults_.corruptStoredByte && *faults_.corruptStoredByte < t.data.size()) {
                memories_[t.program - 1][*faults_.corruptStoredByte] ^= 0xFF;
            }
            if (memoryStored_) {
                memoryStored_(t.program);
            }
        }
        break;
    case kReadMemory:
        if (IsMemory(t.program)) {
            reception_ = Reception{};
            reception_.program = t.program;
            state_ = State::AwaitGo;
        }
        break;
    case kKeyboard:
        if (!t.data.empty()) {
            keyboardLocked_ = t.data[0] == 0xFF;
        }
        break;
    case kPassword:
        if (t.data.size() >= password_.size()) {
            std::copy_n(t.data.begin(), password_.size(), password_.begin());
        }
        break;
    case kLoadMemory:
        if (IsMemory(t.program)) {
            running_ = t.program;
        }
        break;
    default:
        break;
    }
    completed_.push_back(t);
}

} // namespace veld23::link
