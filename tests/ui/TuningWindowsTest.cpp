// Undo, redo, A/B and copy as the user meets them in the running program's windows,
// offscreen: the keys work in the editor window, the Edit menu names the steps, and the
// windows show what came back.
#include "ui/RunningProgram.h"

#include "dsp/PeqRules.h"
#include "ui/ChannelCopyButtons.h"
#include "ui/ComparisonBar.h"
#include "ui/EditMenuBar.h"
#include "ui/EqualiserWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/ResponsePlotPanel.h"

#include <QAction>
#include <QComboBox>

using namespace veld23;
using commands::DialogAnswer;
using commands::EditorWindow;
using TuningWindows = veld23::testing::OfflineProgram;

TEST_F(TuningWindows, CtrlZAfterADragThenRedoCopyAndAB) {
    Open(EditorWindow::Peq, 1);
    EqualiserWindow& window = program->Equaliser();
    ASSERT_TRUE(window.isVisible());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const PeqBand& band = Config().Peq[0].Band(1);
    EditMenuBar& menu = Main().EditMenu();

    QTest::keyClick(window.TypeList(), Qt::Key_Down); // "Parametric Q Adap"
    ASSERT_EQ(band.SectionType, kParametricQAdap);
    // A drag of many moves, from press to release.
    ResponsePlotWidget* plot = window.PlotPanel()->Plot();
    QTest::mousePress(plot, Qt::LeftButton, {}, PixelOf(plot, 1000.0, 0.0));
    for (int i = 1; i <= 40; ++i) {
        QTest::mouseMove(plot, PixelOf(plot, 1000.0 + 50.0 * i, -0.15 * i));
    }
    QTest::mouseRelease(plot, Qt::LeftButton, {}, PixelOf(plot, 3000.0, -6.0));
    const double droppedHz = band.Frequency;
    ASSERT_NEAR(droppedHz, 3000.0, 60.0);
    EXPECT_NEAR(band.GainDb, -6.0, 0.3);
    EXPECT_EQ(window.FrequencyField()->Edit()->text(), QString::number(droppedHz));

    // Ctrl+Z in the equaliser window takes the whole drag back, and the window shows it.
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(band.Frequency, 1000.0);
    EXPECT_EQ(band.GainDb, 0.0);
    EXPECT_EQ(window.FrequencyField()->Edit()->text(), "1000");
    EXPECT_EQ(menu.UndoAction()->text(), "&Undo PEQ 1 band 1 type");
    EXPECT_EQ(menu.RedoAction()->text(), "&Redo PEQ 1 band 1 frequency and gain");
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(band.Frequency, droppedHz);

    // Typing into a field until Enter is one step; Ctrl+Z there is the program's.
    StepField* frequency = window.FrequencyField();
    QTest::mouseClick(frequency->Edit(), Qt::LeftButton);
    frequency->Edit()->selectAll();
    QTest::keyClicks(frequency->Edit(), "250");
    QTest::keyClick(frequency->Edit(), Qt::Key_Return);
    ASSERT_EQ(band.Frequency, 250.0);
    QTest::keyClick(frequency->Edit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(band.Frequency, droppedHz);
    EXPECT_EQ(frequency->Edit()->text(), QString::number(droppedHz));

    // Copy PEQ 1 -> PEQ 2 is one step.
    ChannelCopyButtons* copy = window.CopyButtons();
    ASSERT_NE(copy, nullptr);
    QTest::mouseClick(copy->Button(0), Qt::LeftButton);
    const PeqBand& copied = Config().Peq[1].Band(1);
    EXPECT_EQ(copied.Frequency, droppedHz);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(copied.SectionType, kBypass);

    // A/B from the main window: the switch restores the other slot, the title tells which.
    MainWindow& main = Main();
    ComparisonBar& ab = main.Comparison();
    EXPECT_FALSE(ab.SwitchButton()->isEnabled());
    QTest::mouseClick(ab.StoreButton(1), Qt::LeftButton);
    QTest::mouseClick(main.NameField(), Qt::LeftButton);
    main.NameField()->selectAll();
    QTest::keyClicks(main.NameField(), "Hall");
    QTest::keyClick(main.NameField(), Qt::Key_Return);
    QTest::mouseClick(ab.StoreButton(2), Qt::LeftButton);
    EXPECT_TRUE(main.windowTitle().endsWith("  [B]"));
    EXPECT_EQ(ab.SwitchButton()->text(), "Switch to A");
    QTest::mouseClick(ab.SwitchButton(), Qt::LeftButton);
    EXPECT_EQ(main.NameField()->text(), "NoName");
    EXPECT_TRUE(main.windowTitle().endsWith("  [A]"));

    // New starts the history again, and the menu says so.
    dialogs.answers = {DialogAnswer::No};
    QTest::mouseClick(main.CommandBar().newButton, Qt::LeftButton);
    EXPECT_EQ(menu.UndoAction()->text(), "&Undo (history cleared by New)");
    EXPECT_FALSE(main.windowTitle().contains('['));
}
