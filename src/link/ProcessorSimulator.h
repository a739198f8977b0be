#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "link/Protocol.h"

namespace veld23::link {

// The steps at which the simulated processor answers. The first six answer the
// editor's command transfer; the others are what the processor sends while it
// returns a memory.
enum class SimStep : std::uint8_t {
    Start,
    Command,
    Program,
    Long,
    Data,
    End,
    Begin,
    RxCommand,
    RxProgram,
    RxLong,
    RxData,
    RxEnd,
};
const char* SimStepName(SimStep step);
std::optional<SimStep> ParseSimStep(std::string_view name);

// Misbehaviour on request, to exercise the editor's failure paths.
struct SimFaults {
    // No answer at this step; the processor forgets the transfer.
    std::optional<SimStep> silentAt;
    // A wrong byte at this step: wrongValue, or the right byte with bit 6 flipped.
    std::optional<SimStep> wrongAt;
    std::optional<std::uint8_t> wrongValue;
    // burstCount extra bytes right behind this step's byte.
    std::optional<SimStep> burstAt;
    int burstCount = 4;
    // Added before every answer.
    std::chrono::microseconds answerDelay{0};
    // Stops answering in the middle of the data, after this many blocks.
    std::optional<int> hangUpAfterBlocks;
    // Announces this length for every memory it returns, whatever it holds.
    std::optional<std::uint16_t> announcedLength;
    // Every write stores the byte at this offset inverted, as a failing memory cell would.
    std::optional<std::size_t> corruptStoredByte;
};

// The processor's side of the byte dialogue: eight memories holding images,
// per-memory protection, the running memory, the keyboard lock and the
// password record. Bytes go in with the time they were put on the line and
// come out no sooner than a line at the set speed could carry them (no pacing
// at speed 0).
class ProcessorSimulator {
  public:
    using Clock = std::chrono::steady_clock;
    // A processor gives up a transfer when its line has been quiet this long, so a
    // client that died in the middle does not leave it waiting for bytes forever.
    static constexpr std::chrono::seconds kForgetAfter{2};

    // A transfer that reached its END byte.
    struct Transfer {
        std::uint8_t command = 0;
        std::uint8_t program = 0;
        std::uint16_t length = 0;
        std::vector<std::uint8_t> data;
        int blocks = 0; // data blocks acknowledged
    };
    // A memory sent back to the editor, with the acknowledgement of every block.
    struct Reception {
        std::uint8_t program = 0;
        std::uint16_t length = 0;
        std::vector<std::uint8_t> acknowledgements;
        bool completed = false;
    };
    struct RealTimeMessage {
        std::uint8_t selector = 0;
        std::uint8_t kind = 0;
        std::vector<std::uint8_t> body;
    };
    // A transfer given up after kForgetAfter without a byte.
    struct Forgotten {
        std::uint8_t command = 0;
        std::uint8_t program = 0;
    };

    explicit ProcessorSimulator(unsigned baud = 0);

    void SetBaud(unsigned baud);
    unsigned Baud() const { return baud_; }
    SimFaults& Faults() { return faults_; }

    // Memories are numbered 1 to 8.
    void SetProtected(int memory, bool isProtected);
    bool IsProtected(int memory) const;
    const std::vector<std::uint8_t>& Memory(int memory) const;
    void SetMemory(int memory, std::vector<std::uint8_t> bytes);
    int RunningProgram() const { return running_; }
    void SetRunningProgram(int memory) { running_ = memory; }
    bool KeyboardLocked() const { return keyboardLocked_; }
    const std::array<std::uint8_t, 7>& Password() const { return password_; }
    // Called after a write stored a memory.
    void SetMemoryStoredListener(std::function<void(int memory)> listener);

