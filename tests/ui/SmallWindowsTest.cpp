// The small windows, each through its own widgets: the viewers, system information, the
// topology chooser, the transfer progress and the password keypad.
#include "commands/PasswordKeypad.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "config/SystemInformation.h"
#include "device/DeviceImage.h"
#include "editors/EditorSet.h"
#include "link/LinkController.h"
#include "link/PollingWaiter.h"
#include "link/ProcessorSimulator.h"
#include "link/SimulatedCommPort.h"
#include "link/SimulatedD2xx.h"
#include "link/TransferEngine.h"
#include "support/RecordingLinkUi.h"
#include "support/RecordingRealTimeSender.h"
#include "support/SimulatedLink.h"
#include "ui/AboutWindow.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/DeviceImageWindow.h"
#include "ui/IndicatorLamp.h"
#include "ui/PasswordKeypadWindow.h"
#include "ui/SystemInfoWindow.h"
#include "ui/TopologyChooserWindow.h"
#include "ui/TransferProgressWindow.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

using namespace veld23;
using commands::PasswordKeypad;
using commands::PasswordRecord;
using link::SimStep;

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

namespace {

struct SystemInfo {
    SystemInformationTexts texts;
    SystemInfoWindow window{texts};

    QLineEdit* Line(const char* name) { return window.findChild<QLineEdit*>(name); }
    QPlainTextEdit* Comments() { return window.findChild<QPlainTextEdit*>("Comments"); }
};

// Typing characters no key of the test keyboard carries, the way an input method hands
// them over: key events that carry the text.
void Type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

TEST(SystemInfoWindow, EditsGoIntoTheConfigurationHeldToTheirCapacities) {
    SystemInfo s;
    s.texts.ProjectName.Clear();
    s.window.Refresh();

    Type(s.Line("ProjectName"), QString::fromUtf8("Gira ½ €"));
    EXPECT_EQ(s.texts.ProjectName.View(), "Gira \xBD \x80");
    Type(s.Line("Engineer"), QString::fromUtf8("Ω")); // not in the code page
    EXPECT_EQ(s.texts.Engineer.View(), "?");
    QTest::keyClicks(s.Line("ProjectName"), QString(40, 'x'));
    EXPECT_EQ(s.texts.ProjectName.Length(), 30u);

    // Comments: line breaks are stored as CR LF and count as two of the 200 characters.
    QTest::keyClicks(s.Comments(), "ab");
    QTest::keyClick(s.Comments(), Qt::Key_Return);
    QTest::keyClicks(s.Comments(), "cd");
    EXPECT_EQ(s.texts.Comments.View(), "ab\r\ncd");
    QTest::keyClicks(s.Comments(), QString(250, 'y'));
    EXPECT_EQ(s.texts.Comments.Length(), 200u);
    EXPECT_EQ(s.Comments()->toPlainText().size(), 199); // what the field shows is what is kept
}

TEST(SystemInfoWindow, ALineBreakThatNoLongerFitsIsDroppedWhole) {
    SystemInfo s;
    s.texts.Comments.Assign(std::string(199, 'z'));
    s.window.Refresh();
    s.Comments()->moveCursor(QTextCursor::End);
    QTest::keyClick(s.Comments(), Qt::Key_Return);
    EXPECT_EQ(s.texts.Comments.View(), std::string(199, 'z'));
    EXPECT_EQ(s.Comments()->toPlainText(), QString(199, 'z'));
    QTest::keyClicks(s.Comments(), "A");
    EXPECT_EQ(s.texts.Comments.View(), std::string(199, 'z') + "A");
}

TEST(SystemInfoWindow, PresetNameIsMirroredWithTheMainWindowWithoutEchoes) {
    SystemInfo s;
    QSignalSpy edited(&s.window, &SystemInfoWindow::SystemNameEdited);

    QTest::keyClicks(s.Line("PresetName"), "X");
    EXPECT_EQ(s.texts.SystemName.View(), "NoNameX");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), "NoNameX");

    // The main window's field changed: shown here, not announced back.
    s.window.SetSystemName("Main hall");
    EXPECT_EQ(s.Line("PresetName")->text(), "Main hall");
    EXPECT_EQ(edited.count(), 1);
}

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
    EXPECT_FALSE(t.engine.RunCommand(0, 0, 0, true));
    EXPECT_TRUE(t.window.isVisible());
    EXPECT_EQ(t.window.InfoText(), Utf8("  ¡¡ERROR!! HEADER NO VALID(129)"));

    // The next transfer brings the same window up again and closes it once done.
    t.processor.Faults() = {};
    EXPECT_TRUE(t.engine.RunCommand(0, 0, 0, true));
    EXPECT_FALSE(t.window.isVisible());
}

