// The editor as the user meets it: started, driven through its real windows offscreen,
// with the message boxes and file dialogs answered by a script.
#include "ui/ScriptedDialogs.h"

#include "commands/CommandTexts.h"
#include "ui/AboutWindow.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/EditorProgram.h"
#include "ui/IndicatorLamp.h"
#include "ui/LoadingFileWindow.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/MainWindowSignalChain.h"
#include "ui/SystemInfoWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace veld23;
using commands::DialogAnswer;

namespace {

const std::string kTitlePrefix(commands::MainWindowCommands::kTitlePrefix);

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = std::make_unique<EditorProgram>(dialogs, EditorProgram::Options{});
        program->SetEndHandler([this] { ended = true; });
        program->Start();
    }

    MainWindow& Main() { return program->Main(); }
    MainWindowCommandBar& Bar() { return Main().CommandBar(); }
    ProcessorConfiguration& Config() { return program->Configuration(); }
    QLineEdit* Label(int label) { return Main().SignalChain().LabelField(label); }
    static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Offline, as the user does to get to the main window without a processor.
    void GoOffline() { Click(program->ConnectWindow().Selector(link::LinkIndicator::Offline)); }
    void TypeName(const QString& name) {
        Main().NameField()->clear();
        QTest::keyClicks(Main().NameField(), name);
    }
    std::string File(const char* name) const { return dir.filePath(name).toStdString(); }
    bool ShownInMain(const char* name) {
        auto* widget = Main().findChild<QWidget*>(name);
        return widget != nullptr && widget->isVisibleTo(&Main());
    }

    veld23::testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
    QTemporaryDir dir;
    bool ended = false;
};

} // namespace

TEST_F(MainWindowTest, StartsWithTheConnectionWindowAndANewTwoOutputConfiguration) {
    EXPECT_TRUE(program->ConnectWindow().isVisible());
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(Config().Topology, OutputTopology::TwoOutputs);
    EXPECT_EQ(Main().NameField()->text(), "NoName");
    const char* labels[] = {"In1", "In2", "Out1", "Out2", "SUB"};
    for (int label = 1; label <= 5; ++label) {
        EXPECT_EQ(Label(label)->text(), labels[label - 1]);
    }
    EXPECT_EQ(Bar().memorySelector->value(), 1);
    EXPECT_EQ(Main().StatusLine()->text(), "No Connected");
    EXPECT_EQ(Main().windowTitle(), "VELD23 - Digital Controller");
    // Two outputs: channel 2's output controls, the route and the SUB filter are away.
    EXPECT_FALSE(Label(4)->isVisibleTo(&Main()));
    EXPECT_FALSE(Main().SignalChain().RouteButton()->isVisibleTo(&Main()));
    EXPECT_FALSE(ShownInMain("routeAmountIn1"));
    EXPECT_TRUE(Label(5)->isVisibleTo(&Main()));
    // Hidden commands stay hidden; the device commands wait for a link.
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{Bar().copyAllButton, Bar().showCoeffButton,
                                         Bar().twoOutputsButton, Bar().threeOutputsButton}) {
        EXPECT_FALSE(hidden->isVisibleTo(&Main())) << hidden->objectName().toStdString();
    }
    EXPECT_FALSE(Bar().writeButton->isEnabled());
    EXPECT_FALSE(Bar().memorySelector->isEnabled());
    // Every editor button has its window now.
    for (const auto& editor : Main().SignalChain().EditorButtons()) {
        EXPECT_TRUE(editor.button->isEnabled()) << editor.button->text().toStdString();
    }
    // The first activation has filled the About window.
    EXPECT_TRUE(program->About().Text().startsWith(
        "VELD23  -  24-Bit Digital Signal Processing System.\n\nVELD23 provides"));
    EXPECT_TRUE(program->About().Text().endsWith(QString::fromUtf8("system\u2019s application.")));
    // The connection window: four selectors offered, none lit; COM 1 and COM 2 on the
    // system's first two serial ports; no converter on these machines.
    ConnectDialogWindow& connect = program->ConnectWindow();
    EXPECT_TRUE(connect.Selector(link::LinkIndicator::Usb)->isVisible());
    EXPECT_EQ(connect.UsbNote()->text(), "No USB processor found");
    EXPECT_EQ(connect.PortField(link::ComPortNumber::pnCOM2)->currentText(), "/dev/ttyS1");
    EXPECT_FALSE(connect.Lamp(link::LinkIndicator::Offline)->Lit());
    // Real Time is offered, and off.
    EXPECT_TRUE(Bar().realTimeButton->isVisibleTo(&Main()));
    EXPECT_FALSE(Bar().realTimeButton->isChecked());
    EXPECT_TRUE(Bar().verifyAfterWrite->isChecked());
}

