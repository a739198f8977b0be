// Dragging a band runs the whole edit cycle many times a second: redesign, evaluation,
// curve rebuild, real-time send, coefficient viewer, final-response hook. None of it may
// allocate. This test counts global allocations while a drag goes on.
#include "EditorTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <new>

namespace {

long gAllocations = 0;
bool gCounting = false;

} // namespace

// Weak, so that another test of this program replacing it as well does not clash; the
// test then checks that counting works before it trusts a count of zero. The array and
// nothrow forms of the library call these.
__attribute__((weak)) void* operator new(std::size_t size) {
    gAllocations += gCounting ? 1 : 0;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
__attribute__((weak)) void operator delete(void* p) noexcept {
    std::free(p);
}
__attribute__((weak)) void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace veld23 {
namespace {

long CountAllocations(const std::function<void()>& run) {
    gAllocations = 0;
    gCounting = true;
    run();
    gCounting = false;
    return gAllocations;
}

TEST(EqualiserDrag, DragStepsAllocateNothing) {
    if (CountAllocations([] { ::operator delete(::operator new(1)); }) == 0) {
        GTEST_SKIP() << "allocations cannot be counted in this program";
    }
    testing::EqualiserFixture t;
    t.editor.SelectBand(7); // all seven bands evaluated
    t.editor.ChooseType(2); // "Parametric Q Const", the costliest design
    t.editor.PlotMouseDown(testing::At(1000.0, 0.0));
    ASSERT_TRUE(t.editor.Dragging());
    // The recording sender and the fixture's refresh list have room for every step.
    t.sender.calls.clear();
    t.sender.calls.reserve(400);
    t.finalResponses.reserve(400);

    const long allocations = CountAllocations([&t] {
        for (int step = 0; step < 300; ++step) {
            // Up and down the whole axis and beyond it, so every field clamps too.
            const double hz = 5.0 * std::pow(10.0, step % 100 / 20.0);
            const double db = -20.0 + (step * 7 % 40);
            t.editor.PlotMouseMove(testing::At(hz, db));
        }
        t.editor.PlotMouseUp(testing::At(1000.0, 0.0));
    });
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(t.sender.calls.size(), 300u); // a send for every step: the drag went on
}

} // namespace
} // namespace veld23