namespace {

struct Keypad {
    PasswordKeypad logic;
    PasswordKeypadWindow window;

    QPushButton* Button(const char* name) {
        auto* button = window.findChild<QPushButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    void Click(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            QTest::mouseClick(Button(name), Qt::LeftButton);
        }
    }
    QString Entry() { return window.findChild<QLineEdit*>("Entry")->text(); }
    bool Lit() { return window.findChild<IndicatorLamp*>()->Lit(); }
};

} // namespace

// The keypad's rules are the keypad's; the window shows them and hands every button on.
TEST(PasswordKeypadWindow, ButtonsReachTheKeypadAndTheWindowShowsIt) {
    Keypad k;
    k.logic.Open();
    k.window.Bind(&k.logic);
    k.Click({"RIGHT", "LEFT", "PUSH", "PUSH", "LEFT"});
    EXPECT_EQ(k.Entry(), "*****");
    EXPECT_FALSE(k.Button("OK")->isEnabled());
    k.Click({"RIGHT", "PasswordActive"});
    EXPECT_EQ(k.logic.Record(), (PasswordRecord{1, 2, 3, 3, 2, 1, 0xFF}));
    EXPECT_TRUE(k.Button("OK")->isEnabled());
    EXPECT_TRUE(k.Lit());
    k.Click({"CLEAR"});
    EXPECT_EQ(k.Entry(), "");
    EXPECT_FALSE(k.Lit());
    EXPECT_EQ(k.logic.KeyCount(), 0);
}

TEST(PasswordKeypadWindow, RunAnswersOkOnlyForACompleteEntryConfirmedWithOk) {
    Keypad k;
    k.logic.Open();
    // Six PUSH presses with the password active, then OK: the record the processor gets.
    QTimer::singleShot(0, &k.window, [&k] {
        k.Click({"PUSH", "PUSH", "PUSH", "PUSH", "PUSH", "PUSH", "PasswordActive", "OK"});
    });
    EXPECT_TRUE(k.window.Run(k.logic));
    EXPECT_EQ(k.logic.Record(), (PasswordRecord{3, 3, 3, 3, 3, 3, 0xFF}));
    EXPECT_FALSE(k.window.isVisible());

    // Enter with five keys cannot confirm; Cancel then declines.
    k.logic.Open();
    QTimer::singleShot(0, &k.window, [&k] {
        k.Click({"LEFT", "LEFT", "LEFT", "LEFT", "LEFT"});
        QTest::keyClick(&k.window, Qt::Key_Return);
        EXPECT_TRUE(k.window.isVisible());
        k.Click({"Cancel"});
    });
    EXPECT_FALSE(k.window.Run(k.logic));

    // Escape declines as well, even with six keys in.
    k.logic.Open();
    QTimer::singleShot(0, &k.window, [&k] {
        k.Click({"RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT"});
        QTest::keyClick(&k.window, Qt::Key_Escape);
    });
    EXPECT_FALSE(k.window.Run(k.logic));

    // Once Run has returned the keys no longer reach the keypad.
    k.Click({"PUSH"});
    EXPECT_EQ(k.logic.KeyCount(), 6);
}