TEST_F(MainWindowTest, OfflineLightsItsLampAndBringsUpTheMainWindow) {
    GoOffline();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_FALSE(program->ConnectWindow().isVisible());
    EXPECT_TRUE(program->ConnectWindow().Lamp(link::LinkIndicator::Offline)->Lit());
    EXPECT_FALSE(program->ConnectWindow().Lamp(link::LinkIndicator::Com1)->Lit());
    EXPECT_EQ(Main().StatusLine()->text(), "Status : Offline");
    EXPECT_FALSE(Bar().readButton->isEnabled());
    // Connect brings the connection window back.
    Click(Bar().connectButton);
    EXPECT_TRUE(program->ConnectWindow().isVisible());
}

TEST_F(MainWindowTest, NewAsksFirstAndOnlyGoesOnWhenNothingIsLost) {
    GoOffline();
    TypeName("Hall A");
    ASSERT_EQ(Config().SystemInformation.SystemName, "Hall A");

    dialogs.answers = {DialogAnswer::Cancel};
    Click(Bar().newButton);
    EXPECT_EQ(dialogs.Logged("question:"),
              std::vector<std::string>{"Do you want to save the present configuration?"});
    EXPECT_EQ(Config().SystemInformation.SystemName, "Hall A");

    // Yes, then the save dialog cancelled: nothing was saved, so nothing is discarded.
    dialogs.answers = {DialogAnswer::Yes};
    dialogs.savePaths = {std::nullopt};
    Click(Bar().newButton);
    EXPECT_EQ(Config().SystemInformation.SystemName, "Hall A");
    EXPECT_EQ(Main().NameField()->text(), "Hall A");

    dialogs.answers = {DialogAnswer::No};
    Click(Bar().newButton);
    EXPECT_EQ(Config().SystemInformation.SystemName, "NoName");
    EXPECT_EQ(Main().NameField()->text(), "NoName");
    EXPECT_TRUE(dialogs.Logged("save:").size() == 1); // only the one that was cancelled

    TypeName("Hall B");
    EXPECT_EQ(Main().windowTitle(), "VELD23 - Digital Controller *");
    dialogs.answers = {DialogAnswer::Yes};
    dialogs.savePaths = {File("hall-b.v23")};
    Click(Bar().newButton);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("hall-b.v23")));
    EXPECT_EQ(Config().SystemInformation.SystemName, "NoName");
    // The new configuration is no file yet.
    EXPECT_EQ(Main().windowTitle(), "VELD23 - Digital Controller");
    EXPECT_EQ(Config().Topology, OutputTopology::TwoOutputs);
    // Nothing to lose: no question.
    const std::size_t asked = dialogs.Logged("question:").size();
    Click(Bar().newButton);
    EXPECT_EQ(dialogs.Logged("question:").size(), asked);
}

TEST_F(MainWindowTest, CancelledOpenDialogLeavesANewConfiguration) {
    GoOffline();
    Bar().threeOutputsButton->click();
    TypeName("Before");
    QTest::keyClicks(Label(1), "X");
    Click(Main().SignalChain().RouteButton());
    ASSERT_EQ(Config().Routing.RouteState, 0);
    Click(Main().SignalChain().RouteButton());
    ASSERT_EQ(Config().Routing.RouteState, 1);
    EXPECT_EQ(Main().findChild<QLineEdit*>("routeAmountIn1")->text(), "1");

    dialogs.answers = {DialogAnswer::No};
    dialogs.openPaths = {std::nullopt};
    Click(Bar().openButton);
    EXPECT_EQ(dialogs.Logged("open:"), std::vector<std::string>{"Open File"});
    EXPECT_EQ(Main().NameField()->text(), "NoName");
    EXPECT_EQ(Label(1)->text(), "In1");
    EXPECT_EQ(Main().findChild<QLineEdit*>("routeAmountIn1")->text(), "0.5");
    EXPECT_EQ(Main().windowTitle(), "VELD23 - Digital Controller");
    EXPECT_TRUE(Main().isVisible());

    // Cancel at the question: not even the dialog comes up.
    TypeName("Kept");
    dialogs.answers = {DialogAnswer::Cancel};
    Click(Bar().openButton);
    EXPECT_EQ(dialogs.Logged("open:").size(), 1u);
    EXPECT_EQ(Main().NameField()->text(), "Kept");
}

