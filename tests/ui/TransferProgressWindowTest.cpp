#include "ui/TransferProgressWindow.h"

#include "link/LinkController.h"
#include "link/PollingWaiter.h"
#include "link/ProcessorSimulator.h"
#include "link/SimulatedCommPort.h"
#include "link/SimulatedD2xx.h"
#include "link/TransferEngine.h"
#include "support/RecordingLinkUi.h"
#include "support/SimulatedLink.h"

#include <QProgressBar>

#include <gtest/gtest.h>

using namespace veld23;
using link::SimStep;

namespace {

// The transfer engine talking to the simulated processor over COM1, with the real window
// as its progress view.
struct Transfer {
    link::ProcessorSimulator processor;
    link::SimulatedCommPort port{processor};
    link::SimulatedD2xx usb{processor};
    veld23::testing::RecordingLinkUi ui;
    link::PollingWaiter waiter;
    link::LinkController link{port, usb, ui};
    TransferProgressWindow window;
    // A short answer time-out keeps the wait before a retry short.
    link::TransferEngine engine{link, waiter, window, std::chrono::milliseconds(150)};

    Transfer() {
        waiter.AddSource(port);
        link.SelectCom(link::ComPortNumber::pnCOM1);
    }
};

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(TransferProgressWindow, FollowsAWriteAndClosesWhenItSucceeds) {
    Transfer t;
    EXPECT_EQ(t.window.InfoText(), "Conecting...");
    EXPECT_FALSE(t.window.isVisible());

    // Seen from the processor's side while the image is being stored.
    bool shownWhileStoring = false;
    QString infoWhileStoring;
    int gaugeWhileStoring = -1;
    t.processor.SetMemoryStoredListener([&](int) {
        shownWhileStoring = t.window.isVisible();
        infoWhileStoring = t.window.InfoText();
        gaugeWhileStoring = t.window.GaugePosition();
    });
    t.ui.shownMemory = 3;
    const auto image = veld23::testing::TestImage(2047);
    ASSERT_TRUE(t.engine.WriteMemory(3, image, false).Succeeded());

    EXPECT_TRUE(shownWhileStoring);
    EXPECT_TRUE(infoWhileStoring.startsWith("Sending")) << infoWhileStoring.toStdString();
    EXPECT_EQ(gaugeWhileStoring, 2048);
    EXPECT_EQ(t.window.PortText(), "Comunication Port : COM1");
    EXPECT_EQ(t.window.GaugeMaximum(), 2048);
    EXPECT_EQ(t.window.GaugePosition(), 2048);
    EXPECT_EQ(t.window.InfoText(), "Communication OK...");
    EXPECT_FALSE(t.window.isVisible());
}

TEST(TransferProgressWindow, AFailedTransferStaysOpenWithItsFailureText) {
    Transfer t;
    t.processor.Faults().wrongAt = SimStep::Start;
    t.processor.Faults().wrongValue = 0x81;
    EXPECT_EQ(t.engine.RunCommand(0, 0, 0, true), 1);
    EXPECT_TRUE(t.window.isVisible());
    EXPECT_EQ(t.window.InfoText(), Utf8("  ¡¡ERROR!! HEADER NO VALID(129)"));

    // The next transfer brings the same window up again and closes it once done.
    t.processor.Faults() = {};
    EXPECT_EQ(t.engine.RunCommand(0, 0, 0, true), 0);
    EXPECT_FALSE(t.window.isVisible());
}
