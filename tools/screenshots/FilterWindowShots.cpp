// The equaliser, crossover and SUB Reinforcement windows in a three-output configuration
// with something to see.
#include "Shots.h"

#include "ui/CrossoverWindow.h"
#include "ui/EqualiserWindow.h"
#include "ui/LoudnessWindow.h"
#include "ui/ResponsePlotPanel.h"
#include "ui/ResponsePlotWidget.h"

#include <QRadioButton>
#include <QTest>

#include <string>

namespace veld23::shots {
namespace {

using commands::EditorWindow;

// The pointer resting over the plot, so the readout shows a value.
void Hover(ResponsePlotPanel* panel, double hz, double value) {
    ResponsePlotWidget* plot = panel->Plot();
    const auto pixel = plot->Model()->Geometry(plot->width(), plot->height()).ToPixel({hz, value});
    if (pixel) {
        QTest::mouseMove(plot, QPoint(qRound(pixel->x), qRound(pixel->y)));
    }
}

struct BandSetting {
    int band;
    int type;
    double hz;
    double gainDb;
    double q;
};

void Shape(EqualiserEditor& editor, int peq, std::initializer_list<BandSetting> bands) {
    editor.ChooseEqualiser(peq);
    for (const BandSetting& b : bands) {
        editor.SelectBand(b.band);
        editor.ChooseType(b.type);
        editor.SetFrequencyText(std::to_string(b.hz));
        editor.FrequencyEnter();
        editor.SetGainText(std::to_string(b.gainDb));
        editor.GainEnter();
        editor.SetQText(std::to_string(b.q).substr(0, 2));
        editor.QEnter();
    }
}

void ShootEqualiser(OfflineProgram& p, ShotFolder& shots) {
    EqualiserEditor& editor = p.program->Editors().equaliser;
    Shape(editor, 2, {{1, 6, 40, 0, 1}, {2, 1, 400, -4.5, 2}, {3, 4, 8000, 3, 1}});
    Shape(editor, 1,
          {{1, 3, 90, 4, 1}, {2, 1, 250, -3, 4}, {4, 2, 6000, -2, 2}, {3, 1, 1200, 5, 1}});
    p.Press(EditorWindow::Peq, '1');
    EqualiserWindow& window = p.program->Equaliser();
    Hover(window.PlotPanel(), 1200.0, 6.0);
    shots.Save(Grab(window), "equaliser");

    editor.SelectBand(5);
    editor.ChooseType(13); // "IIR Coeff"
    static const char* const coefficients[] = {"0.98", "-1.91", "0.93", "1.91", "-0.91"};
    for (int k = 0; k < 5; ++k) {
        editor.SetCoefficientText(k, coefficients[k]);
    }
    editor.CoefficientsLeave();
    window.Refresh();
    shots.Save(Grab(window), "equaliser-iir");

    editor.SelectBand(3);
    QTest::mouseClick(window.PlotPanel()->PhaseButton(), Qt::LeftButton);
    Hover(window.PlotPanel(), 300.0, -40.0);
    shots.Save(Grab(window), "equaliser-phase");
    window.hide();
}

void ShootCrossover(OfflineProgram& p, ShotFolder& shots) {
    CrossoverController& xover = p.program->Editors().crossover;
    const auto set = [&xover](XoverSide side, int family, const char* hz) {
        xover.ChooseFamily(side, family);
        xover.SetFrequencyText(side, hz);
        xover.FrequencyEnter(side);
    };
    xover.ChooseOutput(3);
    set(XoverSide::HighPass, 1, "25");
    set(XoverSide::LowPass, 2, "90");
    xover.ChooseOutput(2);
    set(XoverSide::LowPass, 1, "16000");
    set(XoverSide::HighPass, 2, "120");
    xover.ChooseOutput(1);
    set(XoverSide::LowPass, 3, "15000");
    set(XoverSide::HighPass, 2, "90");

    LoudnessController& loudness = p.program->Editors().loudness;
    loudness.SetGainPosition(61);      // +5.9 dB
    loudness.SetFrequencyPosition(35); // 45 Hz

    p.Press(EditorWindow::Crossover, '1');
    CrossoverWindow& window = p.program->Crossover();
    Hover(window.PlotPanel(), 90.0, -6.0);
    shots.Save(Grab(window), "crossover");

    xover.ToggleSolo(XoverSide::HighPass);
    xover.OrderUp(XoverSide::HighPass);
    window.Refresh();
    shots.Save(Grab(window), "crossover-solo");
    xover.ToggleSolo(XoverSide::HighPass);

    p.Press(EditorWindow::Crossover, '3');
    p.Press(EditorWindow::Loudness);
    const QPixmap sub = Grab(p.program->Loudness());
    shots.Save(SideBySide(sub, Grab(window)), "sub-reinforcement");
    p.program->Loudness().hide();
    window.hide();
}

} // namespace

void ShootFilterWindows(ShotFolder& shots) {
    OfflineProgram p;
    p.program->Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    ShootEqualiser(p, shots);
    ShootCrossover(p, shots);
}

} // namespace veld23::shots