TEST_F(MainWindowTest, OpenShowsTheSavedValuesAndNamesTheFile) {
    GoOffline();
    Bar().threeOutputsButton->click();
    TypeName("Stage Left");
    const char* labels[] = {"Kick", "Vox", "Top L", "Top R", "Bass"};
    for (int label = 1; label <= 5; ++label) {
        Label(label)->clear();
        QTest::keyClicks(Label(label), labels[label - 1]);
    }
    program->Editors().levels.ToggleMute(3);
    dialogs.savePaths = {File("stage.v13")};
    Click(Bar().saveButton);
    EXPECT_EQ(Main().windowTitle().toStdString(), kTitlePrefix + "stage.v13");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const commands::FileDialogRequest& save = dialogs.fileRequests[0];
    EXPECT_EQ(save.title, "Save File");
    EXPECT_EQ(save.fileName, "NoName");
    EXPECT_EQ(save.defaultExtension, "v13");
    ASSERT_EQ(save.filters.size(), 3u);
    EXPECT_EQ(save.filters[0].caption, "VELD23 Files *.v23");
    EXPECT_EQ(save.filters[1].pattern, "*.v13");
    EXPECT_EQ(save.filters[2].caption, "All Files *.*");

    dialogs.answers = {DialogAnswer::No, DialogAnswer::No};
    Click(Bar().newButton);
    ASSERT_EQ(Main().NameField()->text(), "NoName");
    ASSERT_FALSE(Main().SignalChain().RouteButton()->isVisibleTo(&Main()));
    dialogs.openPaths = {File("stage.v13")};
    Click(Bar().openButton);

    EXPECT_EQ(Main().NameField()->text(), "Stage Left");
    for (int label = 1; label <= 5; ++label) {
        EXPECT_EQ(Label(label)->text(), labels[label - 1]);
    }
    EXPECT_EQ(Main().windowTitle().toStdString(), kTitlePrefix + "stage.v13");
    EXPECT_EQ(Config().Topology, OutputTopology::ThreeOutputs);
    EXPECT_TRUE(Main().SignalChain().RouteButton()->isVisibleTo(&Main()));
    EXPECT_TRUE(Label(4)->isVisibleTo(&Main()));
    // The muted SUB: its MUTE shown and its label locked; the others untouched.
    EXPECT_TRUE(ShownInMain("muteMarker3"));
    EXPECT_FALSE(ShownInMain("muteMarker1"));
    EXPECT_FALSE(Label(5)->isEnabled());
    EXPECT_TRUE(Label(3)->isEnabled());
    EXPECT_FALSE(program->Loading().isVisible());
    EXPECT_FALSE(Main().isMinimized());
    EXPECT_TRUE(dialogs.Logged("error:").empty());
}

TEST_F(MainWindowTest, ARefusedFileLeavesANewConfigurationNamedByNoFile) {
    GoOffline();
    QFile bad(dir.filePath("short.v23"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(2227, '\0'));
    bad.close();
    TypeName("Mine");
    dialogs.savePaths = {File("mine.v13")};
    Click(Bar().saveButton);
    ASSERT_EQ(Main().windowTitle().toStdString(), kTitlePrefix + "mine.v13");
    dialogs.openPaths = {File("short.v23")};
    Click(Bar().openButton);
    ASSERT_EQ(dialogs.Logged("error:").size(), 1u);
    EXPECT_NE(dialogs.Logged("error:")[0].find("short.v23 is not a VELD23 File"),
              std::string::npos);
    EXPECT_EQ(Main().NameField()->text(), "NoName");
    EXPECT_EQ(Main().windowTitle(), "VELD23 - Digital Controller");
    EXPECT_TRUE(dialogs.Logged("question:").empty()); // mine.v13 held everything
}

TEST_F(MainWindowTest, TwentyPresetClicksRevealCopyAllAndActivationRestartsTheCount) {
    GoOffline();
    for (int i = 0; i < 19; ++i) {
        Click(Main().PresetCaption());
    }
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&Main(), &activate);
    // Quick clicks come in pairs whose second click is a double-click: each counts.
    const auto quickPair = [this] {
        QWidget* caption = Main().PresetCaption();
        const QPointF at(caption->rect().center());
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, caption->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(caption, &event);
        }
    };
    for (int i = 0; i < 9; ++i) {
        quickPair();
    }
    Click(Main().PresetCaption());
    EXPECT_FALSE(Bar().copyAllButton->isVisibleTo(&Main()));
    Click(Main().PresetCaption());
    EXPECT_TRUE(Bar().copyAllButton->isVisibleTo(&Main()));
    EXPECT_EQ(Bar().copyAllButton->text(), "Copiar todas las memorias igual");
    // Offline it is shown but cannot run.
    EXPECT_FALSE(Bar().copyAllButton->isEnabled());
    for (int i = 0; i < 20; ++i) {
        Click(Main().PresetCaption());
    }
    EXPECT_TRUE(Bar().copyAllButton->isVisibleTo(&Main()));
}

