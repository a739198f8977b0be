// The small windows, each through its own widgets: the device image viewer, system
// information, the topology chooser, the transfer progress and the password keypad (the
// coefficient viewer is followed in the equaliser window's scenario).
#include "commands/PasswordKeypad.h"
#include "config/OutputTopology.h"
#include "config/SystemInformation.h"
#include "device/DeviceImage.h"
#include "link/ProcessorSimulator.h"
#include "link/TransferEngine.h"
#include "support/SimulatedLink.h"
#include "ui/DeviceImageWindow.h"
#include "ui/IndicatorLamp.h"
#include "ui/PasswordKeypadWindow.h"
#include "ui/SystemInfoWindow.h"
#include "ui/TopologyChooserWindow.h"
#include "ui/TransferProgressWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace veld23;
using commands::PasswordKeypad;
using commands::PasswordRecord;
using link::SimStep;

// A hex dump: the offset, sixteen bytes a line, and the printable ones as text.
TEST(DeviceImageWindow, ShowsTheImageAsItIsWhenShownAndOnRefresh) {
    std::uint8_t fill = 'A';
    DeviceImageWindow window([&fill] {
        DeviceImage image;
        image.fill(fill);
        image[1] = 0x01;
        return image;
    });
    const auto lines = [&window] { return window.Text().split('\n', Qt::SkipEmptyParts); };
    window.show();
    ASSERT_EQ(lines().size(), 128); // 2047 bytes
    EXPECT_EQ(lines()[0],
              "    0  41 01 41 41 41 41 41 41 41 41 41 41 41 41 41 41  A.AAAAAAAAAAAAAA");
    // The short last line keeps its text column where the full lines have it.
    EXPECT_EQ(lines()[127],
              " 2032  " + QString("41 ").repeated(15) + QString(4, ' ') + QString(15, 'A'));
    fill = 'B';
    QTest::mouseClick(window.findChild<QPushButton*>(), Qt::LeftButton); // Refresh
    EXPECT_TRUE(lines()[0].startsWith("    0  42 01 42")) << lines()[0].toStdString();
}

namespace {

// Typing characters no key of the test keyboard carries, the way an input method hands
// them over: key events that carry the text.
void TypeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

TEST(SystemInfoWindow, EditsGoIntoTheConfigurationHeldToTheirCapacities) {
    SystemInformationTexts texts;
    texts.ProjectName.Clear();
    texts.Comments.Assign(std::string(196, 'z'));
    SystemInfoWindow window{texts};
    window.Refresh();
    QSignalSpy edited(&window, &SystemInfoWindow::SystemNameEdited);
    const auto line = [&window](const char* name) { return window.findChild<QLineEdit*>(name); };
    auto* comments = window.findChild<QPlainTextEdit*>("Comments");

    TypeText(line("ProjectName"), QString::fromUtf8("Gira € Ω"));
    EXPECT_EQ(texts.ProjectName.View(), "Gira \x80 ?"); // the code page has no omega
    QTest::keyClicks(line("ProjectName"), QString(40, 'x'));
    EXPECT_EQ(texts.ProjectName.Length(), 30u);

    // Comments: line breaks are stored as CR LF, two of the 200 characters, and one that
    // no longer fits is dropped whole.
    comments->moveCursor(QTextCursor::End);
    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClicks(comments, "a");
    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClicks(comments, "bcd");
    EXPECT_EQ(texts.Comments.View(), std::string(196, 'z') + "\r\na" + "b");
    EXPECT_EQ(comments->toPlainText(), QString(196, 'z') + "\nab");

    // The preset name is mirrored with the main window's field, without echoes.
    line("PresetName")->end(false);
    QTest::keyClicks(line("PresetName"), "X");
    EXPECT_EQ(texts.SystemName.View(), "NoNameX");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), "NoNameX");
    window.SetSystemName("Main hall");
    EXPECT_EQ(line("PresetName")->text(), "Main hall");
    EXPECT_EQ(edited.count(), 1);
}

