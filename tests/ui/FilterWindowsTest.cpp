// The equaliser, crossover and SUB Reinforcement windows as the user meets them: opened from
// the main window of the running program and driven through their real widgets offscreen.
// The arithmetic of each control is the editors'; here, that every widget reaches its
// editor and that the window, the plot and the coefficient viewer show what came back.
#include "ui/RunningProgram.h"

#include "dsp/PeqRules.h"
#include "ui/ChannelSelectors.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/CrossoverWindow.h"
#include "ui/EqualiserWindow.h"
#include "ui/LoudnessWindow.h"
#include "ui/ResponsePlotPanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

using namespace veld23;
using commands::EditorWindow;
using FilterWindows = veld23::testing::OfflineProgram;

TEST_F(FilterWindows, EqualiserBandEditedByFieldsSliderKeysAndPlot) {
    Open(EditorWindow::Peq, 1);
    EqualiserWindow& window = program->Equaliser();
    ASSERT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Selectors()->ModifyButton(1)->isChecked());
    const PeqBand& band = Config().Peq[0].Band(3);

    window.BandNumber()->setValue(3);
    QTest::keyClick(window.TypeList(), Qt::Key_Down); // "Parametric Q Adap"
    EXPECT_EQ(band.SectionType, kParametricQAdap);
    Type(window.FrequencyField(), "1000");
    EXPECT_EQ(band.Frequency, 1000.0);
    window.GainSlider()->setValue(93);
    EXPECT_EQ(band.GainDb, 3.0);
    QTest::keyClick(window.GainField()->Edit(), Qt::Key_Up);
    QTest::keyClick(window.QualityField()->Edit(), Qt::Key_Up);
    EXPECT_EQ(band.GainDb, 3.1);
    EXPECT_EQ(band.Q, 0.8);
    EXPECT_EQ(window.GainField()->Edit()->text(), "3.1");
    const PlotModel& plot = *window.PlotPanel()->Plot()->Model();
    EXPECT_NEAR(CurveAt(plot, 1, 1000.0), 3.1, 0.1);
    EXPECT_EQ(program->CoefficientViewer().FieldText(0),
              QString::number(static_cast<double>(band.b0), 'f', 6));

    // Near the band's point the pointer becomes a hand (the drag is followed with its undo).
    ResponsePlotWidget* widget = window.PlotPanel()->Plot();
    QTest::mouseMove(widget, PixelOf(widget, 1000.0, 3.1));
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(window.PlotPanel()->PhaseButton(), Qt::LeftButton);
    EXPECT_EQ(plot.YAxis().Title, "Phase");
    EXPECT_TRUE(window.PlotPanel()->PhaseButton()->isChecked()); // after the refill too

    // "IIR Coeff" shows the coefficient panel, and only that type.
    QTest::keyClick(window.TypeList(), Qt::Key_End);
    EXPECT_TRUE(window.CoefficientPanel()->isVisible());
    Type(window.CoefficientField(0), "0.5");
    EXPECT_EQ(band.b0, 0.5L);
    EXPECT_EQ(program->CoefficientViewer().FieldText(0), "0.500000");
    QTest::keyClick(window.TypeList(), Qt::Key_Up); // "HiPass Q"
    EXPECT_FALSE(window.CoefficientPanel()->isVisible());
    EXPECT_FALSE(window.GainField()->isEnabled());

    // Escape hides; the PEQ 2 button brings the window back on the other equaliser.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    Open(EditorWindow::Peq, 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Selectors()->ModifyButton(2)->isChecked());
    EXPECT_EQ(plot.Title(), "OUT 2 Equalization");
}

TEST_F(FilterWindows, CrossoverSoloAndTopology) {
    // Two outputs: the second output's selector is away until there are three.
    Open(EditorWindow::Crossover, 1);
    CrossoverWindow& window = program->Crossover();
    ASSERT_TRUE(window.isVisible());
    EXPECT_FALSE(window.Selectors()->ModifyButton(2)->isVisibleTo(&window));
    program->Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    Open(EditorWindow::Crossover, 2);
    EXPECT_TRUE(window.Selectors()->ModifyButton(2)->isChecked());
    EXPECT_EQ(window.ColumnsCaption()->text(), "CrossOver 2");
    const TXOVER& xover = Config().Crossovers[1];
    const auto& L = window.ColumnOf(XoverSide::HighPass);
    const auto& H = window.ColumnOf(XoverSide::LowPass);
    const PlotModel& plot = *window.PlotPanel()->Plot()->Model();

    QTest::keyClick(H.family, Qt::Key_Down); // "ButtW"
    EXPECT_NE(xover.LowPass.Family, kXoverBypass);
    EXPECT_LT(CurveAt(plot, 2, 20000.0), -10.0);
    Type(L.frequency, "20");
    QTest::keyClick(L.frequency->Edit(), Qt::Key_Up);
    EXPECT_EQ(xover.HighPass.Frequency, 21.0);

    // Solo L holds column H at ByPass and disables it; the order field reaches column L.
    QTest::mouseClick(L.solo, Qt::LeftButton);
    EXPECT_EQ(H.family->currentText(), "ByPass");
    EXPECT_FALSE(H.family->isEnabled());
    QTest::keyClick(L.family, Qt::Key_Down);
    QTest::keyClick(L.order->Edit(), Qt::Key_Up);
    EXPECT_EQ(xover.HighPass.Order, 4);
    EXPECT_NEAR(CurveAt(plot, 2, 20000.0), 0.0, 0.1);
    QTest::mouseClick(L.solo, Qt::LeftButton);
    EXPECT_EQ(H.family->currentText(), "ButtW");
    EXPECT_TRUE(H.family->isEnabled());
}

TEST_F(FilterWindows, SubCurveFollowsTheSubReinforcement) {
    program->Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    Open(EditorWindow::Crossover, 3);
    const PlotModel& plot = *program->Crossover().PlotPanel()->Plot()->Model();
    const double flat = CurveAt(plot, 3, 55.0);

    Open(EditorWindow::Loudness, 3);
    LoudnessWindow& window = program->Loudness();
    ASSERT_TRUE(window.isVisible());
    window.GainSlider()->setValue(1); // +11.9 dB
    EXPECT_EQ(Config().Loudness[0].GainDb, 11.9);
    EXPECT_EQ(window.GainDisplay()->text(), "11.9");
    EXPECT_NEAR(CurveAt(plot, 3, 55.0) - flat, 11.9, 0.3);
    QTest::keyClick(window.FrequencySlider(), Qt::Key_Up); // one hertz up
    EXPECT_EQ(Config().Loudness[0].Frequency, 56.0);
    EXPECT_EQ(window.FrequencyDisplay()->text(), "56");
    QTest::mouseClick(window.HighPassButton(), Qt::LeftButton);
    EXPECT_FALSE(window.ParamButton()->isChecked());
    EXPECT_LT(CurveAt(plot, 3, 25.0), flat - 6.0); // a high-pass now
}