TEST_F(MainWindowTest, ClosingAsksOnlyAfterAChangeAndCancelKeepsTheProgram) {
    const std::string closing = commands::texts::kClosingQuestion;
    GoOffline();
    QTest::keyClicks(Label(1), "X");
    dialogs.answers = {DialogAnswer::Cancel};
    program->ConnectWindow().close();
    EXPECT_FALSE(ended);
    EXPECT_EQ(dialogs.Logged("question:"), std::vector<std::string>{closing});

    // Yes with the save dialog cancelled: still running, nothing lost.
    dialogs.answers = {DialogAnswer::Yes};
    dialogs.savePaths = {std::nullopt};
    Main().close();
    EXPECT_FALSE(ended);
    EXPECT_TRUE(Main().isVisible());

    dialogs.answers = {DialogAnswer::Yes};
    dialogs.savePaths = {File("last.v23")};
    Main().close();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("last.v23")));
    EXPECT_FALSE(Main().isVisible());
}

TEST_F(MainWindowTest, ClosingRightAfterOpeningAFileAsksNothing) {
    GoOffline();
    TypeName("Kept");
    dialogs.savePaths = {File("kept.v23")};
    Click(Bar().saveButton);
    Click(Bar().newButton);
    dialogs.openPaths = {File("kept.v23")};
    Click(Bar().openButton);
    ASSERT_EQ(Main().windowTitle().toStdString(), kTitlePrefix + "kept.v23");
    const std::size_t asked = dialogs.Logged("question:").size();
    Main().close();
    EXPECT_TRUE(ended);
    EXPECT_EQ(dialogs.Logged("question:").size(), asked);
}

TEST_F(MainWindowTest, TopologyHidesAndShowsTheSecondChannel) {
    GoOffline();
    program->Editors().levels.ToggleMute(2);
    Bar().threeOutputsButton->click();
    EXPECT_TRUE(Label(4)->isVisibleTo(&Main()));
    EXPECT_TRUE(Main().SignalChain().RouteButton()->isVisibleTo(&Main()));
    EXPECT_TRUE(ShownInMain("muteMarker2"));
    int shownEditors = 0;
    for (const auto& editor : Main().SignalChain().EditorButtons()) {
        shownEditors += editor.button->isVisibleTo(&Main()) ? 1 : 0;
    }
    EXPECT_EQ(shownEditors, 2 + 1 + 3 * 4); // PEQs, SUB filter, four blocks per output

    Bar().twoOutputsButton->click();
    EXPECT_FALSE(Label(4)->isVisibleTo(&Main()));
    EXPECT_FALSE(ShownInMain("muteMarker2"));
    EXPECT_FALSE(Main().SignalChain().RouteButton()->isVisibleTo(&Main()));
    shownEditors = 0;
    for (const auto& editor : Main().SignalChain().EditorButtons()) {
        shownEditors += editor.button->isVisibleTo(&Main()) ? 1 : 0;
        EXPECT_EQ(editor.button->isVisibleTo(&Main()), editor.output != 2 && !editor.subPathOnly);
    }
    EXPECT_EQ(shownEditors, 2 + 2 * 4);
    EXPECT_EQ(Config().Routing.RouteState, 2);
}

TEST_F(MainWindowTest, EditorButtonsRecordTheirChannelOnceTheWindowExists) {
    GoOffline();
    Bar().threeOutputsButton->click();
    QWidget crossover;
    QWidget dynamics;
    program->RegisterEditorWindow(commands::EditorWindow::Crossover, &crossover);
    program->RegisterEditorWindow(commands::EditorWindow::Dynamics, &dynamics);
    const auto find = [this](commands::EditorWindow window, int output) -> QPushButton* {
        for (const auto& editor : Main().SignalChain().EditorButtons()) {
            if (editor.window == window && editor.output == output) {
                return editor.button;
            }
        }
        return nullptr;
    };
    Click(find(commands::EditorWindow::Crossover, 3));
    EXPECT_TRUE(crossover.isVisible());
    EXPECT_EQ(program->Commands().Selection().channel, '3');
    // The SUB's dynamics button carries 5, the others their output.
    Click(find(commands::EditorWindow::Dynamics, 3));
    EXPECT_EQ(program->Commands().Selection().channel, '5');
    Click(find(commands::EditorWindow::Dynamics, 2));
    EXPECT_EQ(program->Commands().Selection().channel, '2');
    EXPECT_TRUE(dynamics.isVisible());

    // A new configuration closes the editor windows.
    dialogs.answers = {DialogAnswer::No};
    Click(Bar().newButton);
    EXPECT_FALSE(crossover.isVisible());
    EXPECT_FALSE(dynamics.isVisible());
    EXPECT_TRUE(Main().isVisible());
}