TEST(TopologyChooserWindow, EachButtonRunsItsTopologyCommandAfterClosingTheWindow) {
    std::vector<std::string> seen; // the window as each command saw it
    int activations = 0;
    TopologyChooserWindow* chooser = nullptr;
    TopologyChooserWindow window{[&](OutputTopology topology) {
        seen.push_back(std::string(topology == OutputTopology::TwoOutputs ? "two" : "three") +
                       (chooser->isVisible() ? ", shown" : "") +
                       (chooser->LampLit(OutputTopology::TwoOutputs) ? ", two lit" : "") +
                       (chooser->LampLit(OutputTopology::ThreeOutputs) ? ", three lit" : ""));
    }};
    chooser = &window;
    window.SetActivationStep([&] { ++activations; });
    const auto click = [&window](const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    };
    window.show();
    click("ThreeWays");
    window.show();
    click("TwoWays");
    EXPECT_EQ(seen, (std::vector<std::string>{"three, three lit", "two, two lit"}));
    EXPECT_FALSE(window.LampLit(OutputTopology::TwoOutputs)); // both out afterwards
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(activations, 2);

    // The start sequence chooses without showing the window, and so without its reset.
    window.ChooseTwoWays();
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(activations, 2);
    EXPECT_FALSE(window.isVisible());
}

// A transfer engine talking to the simulated processor over COM1, with the real window
// as its progress view.
TEST(TransferProgressWindow, StaysOpenOnAFailureAndFollowsAWriteToItsEnd) {
    veld23::testing::SimulatedLink s;
    TransferProgressWindow window;
    // A short answer time-out keeps the wait before a retry short.
    link::TransferEngine engine{s.link, s.waiter, window, std::chrono::milliseconds(150)};
    s.link.SelectCom(link::ComPortNumber::pnCOM1);
    EXPECT_EQ(window.InfoText(), "Conecting...");

    s.processor.Faults().wrongAt = SimStep::Start;
    s.processor.Faults().wrongValue = 0x81;
    EXPECT_FALSE(engine.RunCommand(0, 0, 0, true));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.InfoText(), QString::fromUtf8("  ¡¡ERROR!! HEADER NO VALID(129)"));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    window.ShowProgress();
    window.TransferFailed();
    QTest::mouseClick(window.CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());

    s.processor.Faults() = {};
    bool shownWhileStoring = false;
    s.processor.SetMemoryStoredListener([&](int) { shownWhileStoring = window.isVisible(); });
    ASSERT_TRUE(engine.WriteMemory(3, veld23::testing::TestImage(2047), false).Succeeded());
    EXPECT_TRUE(shownWhileStoring);
    EXPECT_EQ(window.PortText(), "Comunication Port : COM1");
    EXPECT_EQ(window.GaugeMaximum(), 2048);
    EXPECT_EQ(window.GaugePosition(), 2048);
    EXPECT_EQ(window.InfoText(), "Communication OK...");
    EXPECT_FALSE(window.isVisible());
}

// The keypad's rules are the keypad's; the window shows them and hands every button on.
TEST(PasswordKeypadWindow, ButtonsReachTheKeypadAndOnlyOkConfirms) {
    PasswordKeypad keypad;
    PasswordKeypadWindow window;
    const auto click = [&window](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
        }
    };
    const auto entry = [&window] { return window.findChild<QLineEdit*>("Entry")->text(); };
    const auto lit = [&window] { return window.findChild<IndicatorLamp*>()->Lit(); };

    keypad.Open();
    QTimer::singleShot(0, &window, [&] {
        click({"RIGHT", "LEFT", "PUSH", "PUSH", "LEFT"});
        EXPECT_EQ(entry(), "*****");
        QTest::keyClick(&window, Qt::Key_Return); // five keys cannot confirm
        EXPECT_TRUE(window.isVisible());
        click({"RIGHT", "PasswordActive"});
        EXPECT_TRUE(lit());
        click({"OK"});
    });
    EXPECT_TRUE(window.Run(keypad));
    EXPECT_EQ(keypad.Record(), (PasswordRecord{1, 2, 3, 3, 2, 1, 0xFF}));

    // Clear starts again; Escape declines even with six keys in.
    keypad.Open();
    QTimer::singleShot(0, &window, [&] {
        click({"PUSH", "PasswordActive", "CLEAR"});
        EXPECT_EQ(entry(), "");
        EXPECT_FALSE(lit());
        click({"RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT"});
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_FALSE(window.Run(keypad));
    // Once Run has returned the keys no longer reach the keypad.
    click({"PUSH"});
    EXPECT_EQ(keypad.KeyCount(), 6);
}
