#include "ui/AboutWindow.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/DeviceImageWindow.h"

#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "device/DeviceImage.h"
#include "support/RecordingRealTimeSender.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace veld23;

TEST(CoefficientViewerWindow, ShowsTheEditorsTextsWhenShownAndOnEveryRefresh) {
    std::array<std::string, 5> texts{"1.000000", "0.000000", "0.000000", "0.000000", "0.000000"};
    int reads = 0;
    CoefficientViewerWindow window([&](int k) {
        ++reads;
        return texts[static_cast<std::size_t>(k)];
    });
    EXPECT_EQ(window.windowTitle(), "Show Filter Coefficients");
    EXPECT_EQ(window.FieldText(0), "1.000000");

    texts = {"0.998203", "-1.992771", "0.994649", "1.992771", "-0.992852"};
    window.show();
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(window.FieldText(k).toStdString(), texts[static_cast<std::size_t>(k)]);
        // The fields only show: the coefficients are the editor's to change.
        EXPECT_TRUE(
            window.findChild<QLineEdit*>(CoefficientViewerWindow::kCaptions[k])->isReadOnly());
    }
    texts[4] = "-0.500000";
    const int before = reads;
    window.Refresh();
    EXPECT_EQ(window.FieldText(4), "-0.500000");
    EXPECT_EQ(reads, before + 5);
    EXPECT_EQ(window.FieldText(5), "");
    window.hide();
}

TEST(DeviceImageWindow, HexDumpLinesCarryTheirOffsetBytesAndPrintableText) {
    std::vector<std::uint8_t> bytes(18);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(0xF0 + i);
    }
    bytes[1] = 'V';
    bytes[16] = 'A';
    const QString dump = DeviceImageWindow::HexDump(bytes);
    const QStringList lines = dump.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "    0  F0 56 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF  .V..............");
    // A short last line keeps its text column where the full lines have it.
    EXPECT_EQ(lines[1], "   16  41 01" + QString(14 * 3, ' ') + "  A.");
    EXPECT_TRUE(DeviceImageWindow::HexDump({}).isEmpty());
}

TEST(DeviceImageWindow, ShowsTheImageOfTheConfigurationAsItIsWhenShown) {
    ProcessorConfiguration config;
    veld23::testing::RecordingRealTimeSender sender;
    sender.mode = false;
    int builds = 0;
    DeviceImageWindow window([&] {
        ++builds;
        return BuildDeviceImage(config);
    });
    const auto firstLine = [&] { return window.Text().section('\n', 0, 0); };

    config.SystemInformation.SystemName.Assign("Hall");
    window.show();
    EXPECT_EQ(window.Text().count('\n'), 128); // 2047 bytes, sixteen a line
    // The length word 2046 and the format version 'h' lead the image.
    EXPECT_TRUE(firstLine().startsWith("    0  07 FE 68")) << firstLine().toStdString();
    EXPECT_TRUE(firstLine().endsWith("Hall")) << firstLine().toStdString(); // the name at 12
    const QString threeOutputs = firstLine().mid(7, 14);

    ApplyTwoOutputs(config, sender);
    QTest::mouseClick(window.findChild<QPushButton*>(), Qt::LeftButton); // Refresh
    EXPECT_NE(firstLine().mid(7, 14), threeOutputs); // the topology flag at byte 4
    EXPECT_EQ(builds, 2);
    window.hide();
}
