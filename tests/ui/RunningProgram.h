#pragma once

#include "ui/ScriptedDialogs.h"

#include "plot/PlotModel.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/EditorProgram.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowSignalChain.h"
#include "ui/ResponsePlotWidget.h"
#include "ui/StepField.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace veld23::testing {

// The editor as the user starts it, with the message boxes and file dialogs answered by
// a script, and what a user does with its widgets.
class RunningProgram : public ::testing::Test {
  protected:
    void Start(EditorProgram::Options options = {}) {
        program = std::make_unique<EditorProgram>(dialogs, std::move(options));
        program->SetEndHandler([this] { ended = true; });
        program->Start();
    }
    void ChooseLink(link::LinkIndicator selector) {
        Click(program->ConnectWindow().Selector(selector));
    }

    ProcessorConfiguration& Config() { return program->Configuration(); }
    MainWindow& Main() { return program->Main(); }
    // The main window's button of that editor in that row: an output's, or an input's for
    // the equalisers.
    QPushButton* EditorButton(commands::EditorWindow window, int row) {
        for (const auto& editor : Main().SignalChain().EditorButtons()) {
            if (editor.window == window && (editor.output == row || editor.tag == row)) {
                return editor.button;
            }
        }
        ADD_FAILURE() << "no such editor button";
        return nullptr;
    }
    void Open(commands::EditorWindow window, int row) {
        QPushButton* button = EditorButton(window, row);
        ASSERT_TRUE(button != nullptr && button->isEnabled());
        Click(button);
    }

    static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    static void Type(StepField* field, const QString& text) {
        field->Edit()->selectAll();
        QTest::keyClicks(field->Edit(), text);
        QTest::keyClick(field->Edit(), Qt::Key_Return);
    }
    static QString Text(StepField* field) { return field->Edit()->text(); }
    static QPoint PixelOf(ResponsePlotWidget* plot, double hz, double value) {
        const auto pixel =
            plot->Model()->Geometry(plot->width(), plot->height()).ToPixel({hz, value});
        return pixel ? QPoint(qRound(pixel->x), qRound(pixel->y)) : QPoint();
    }
    // The y of a curve at the grid point nearest a frequency.
    static double CurveAt(const PlotModel& plot, int series, double hz) {
        double best = 1e9;
        double y = std::nan("");
        for (const PlotPoint& point : plot.FindSeries(series)->Points()) {
            const double distance = std::abs(std::log(point.x / hz));
            if (distance < best) {
                best = distance;
                y = point.y;
            }
        }
        return y;
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
    bool ended = false;
};

// Started, and Offline chosen in the connection window.
class OfflineProgram : public RunningProgram {
  protected:
    void SetUp() override {
        Start();
        ChooseLink(link::LinkIndicator::Offline);
    }
};

} // namespace veld23::testing