    const std::vector<Transfer>& Completed() const { return completed_; }
    const std::vector<Reception>& Receptions() const { return receptions_; }
    // Real-time messages also change the running memory's processor block 1, as the
    // processor's parameter memory would: parameter n below 258 is word n, 258 to 260
    // are words 255 to 257 (the output levels).
    const std::vector<RealTimeMessage>& RealTimeMessages() const { return realTime_; }
    const std::vector<Forgotten>& ForgottenTransfers() const { return forgotten_; }
    // Every byte the editor sent, and every byte the processor put on the line.
    const std::vector<std::uint8_t>& FromEditor() const { return fromEditor_; }
    const std::vector<std::uint8_t>& ToEditor() const { return toEditor_; }

    // Bytes from the editor, put on the line at `now`.
    void Feed(std::span<const std::uint8_t> bytes, Clock::time_point now);
    // Moves the bytes that have crossed the line by `now` into out; returns the count.
    std::size_t Take(std::span<std::uint8_t> out, Clock::time_point now);
    std::optional<Clock::time_point> NextOutputTime() const;
    // What is still on its way is lost (the editor's port was closed and opened again).
    void DiscardOutput();
    // What has crossed the line by `now` and was not taken is lost (the editor's
    // input queue was purged); what is still on its way arrives later.
    void DiscardArrived(Clock::time_point now);
    // Gives up a transfer in the middle when nothing has crossed the line, either
    // way, for kForgetAfter before `now`; true when it did. Feed does it itself
    // before every byte; a server calls it while the line is quiet.
    bool ForgetIfIdle(Clock::time_point now);

  private:
    enum class State : std::uint8_t {
        Idle,
        Command,
        Program,
        ProgramAgain,
        LongHigh,
        LongLow,
        Data,
        End,
        RealTime,
        AwaitGo,
        RxBeginEcho,
        RxCommandEcho,
        RxProgramEcho,
        RxLongHighEcho,
        RxLongLowEcho,
        RxAck,
        RxEndEcho,
    };
    struct Pending {
        std::uint8_t byte;
        Clock::time_point due;
    };

    void OnByte(std::uint8_t byte, Clock::time_point at);
    void OnRealTimeByte(std::uint8_t byte);
    void ApplyRealTime(const RealTimeMessage& message);
    void OnReceptionByte(std::uint8_t byte, Clock::time_point at);
    // Sends this step's byte (or the fault's); false when the step stays silent.
    bool Answer(SimStep step, std::uint8_t right, Clock::time_point at, std::uint8_t& sent);
    bool Answer(SimStep step, std::uint8_t right, Clock::time_point at);
    void Emit(std::span<const std::uint8_t> bytes, Clock::time_point at);
    void EmitBurst(SimStep step);
    void Perform();
    void SendBlock(Clock::time_point at);
    void Forget() { state_ = State::Idle; }
    std::uint16_t AnnouncedLength() const;

    unsigned baud_ = 0;
    Clock::duration byteTime_{};
    Clock::time_point inFree_{};
    Clock::time_point outFree_{};
    std::deque<Pending> output_;
    SimFaults faults_;

    std::array<std::vector<std::uint8_t>, protocol::kMemories> memories_;
    std::array<bool, protocol::kMemories> protected_{};
    int running_ = 1;
    bool keyboardLocked_ = false;
    std::array<std::uint8_t, 7> password_{};
    std::function<void(int)> memoryStored_;

    State state_ = State::Idle;
    Transfer current_;
    int blockFill_ = 0;
    Reception reception_;
    std::size_t rxOffset_ = 0;
    std::uint8_t rxExpect_ = 0; // the echo the editor owes for the last byte sent
    RealTimeMessage realTimeMessage_;
    std::size_t realTimeNeeded_ = 0;
    int realTimeStage_ = 0;

    std::vector<Transfer> completed_;
    std::vector<Reception> receptions_;
    std::vector<RealTimeMessage> realTime_;
    std::vector<Forgotten> forgotten_;
    std::vector<std::uint8_t> fromEditor_;
    std::vector<std::uint8_t> toEditor_;
};

} // namespace veld23::link
