#include "ui/TopologyChooserWindow.h"

#include "config/ProcessorConfiguration.h"
#include "editors/EditorSet.h"
#include "support/RecordingRealTimeSender.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace veld23;

namespace {

struct Chooser {
    ProcessorConfiguration config;
    veld23::testing::RecordingRealTimeSender sender;
    EditorSet editors{config, sender};
    int activations = 0;
    // What the command saw of the window while it ran.
    bool visibleDuringCommand = true;
    bool twoLitDuringCommand = false;
    bool threeLitDuringCommand = false;
    TopologyChooserWindow window{[this](OutputTopology topology) {
        visibleDuringCommand = window.isVisible();
        twoLitDuringCommand = window.LampLit(OutputTopology::TwoOutputs);
        threeLitDuringCommand = window.LampLit(OutputTopology::ThreeOutputs);
        editors.ChooseTopology(topology);
    }};

    Chooser() {
        sender.mode = false;
        window.SetActivationStep([this] { ++activations; });
    }
    void Click(const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    }
};

} // namespace

TEST(TopologyChooserWindow, EachButtonRunsItsTopologyCommandAfterClosingTheWindow) {
    Chooser c;
    c.window.show();
    EXPECT_EQ(c.activations, 1);

    c.Click("ThreeWays");
    EXPECT_FALSE(c.visibleDuringCommand);
    EXPECT_TRUE(c.threeLitDuringCommand);
    EXPECT_FALSE(c.twoLitDuringCommand);
    EXPECT_EQ(c.config.Topology, OutputTopology::ThreeOutputs);
    EXPECT_FALSE(c.window.LampLit(OutputTopology::ThreeOutputs)); // both out afterwards
    EXPECT_FALSE(c.window.isVisible());

    c.window.show();
    EXPECT_EQ(c.activations, 2);
    c.Click("TwoWays");
    EXPECT_TRUE(c.twoLitDuringCommand);
    EXPECT_EQ(c.config.Topology, OutputTopology::TwoOutputs);
    EXPECT_FALSE(c.window.LampLit(OutputTopology::TwoOutputs));

    // The start sequence chooses without showing the window, and so without its reset.
    c.window.ChooseTwoWays();
    EXPECT_EQ(c.activations, 2);
    EXPECT_FALSE(c.window.isVisible());
}
