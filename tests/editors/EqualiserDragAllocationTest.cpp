// Dragging a band runs the whole edit cycle many times a second: redesign, evaluation,
// curve rebuild, real-time send, coefficient viewer, final-response hook. None of it may
// allocate. This test counts global allocations while a drag goes on.
#include "editors/EqualiserEditor.h"

#include "EqualiserTestSupport.h"
#include "config/ProcessorConfiguration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>

namespace {

long gAllocations = 0;
bool gCounting = false;

void* Allocate(std::size_t size) {
    if (gCounting) {
        ++gAllocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

} // namespace

// Weak, so that another test of this program replacing it as well does not clash; the
// test then checks that counting still works before it trusts a count of zero. The array
// and nothrow forms of the library call these.
__attribute__((weak)) void* operator new(std::size_t size) {
    return Allocate(size);
}
__attribute__((weak)) void operator delete(void* p) noexcept {
    std::free(p);
}
__attribute__((weak)) void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace veld23 {
namespace {

class CountingAllocations {
  public:
    CountingAllocations() {
        gAllocations = 0;
        gCounting = true;
    }
    ~CountingAllocations() { gCounting = false; }
    long Count() const { return gAllocations; }
};

// Real Time mode on, and a send that only counts: the recording sender of the other tests
// allocates for its own list.
class CountingSender : public RealTimeSender {
  public:
    int sends = 0;
    bool RealTimeMode() const override { return true; }
    bool RealTimeBusy() const override { return false; }
    void SendRealTimeValue(std::uint16_t, std::uint8_t, double) override {}
    void SendRealTimeFive(std::uint8_t, const std::array<double, 5>&) override { ++sends; }
    void SendRealTimeInteger(std::uint16_t, std::uint16_t) override {}
};

using testing::At;

TEST(EqualiserDrag, DragStepsAllocateNothing) {
    {
        CountingAllocations probe;
        delete new int(1);
        if (probe.Count() == 0) {
            GTEST_SKIP() << "allocations cannot be counted in this program";
        }
    }
    ProcessorConfiguration config;
    CountingSender sender;
    EqualiserEditor editor(config, sender);
    int refreshes = 0;
    editor.SetRedrawFinalResponse([&refreshes] { ++refreshes; });
    editor.SelectBand(7); // all seven bands evaluated
    editor.ChooseType(2); // "Parametric Q Const", the costliest design
    editor.PlotMouseDown(At(1000.0, 0.0));
    ASSERT_TRUE(editor.Dragging());
    sender.sends = 0;
    refreshes = 0;

    long allocations = 0;
    {
        CountingAllocations counting;
        for (int step = 0; step < 300; ++step) {
            // Up and down the whole axis and beyond it, so every field clamps too.
            const double hz = 5.0 * std::pow(10.0, step % 100 / 20.0);
            const double db = -20.0 + (step * 7 % 40);
            editor.PlotMouseMove(At(hz, db));
        }
        editor.PlotMouseUp(At(1000.0, 0.0));
        allocations = counting.Count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(sender.sends, 300);
    EXPECT_EQ(refreshes, 300);
    EXPECT_FALSE(editor.Dragging());
    EXPECT_EQ(editor.Plot().Series(1).Points().size(), 401u);
}

} // namespace
} // namespace veld23
