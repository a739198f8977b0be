#include "link/LinkTexts.h"
#include "support/SimulatedLink.h"

#include <gtest/gtest.h>

#include <chrono>

namespace veld23::link {
namespace {

using testing::SimulatedLink;
using testing::TestImage;
using Bytes = std::vector<std::uint8_t>;

// A memory holding a written standard image: 2047 bytes plus the zero sent after it.
Bytes StoredImage(std::uint8_t seed = 1) {
    Bytes stored = TestImage(2047, seed);
    stored.push_back(0);
    return stored;
}

class Reception : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) {
            s.SelectUsb();
        } else {
            s.SelectCom1();
        }
    }
    bool Usb() const { return GetParam(); }
    SimulatedLink s;
};

TEST_P(Reception, AMemoryComesBackAsTheBytesItsLengthWordAnnounces) {
    s.processor.SetMemory(3, StoredImage());
    ASSERT_TRUE(s.engine.ReceiveMemory(3));
    ASSERT_EQ(s.applied.size(), 1u);
    // The length word of the image is 2046: the last image byte is not sent back.
    const Bytes& memory = s.processor.Memory(3);
    EXPECT_EQ(s.applied[0], Bytes(memory.begin(), memory.begin() + 2046));
    const auto& reception = s.processor.Receptions().back();
    ASSERT_EQ(reception.acknowledgements.size(), 32u); // 31 full blocks and a rest of 62
    EXPECT_EQ(reception.acknowledgements[0], memory[63]);
    EXPECT_EQ(reception.acknowledgements[31], memory[2045]);
    EXPECT_TRUE(s.ui.Has("info:Reading Configuration 3 from the VELD23"));
    EXPECT_TRUE(s.ui.Has("info:LONG : 2046"));
    EXPECT_EQ(s.ui.infoText, "Comunication is OK...");
    EXPECT_EQ(s.ui.gaugePosition, 2046);
    EXPECT_FALSE(s.usb.IsOpen());
}

TEST_P(Reception, TheEditorEchoesEveryHeaderByte) {
    s.processor.SetMemory(2, TestImage(10)); // length word 9
    ASSERT_TRUE(s.engine.ReceiveMemory(2));
    const Bytes& memory = s.processor.Memory(2);
    Bytes expected = {0x80,      4,   2, 2, 0, 0, 0x55, // command 4
                      0x80,                             // go
                      0x80,      4,   2, 0, 9,          // echoes of BEGIN, COMMAND, PROGRAM, LONG
                      memory[8], 0x55};                 // acknowledgement of the rest, END echo
    EXPECT_EQ(s.TakeSent(), expected);
}

TEST_P(Reception, AShorterOrEmptyMemoryHandsOnOnlyWhatArrived) {
    s.processor.SetMemory(1, StoredImage(5));
    ASSERT_TRUE(s.engine.ReceiveMemory(1));
    s.processor.SetMemory(1, TestImage(100, 9)); // announces 99
    ASSERT_TRUE(s.engine.ReceiveMemory(1));
    ASSERT_TRUE(s.engine.ReceiveMemory(8)); // never written
    ASSERT_EQ(s.applied.size(), 3u);
    EXPECT_EQ(s.applied[1],
              Bytes(s.processor.Memory(1).begin(), s.processor.Memory(1).begin() + 99));
    EXPECT_TRUE(s.applied[2].empty());
}

TEST_P(Reception, AnAnnouncementLargerThanTheBufferIsRefused) {
    s.processor.SetMemory(3, StoredImage());
    s.processor.Faults().announcedLength = 40000;
    EXPECT_FALSE(s.engine.ReceiveMemory(3));
    EXPECT_TRUE(s.applied.empty());
    EXPECT_EQ(s.ui.infoText, "¡¡ERROR!! LONG NO VALID (40000)");
    // The low byte is not echoed: the processor is not asked for the data.
    EXPECT_TRUE(s.processor.Receptions().back().acknowledgements.empty());
}

