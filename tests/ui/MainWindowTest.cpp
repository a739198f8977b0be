// The editor as the user meets it: started, driven through its real windows offscreen,
// with the message boxes and file dialogs answered by a script. What the file commands
// decide is tested with the commands; here, that the windows show it.
#include "ui/RunningProgram.h"

#include "commands/CommandTexts.h"
#include "ui/AboutWindow.h"
#include "ui/IndicatorLamp.h"
#include "ui/LoadingFileWindow.h"
#include "ui/MainWindowCommandBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <fstream>

using namespace veld23;
using commands::DialogAnswer;
using commands::EditorWindow;

namespace {

const std::string kTitle = "VELD23 - Digital Controller";

class MainWindowTest : public veld23::testing::RunningProgram {
  protected:
    void SetUp() override { Start(); }

    MainWindowCommandBar& Bar() { return Main().CommandBar(); }
    QLineEdit* Label(int label) { return Main().SignalChain().LabelField(label); }
    bool Shown(QWidget* widget) { return widget != nullptr && widget->isVisibleTo(&Main()); }
    bool Shown(const char* name) { return Shown(Main().findChild<QWidget*>(name)); }
    std::string Title() { return Main().windowTitle().toStdString(); }
    static void Retype(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }
    std::string File(const char* name) const { return dir.filePath(name).toStdString(); }
    int ShownEditorButtons() {
        int shown = 0;
        for (const auto& editor : Main().SignalChain().EditorButtons()) {
            shown += Shown(editor.button) ? 1 : 0;
        }
        return shown;
    }
    // Quick clicks come in pairs whose second click is a double-click.
    void QuickPresetPair() {
        QWidget* caption = Main().PresetCaption();
        const QPointF at(caption->rect().center());
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, caption->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(caption, &event);
        }
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(MainWindowTest, StartOfflineEditSaveNewOpenRevealAndClose) {
    // The connection window first, over a new two-output configuration.
    ConnectDialogWindow& connect = program->ConnectWindow();
    EXPECT_TRUE(connect.isVisible());
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(connect.UsbNote()->text(), "No USB processor found");
    EXPECT_EQ(connect.PortField(link::ComPortNumber::pnCOM2)->currentText(), "/dev/ttyS1");
    EXPECT_EQ(Main().StatusLine()->text(), "No Connected");
    EXPECT_TRUE(program->About().Text().startsWith("VELD23  -  24-Bit Digital Signal"));

    ChooseLink(link::LinkIndicator::Offline);
    EXPECT_TRUE(Main().isVisible());
    EXPECT_FALSE(connect.isVisible());
    EXPECT_TRUE(connect.Lamp(link::LinkIndicator::Offline)->Lit());
    EXPECT_EQ(Main().StatusLine()->text(), "Status : Offline");
    // The device commands wait for a link; hidden commands stay hidden.
    EXPECT_FALSE(Bar().readButton->isEnabled());
    EXPECT_FALSE(Shown(Bar().copyAllButton));
    EXPECT_TRUE(Bar().verifyAfterWrite->isChecked());
    // Two outputs: channel 2's output, the route and the SUB path's blocks are away.
    EXPECT_FALSE(Shown(Label(4)));
    EXPECT_FALSE(Shown(Main().SignalChain().RouteButton()));
    EXPECT_EQ(ShownEditorButtons(), 2 + 2 * 4);

    Bar().threeOutputsButton->click();
    EXPECT_TRUE(Shown(Label(4)));
    EXPECT_EQ(ShownEditorButtons(), 2 + 1 + 3 * 4); // PEQs, SUB filter, four blocks per output
    EXPECT_EQ(Main().findChild<QLineEdit*>("routeAmountIn1")->text(), "0.5");
    Click(Main().SignalChain().RouteButton()); // IN 1 alone
    EXPECT_EQ(Main().findChild<QLineEdit*>("routeAmountIn1")->text(), "1");
    // Each editor button opens its window on its channel; the SUB's dynamics is 5.
    QWidget crossover;
    QWidget dynamics;
    program->RegisterEditorWindow(EditorWindow::Crossover, &crossover);
    program->RegisterEditorWindow(EditorWindow::Dynamics, &dynamics);
    Click(EditorButton(EditorWindow::Crossover, 3));
    EXPECT_TRUE(crossover.isVisible());
    EXPECT_EQ(program->Commands().Selection().channel, '3');
    Click(EditorButton(EditorWindow::Dynamics, 3));
    EXPECT_TRUE(dynamics.isVisible());
    EXPECT_EQ(program->Commands().Selection().channel, '5');

    // Edited, saved: the title names the file.
    Retype(Main().NameField(), "Stage Left");
    const char* labels[] = {"Kick", "Vox", "Top L", "Top R", "Bass"};
    for (int label = 1; label <= 5; ++label) {
        Retype(Label(label), labels[label - 1]);
    }
    program->Editors().levels.ToggleMute(3);
    EXPECT_EQ(Title(), kTitle + " *");
    dialogs.savePaths = {File("stage.v13")};
    Click(Bar().saveButton);
    EXPECT_EQ(Title(), kTitle + ": stage.v13");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "NoName");

