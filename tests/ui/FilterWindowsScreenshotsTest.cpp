// Pictures of the equaliser, crossover and SUB Reinforcement windows in a three-output
// configuration with something to see, for looking at them. Written only when
// VELD23_SCREENSHOT_DIR names a folder (the screenshots target sets it).
#include "ui/ScriptedDialogs.h"

#include "ui/ConnectDialogWindow.h"
#include "ui/CrossoverWindow.h"
#include "ui/DarkTheme.h"
#include "ui/EditorProgram.h"
#include "ui/EqualiserWindow.h"
#include "ui/LoudnessWindow.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowSignalChain.h"
#include "ui/ResponsePlotPanel.h"
#include "ui/ResponsePlotWidget.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace veld23;
using commands::EditorWindow;

namespace {

QString ScreenshotDir() {
    const char* dir = std::getenv("VELD23_SCREENSHOT_DIR");
    return dir == nullptr ? QString() : QString::fromLocal8Bit(dir);
}

bool Save(const QPixmap& picture, const QString& name) {
    return !picture.isNull() && QDir().mkpath(ScreenshotDir()) &&
           picture.save(QDir(ScreenshotDir()).filePath(name + ".png"));
}

class FilterWindowsScreenshots : public ::testing::Test {
  protected:
    void SetUp() override {
        if (ScreenshotDir().isEmpty()) {
            GTEST_SKIP() << "VELD23_SCREENSHOT_DIR not set";
        }
        ApplyDarkTheme(*qApp);
        program = std::make_unique<EditorProgram>(dialogs, EditorProgram::Options{});
        program->SetEndHandler([] {});
        program->Start();
        QTest::mouseClick(program->ConnectWindow().Selector(link::LinkIndicator::Offline),
                          Qt::LeftButton);
        program->Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    }

    void Press(EditorWindow window, char channel = 0) {
        for (const auto& editor : program->Main().SignalChain().EditorButtons()) {
            if (editor.window == window && (channel == 0 || editor.channel == channel)) {
                QTest::mouseClick(editor.button, Qt::LeftButton);
                return;
            }
        }
    }

    // The pointer resting over the plot, so the readout shows a value.
    static void Hover(ResponsePlotPanel* panel, double hz, double value) {
        ResponsePlotWidget* plot = panel->Plot();
        const auto pixel =
            plot->Model()->Geometry(plot->width(), plot->height()).ToPixel({hz, value});
        if (pixel) {
            QTest::mouseMove(plot, QPoint(qRound(pixel->x), qRound(pixel->y)));
        }
    }

    static QPixmap Grab(QWidget& window) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(30);
        return window.grab();
    }

    // Two windows as they stand beside each other on the screen.
    static QPixmap SideBySide(const QPixmap& left, const QPixmap& right) {
        constexpr qreal kGap = 16.0;
        const QSizeF a = left.deviceIndependentSize();
        const QSizeF b = right.deviceIndependentSize();
        const qreal ratio = left.devicePixelRatio();
        QPixmap both(
            (QSizeF(a.width() + kGap + b.width(), std::max(a.height(), b.height())) * ratio)
                .toSize());
        both.setDevicePixelRatio(ratio);
        both.fill(QColor(0x20, 0x20, 0x20));
        QPainter painter(&both);
        painter.drawPixmap(QPointF(0.0, 0.0), left);
        painter.drawPixmap(QPointF(a.width() + kGap, 0.0), right);
        painter.end();
        return both;
    }

    veld23::testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
};

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

} // namespace

TEST_F(FilterWindowsScreenshots, Equaliser) {
    EqualiserEditor& editor = program->Editors().equaliser;
    Shape(editor, 2, {{1, 6, 40, 0, 1}, {2, 1, 400, -4.5, 2}, {3, 4, 8000, 3, 1}});
    Shape(editor, 1,
          {{1, 3, 90, 4, 1}, {2, 1, 250, -3, 4}, {4, 2, 6000, -2, 2}, {3, 1, 1200, 5, 1}});
    Press(EditorWindow::Peq, '1');
    EqualiserWindow& window = program->Equaliser();
    Hover(window.PlotPanel(), 1200.0, 6.0);
    EXPECT_TRUE(Save(Grab(window), "equaliser"));

    editor.SelectBand(5);
    editor.ChooseType(13); // "IIR Coeff"
    for (int k = 0; k < 5; ++k) {
        static const char* const coefficients[] = {"0.98", "-1.91", "0.93", "1.91", "-0.91"};
        editor.SetCoefficientText(k, coefficients[k]);
    }
    editor.CoefficientsLeave();
    window.Refresh();
    EXPECT_TRUE(Save(Grab(window), "equaliser-iir"));

    editor.SelectBand(3);
    QTest::mouseClick(window.PlotPanel()->PhaseButton(), Qt::LeftButton);
    Hover(window.PlotPanel(), 300.0, -40.0);
    EXPECT_TRUE(Save(Grab(window), "equaliser-phase"));
    window.hide();
}

TEST_F(FilterWindowsScreenshots, CrossoverAndSubReinforcement) {
    CrossoverController& xover = program->Editors().crossover;
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

    LoudnessController& loudness = program->Editors().loudness;
    loudness.SetGainPosition(61);      // +5.9 dB
    loudness.SetFrequencyPosition(35); // 45 Hz

    Press(EditorWindow::Crossover, '1');
    CrossoverWindow& window = program->Crossover();
    Hover(window.PlotPanel(), 90.0, -6.0);
    EXPECT_TRUE(Save(Grab(window), "crossover"));

    xover.ToggleSolo(XoverSide::HighPass);
    xover.OrderUp(XoverSide::HighPass);
    window.Refresh();
    EXPECT_TRUE(Save(Grab(window), "crossover-solo"));
    xover.ToggleSolo(XoverSide::HighPass);

    Press(EditorWindow::Crossover, '3');
    Press(EditorWindow::Loudness);
    const QPixmap sub = Grab(program->Loudness());
    EXPECT_TRUE(Save(SideBySide(sub, Grab(window)), "sub-reinforcement"));
    program->Loudness().hide();
    window.hide();
}