// A wrong BEGIN or END is shown (and END echoed as it came) and a wrong data byte goes
// unnoticed: the image is applied all the same.
TEST_P(Reception, AWrongAnswerIsShownAndTheImageStillApplied) {
    const struct {
        SimStep step;
        std::uint8_t value;
        std::string info; // empty: none
    } cases[] = {
        {SimStep::Begin, 0x81,
         Usb() ? "  ¡¡ERROR!! El dato no es el esperado(129)"
               : "  ¡¡ERROR!! El dato no es el esperado (128)"},
        {SimStep::RxEnd, 0x56, " ERROR FINAL..."},
        {SimStep::RxData, 0x3C, ""},
    };
    s.processor.SetMemory(3, StoredImage());
    for (const auto& c : cases) {
        SCOPED_TRACE(SimStepName(c.step));
        s.ui.log.clear();
        s.applied.clear();
        s.processor.Faults().wrongAt = c.step;
        s.processor.Faults().wrongValue = c.value;
        ASSERT_TRUE(s.engine.ReceiveMemory(3));
        ASSERT_EQ(s.applied.size(), 1u);
        EXPECT_EQ(s.applied[0][0], c.step == SimStep::RxData ? c.value : 0x07);
        if (!c.info.empty()) {
            EXPECT_TRUE(s.ui.Has("info:" + c.info));
        }
        EXPECT_FALSE(c.step == SimStep::Begin && s.ui.Has("info:Received BEGIN..."));
        EXPECT_EQ(s.TakeSent().back(), c.step == SimStep::RxEnd ? c.value : 0x55);
    }
}

TEST_P(Reception, AProtectedMemoryIsNotRead) {
    s.processor.SetMemory(4, StoredImage());
    s.processor.SetProtected(4, true);
    EXPECT_FALSE(s.engine.ReceiveMemory(4));
    EXPECT_TRUE(s.ui.Has("information:" + std::string(texts::kMemoryProtected)));
    EXPECT_TRUE(s.applied.empty());
    EXPECT_TRUE(s.processor.Receptions().empty());
}

// A processor that stops in the middle of the data leaves nothing applied: the serial
// port waits out the real watchdog (the one reception test that does) and goes offline,
// the converter's read times out and keeps the link.
TEST_P(Reception, AProcessorThatStopsMidwayAppliesNothing) {
    s.processor.SetMemory(3, StoredImage());
    s.processor.Faults().hangUpAfterBlocks = 10;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(s.engine.ReceiveMemory(3));
    EXPECT_TRUE(s.applied.empty());
    EXPECT_EQ(s.processor.Receptions().back().acknowledgements.size(), 10u);
    if (Usb()) {
        EXPECT_EQ(s.ui.infoText, texts::kUsbNoAnswer);
        EXPECT_FALSE(s.usb.IsOpen());
        EXPECT_EQ(s.link.Kind(), LinkKind::Usb);
    } else {
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
        EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
        EXPECT_TRUE(s.ui.Has("error:" + std::string(texts::kComPortError)));
    }
}

INSTANTIATE_TEST_SUITE_P(SerialAndUsb, Reception, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Usb" : "Serial"; });

TEST(SerialReception, BlocksArrivingInPiecesAreAcknowledgedOncePer64Bytes) {
    for (const std::size_t piece : {1u, 63u, 100u}) {
        SimulatedLink s;
        s.SelectCom1();
        s.port.SetPieceSize(piece);
        s.processor.SetMemory(5, StoredImage(static_cast<std::uint8_t>(piece)));
        ASSERT_TRUE(s.engine.ReceiveMemory(5)) << piece;
        const Bytes& memory = s.processor.Memory(5);
        ASSERT_EQ(s.applied.size(), 1u);
        EXPECT_EQ(s.applied[0], Bytes(memory.begin(), memory.begin() + 2046)) << piece;
        const auto& acks = s.processor.Receptions().back().acknowledgements;
        ASSERT_EQ(acks.size(), 32u) << piece;
        for (std::size_t block = 0; block < 31; ++block) {
            EXPECT_EQ(acks[block], memory[block * 64 + 63]) << piece << " block " << block;
        }
        for (const std::size_t size : s.port.EventSizes()) {
            EXPECT_LE(size, piece);
        }
    }
}

TEST(UsbReception, AConverterThatWillNotOpenForTheDataEndsTheRead) {
    SimulatedLink s;
    s.SelectUsb();
    s.processor.SetMemory(3, StoredImage());
    s.usb.FailCall(SimulatedD2xx::Call::Open, ft::kDeviceNotFound, 2); // the second open
    EXPECT_FALSE(s.engine.ReceiveMemory(3));
    EXPECT_TRUE(s.applied.empty());
    EXPECT_EQ(s.link.Kind(), LinkKind::Offline);
}

} // namespace
} // namespace veld23::link
