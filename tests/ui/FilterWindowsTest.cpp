// The equaliser, crossover and SUB Reinforcement windows as the user meets them: opened from
// the main window of the running program and driven through their real widgets offscreen.
// What is checked is what reaches the configuration and the plots.
#include "ui/ScriptedDialogs.h"

#include "dsp/PeqRules.h"
#include "plot/PlotModel.h"
#include "ui/ChannelSelectors.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/CrossoverWindow.h"
#include "ui/EditorProgram.h"
#include "ui/EqualiserWindow.h"
#include "ui/LoudnessWindow.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowSignalChain.h"
#include "ui/ResponsePlotPanel.h"
#include "ui/ResponsePlotWidget.h"
#include "ui/StepField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace veld23;
using commands::EditorWindow;

namespace {

class FilterWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        program = std::make_unique<EditorProgram>(dialogs, EditorProgram::Options{});
        program->SetEndHandler([] {});
        program->Start();
        QTest::mouseClick(program->ConnectWindow().Selector(link::LinkIndicator::Offline),
                          Qt::LeftButton);
    }

    ProcessorConfiguration& Config() { return program->Configuration(); }

    // Presses the main window's button of that editor (and channel digit, where it has one).
    void Press(EditorWindow window, char channel = 0) {
        for (const auto& editor : program->Main().SignalChain().EditorButtons()) {
            if (editor.window == window && (channel == 0 || editor.channel == channel)) {
                ASSERT_TRUE(editor.button->isEnabled());
                QTest::mouseClick(editor.button, Qt::LeftButton);
                return;
            }
        }
        FAIL() << "no such button";
    }

    static void Type(StepField* field, const QString& text) {
        field->Edit()->selectAll();
        QTest::keyClicks(field->Edit(), text);
        QTest::keyClick(field->Edit(), Qt::Key_Return);
    }

    static QPoint PixelOf(ResponsePlotWidget* plot, double hz, double value) {
        const auto pixel =
            plot->Model()->Geometry(plot->width(), plot->height()).ToPixel({hz, value});
        return pixel ? QPoint(qRound(pixel->x), qRound(pixel->y)) : QPoint();
    }

    // The y of a curve at the grid point nearest a frequency.
    static double CurveAt(const PlotModel& plot, int series, double hz) {
        const PlotSeries* curve = plot.FindSeries(series);
        double best = 1e9;
        double y = std::nan("");
        for (const PlotPoint& point : curve->Points()) {
            const double distance = std::abs(std::log(point.x / hz));
            if (distance < best) {
                best = distance;
                y = point.y;
            }
        }
        return y;
    }

    veld23::testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
};

} // namespace