    // New after a change asks first; No discards, and the editor windows close.
    Retype(Main().NameField(), "Changed");
    dialogs.answers = {DialogAnswer::No};
    Click(Bar().newButton);
    EXPECT_EQ(dialogs.Logged("question:").size(), 1u);
    EXPECT_FALSE(crossover.isVisible());
    EXPECT_FALSE(dynamics.isVisible());
    EXPECT_EQ(Main().NameField()->text(), "NoName");
    EXPECT_EQ(Label(1)->text(), "In1");
    EXPECT_EQ(Title(), kTitle);

    // Open shows what was saved.
    dialogs.openPaths = {File("stage.v13")};
    Click(Bar().openButton);
    EXPECT_EQ(Main().NameField()->text(), "Stage Left");
    for (int label = 1; label <= 5; ++label) {
        EXPECT_EQ(Label(label)->text(), labels[label - 1]);
    }
    EXPECT_EQ(Title(), kTitle + ": stage.v13");
    EXPECT_TRUE(Shown(Main().SignalChain().RouteButton()));
    // The muted SUB: its MUTE shown and its label locked; the others untouched.
    EXPECT_TRUE(Shown("muteMarker3"));
    EXPECT_FALSE(Shown("muteMarker1"));
    EXPECT_FALSE(Label(5)->isEnabled());
    EXPECT_FALSE(program->Loading().isVisible());

    // A refused file: its message reaches the user.
    std::ofstream(File("short.v23")) << "short";
    dialogs.openPaths = {File("short.v23")};
    Click(Bar().openButton);
    EXPECT_EQ(dialogs.Logged("error:").size(), 1u);

    // Twenty clicks on PRESET reveal Copy All; activating the window restarts the count,
    // and both clicks of a double-click count.
    for (int i = 0; i < 19; ++i) {
        Click(Main().PresetCaption());
    }
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&Main(), &activate);
    for (int i = 0; i < 9; ++i) {
        QuickPresetPair();
    }
    Click(Main().PresetCaption());
    EXPECT_FALSE(Shown(Bar().copyAllButton));
    Click(Main().PresetCaption());
    EXPECT_TRUE(Shown(Bar().copyAllButton));
    EXPECT_FALSE(Bar().copyAllButton->isEnabled()); // offline it cannot run

    // Closing after a change asks; Cancel keeps the program, Yes saves and ends it.
    QTest::keyClicks(Label(1), "X");
    dialogs.answers = {DialogAnswer::Cancel};
    Main().close();
    EXPECT_FALSE(ended);
    EXPECT_EQ(dialogs.Logged("question:").back(), commands::texts::kClosingQuestion);
    dialogs.answers = {DialogAnswer::Yes};
    dialogs.savePaths = {File("last.v23")};
    Main().close();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("last.v23")));
}