TEST_F(FilterWindows, EqualiserBandEditedByFieldSliderKeysAndDrag) {
    Press(EditorWindow::Peq, '1');
    EqualiserWindow& window = program->Equaliser();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Parametric Equalization");
    EXPECT_TRUE(window.Selectors()->ModifyButton(1)->isChecked());
    EXPECT_EQ(window.Selectors()->ModifyButton(2)->text(), "Out2");
    const PeqBand& band = Config().Peq[0].Band(3);

    window.BandNumber()->setValue(3);
    QTest::keyClick(window.TypeList(), Qt::Key_Down); // "Parametric Q Adap"
    EXPECT_EQ(band.SectionType, kParametricQAdap);
    EXPECT_GE(Config().Peq[0].UsedBands, 3);
    EXPECT_TRUE(window.GainSlider()->isEnabled());

    Type(window.FrequencyField(), "1000");
    EXPECT_EQ(band.Frequency, 1000.0);
    EXPECT_EQ(window.FrequencySlider()->value(), 12632);

    // Slider, then the arrow keys in the gain and Q fields.
    window.GainSlider()->setValue(93);
    EXPECT_EQ(band.GainDb, 3.0);
    QTest::keyClick(window.GainField()->Edit(), Qt::Key_Up);
    QTest::keyClick(window.QualityField()->Edit(), Qt::Key_Up);
    EXPECT_EQ(band.GainDb, 3.1);
    EXPECT_EQ(band.Q, 0.8);
    EXPECT_EQ(window.GainField()->Edit()->text(), "3.1");
    EXPECT_EQ(window.GainSlider()->value(), 92);
    const PlotModel& plot = *window.PlotPanel()->Plot()->Model();
    EXPECT_NEAR(CurveAt(plot, 1, 1000.0), 3.1, 0.1);
    // The coefficient viewer follows the band.
    EXPECT_EQ(program->CoefficientViewer().FieldText(0),
              QString::number(static_cast<double>(band.b0), 'f', 6));

    // Hovering near the band's point offers the hand; dragging moves the band.
    ResponsePlotWidget* widget = window.PlotPanel()->Plot();
    const QPoint grab = PixelOf(widget, 1000.0, 3.1);
    QTest::mouseMove(widget, grab);
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(window.PlotPanel()->Readout()->text().contains(" Hz , "));
    QTest::mousePress(widget, Qt::LeftButton, {}, grab);
    EXPECT_EQ(band.SectionType, kParametricQAdap);
    const QPoint drop = PixelOf(widget, 3000.0, -6.0);
    QTest::mouseMove(widget, drop);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, drop);
    EXPECT_NEAR(band.Frequency, 3000.0, 60.0);
    EXPECT_NEAR(band.GainDb, -6.0, 0.3);
    EXPECT_EQ(window.FrequencyField()->Edit()->text(), QString::number(band.Frequency));
    EXPECT_NEAR(CurveAt(plot, 1, band.Frequency), band.GainDb, 0.15);
    EXPECT_TRUE(window.PlotPanel()->Readout()->text().isEmpty());

    // The phase view shows degrees and a press there grabs nothing.
    QTest::mouseClick(window.PlotPanel()->PhaseButton(), Qt::LeftButton);
    EXPECT_EQ(plot.YAxis().Title, "Phase");
    const double before = band.Frequency;
    QTest::mousePress(widget, Qt::LeftButton, {}, PixelOf(widget, band.Frequency, 0.0));
    QTest::mouseMove(widget, PixelOf(widget, 100.0, 0.0));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, PixelOf(widget, 100.0, 0.0));
    EXPECT_EQ(band.Frequency, before);
    QTest::mouseClick(window.PlotPanel()->MagnitudeButton(), Qt::LeftButton);

    // "IIR Coeff" swaps the captions for the coefficient panel, and only that type.
    QTest::keyClick(window.TypeList(), Qt::Key_End);
    EXPECT_EQ(band.SectionType, kIirCoeff);
    EXPECT_TRUE(window.CoefficientPanel()->isVisible());
    EXPECT_FALSE(window.FrequencySlider()->isEnabled());
    Type(window.CoefficientField(0), "0.5");
    EXPECT_EQ(band.b0, 0.5L);
    EXPECT_EQ(program->CoefficientViewer().FieldText(0), "0.500000");
    QTest::keyClick(window.TypeList(), Qt::Key_Up); // "HiPass Q"
    EXPECT_FALSE(window.CoefficientPanel()->isVisible());
    EXPECT_FALSE(window.GainField()->isEnabled());

    // Escape hides; the PEQ 2 button brings the window back on the other equaliser, and
    // PEQ 1 on the band left behind.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    Press(EditorWindow::Peq, '2');
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Selectors()->ModifyButton(2)->isChecked());
    EXPECT_EQ(plot.Title(), "OUT 2 Equalization");
    Press(EditorWindow::Peq, '1');
    EXPECT_EQ(window.BandNumber()->value(), 3);
    EXPECT_EQ(window.TypeList()->currentText(), "HiPass Q");
    EXPECT_EQ(window.FrequencyField()->Edit()->text(), QString::number(band.Frequency));
}

TEST_F(FilterWindows, CrossoverSoloAndTopology) {
    // Two outputs: the second output's selectors are away.
    Press(EditorWindow::Crossover, '1');
    CrossoverWindow& window = program->Crossover();
    ASSERT_TRUE(window.isVisible());
    EXPECT_FALSE(window.Selectors()->ModifyButton(2)->isVisibleTo(&window));
    program->Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    EXPECT_TRUE(window.Selectors()->ModifyButton(2)->isVisibleTo(&window));

    Press(EditorWindow::Crossover, '2');
    EXPECT_TRUE(window.Selectors()->ModifyButton(2)->isChecked());
    EXPECT_EQ(window.ColumnsCaption()->text(), "CrossOver 2");
    const TXOVER& xover = Config().Crossovers[1];
    const auto& L = window.ColumnOf(XoverSide::HighPass);
    const auto& H = window.ColumnOf(XoverSide::LowPass);
    const PlotModel& plot = *window.PlotPanel()->Plot()->Model();

    QTest::keyClick(H.family, Qt::Key_Down); // "ButtW"
    const std::uint8_t lowPassFamily = xover.LowPass.Family;
    EXPECT_NE(lowPassFamily, kXoverBypass);
    EXPECT_LT(CurveAt(plot, 2, 20000.0), -10.0);
    Type(L.frequency, "20");
    QTest::keyClick(L.frequency->Edit(), Qt::Key_Up);
    EXPECT_EQ(xover.HighPass.Frequency, 21.0);

    // Solo L: column H is held at ByPass and disabled, and column L may take order 4.
    QTest::mouseClick(L.solo, Qt::LeftButton);
    EXPECT_TRUE(L.solo->isChecked());
    EXPECT_EQ(H.family->currentText(), "ByPass");
    EXPECT_FALSE(H.family->isEnabled());
    EXPECT_FALSE(H.frequency->isEnabled());
    QTest::keyClick(L.family, Qt::Key_Down);
    QTest::keyClick(L.order->Edit(), Qt::Key_Up);
    EXPECT_EQ(L.order->Edit()->text(), "4");
    EXPECT_EQ(xover.HighPass.Order, 4);
    EXPECT_NEAR(CurveAt(plot, 2, 20000.0), 0.0, 0.1); // the low-pass is bypassed

    // Escape hides; reopening shows the state left behind. Solo off gives H its family back.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    Press(EditorWindow::Crossover, '2');
    EXPECT_TRUE(L.solo->isChecked());
    EXPECT_EQ(L.order->Edit()->text(), "4");
    QTest::mouseClick(L.solo, Qt::LeftButton);
    EXPECT_EQ(xover.LowPass.Family, lowPassFamily);
    EXPECT_EQ(H.family->currentText(), "ButtW");
    EXPECT_EQ(L.order->Edit()->text(), "2");
    EXPECT_TRUE(H.family->isEnabled());
}

TEST_F(FilterWindows, SubCurveFollowsTheSubReinforcement) {
    program->Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    Press(EditorWindow::Crossover, '3');
    const PlotModel& plot = *program->Crossover().PlotPanel()->Plot()->Model();
    const double flat = CurveAt(plot, 3, 55.0);

    Press(EditorWindow::Loudness);
    LoudnessWindow& window = program->Loudness();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "SUB Reinforcement");
    EXPECT_TRUE(window.ParamButton()->isChecked());
    window.GainSlider()->setValue(1); // +11.9 dB
    EXPECT_EQ(Config().Loudness[0].GainDb, 11.9);
    EXPECT_EQ(window.GainDisplay()->text(), "11.9");
    EXPECT_NEAR(CurveAt(plot, 3, 55.0) - flat, 11.9, 0.3);
    QTest::keyClick(window.FrequencySlider(), Qt::Key_Up); // one hertz up
    EXPECT_EQ(Config().Loudness[0].Frequency, 56.0);
    QTest::mouseClick(window.HighPassButton(), Qt::LeftButton);
    EXPECT_TRUE(window.HighPassButton()->isChecked());
    EXPECT_FALSE(window.ParamButton()->isChecked());
    EXPECT_LT(CurveAt(plot, 3, 25.0), flat - 6.0); // a high-pass now

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    Press(EditorWindow::Loudness);
    EXPECT_EQ(window.GainDisplay()->text(), "11.9");
    EXPECT_EQ(window.FrequencyDisplay()->text(), "56");
    EXPECT_TRUE(window.HighPassButton()->isChecked());
}
