#pragma once

#include "plot/PlotAxis.h"
#include "plot/PlotTypes.h"
#include "ui/PlotTextCache.h"

#include <QFont>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QPainter;

namespace veld23 {

class PlotGeometry;
class PlotModel;

// Draws a plot model and hands the mouse back to it. The widget keeps no plot state of its
// own: every paint reads the model, every mouse event goes to the model with the widget's
// size (the owning editor answers it), and afterwards the widget shows the editor's readout
// and pointer shape. The model asks for redraws; they become update() calls, so a burst of
// changes costs one paint.
//
// A paint allocates nothing of ours while the axes stay put: tick lists, label texts and the
// polyline buffer are kept between paints, which keeps dragging a band smooth.
//
// The context menu saves or copies the picture of the plot, at its size or at twice the
// pixels (PlotPicture.h); only the left button edits.
class ResponsePlotWidget : public QWidget {
    Q_OBJECT

  public:
    explicit ResponsePlotWidget(QWidget* parent = nullptr);
    ~ResponsePlotWidget() override;
    ResponsePlotWidget(const ResponsePlotWidget&) = delete;
    ResponsePlotWidget& operator=(const ResponsePlotWidget&) = delete;

    // The model is not owned. It must outlive the widget, or be swapped out first (the
    // widget installs itself as the model's redraw handler and removes itself again).
    void SetModel(PlotModel* model);
    PlotModel* Model() const { return model_; }

    // The owning editor's "Value at Mouse Position" text after the last mouse event.
    const QString& ReadoutText() const { return readoutText_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  Q_SIGNALS:
    // Emitted when a mouse event leaves a different readout text behind.
    void ReadoutChanged(const QString& text);
    // Emitted after every mouse event the owning editor has answered: a window whose
    // editor changes with the pointer (a band dragged) refills its controls then.
    void PointerHandled();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Ticks and label texts of one axis, rebuilt only when the axis changes.
    struct AxisCache {
        PlotAxis axis;
        bool built = false;
        std::vector<PlotTick> ticks;
        std::vector<QString> labels; // parallel to ticks; empty for unlabelled ticks
        QString title;
    };
    enum class Pointer { Down, Move, Up };

    void Forward(QMouseEvent* event, Pointer kind);
    void ShowPointerState();
    void Refresh(AxisCache& cache, const PlotAxis& axis);

    void DrawTitle(QPainter& painter);
    void DrawCaption(QPainter& painter);
    void DrawGrid(QPainter& painter, const PlotGeometry& geometry);
    void DrawCurves(QPainter& painter, const PlotGeometry& geometry);
    void DrawMarks(QPainter& painter, const PlotGeometry& geometry);
    void DrawAxes(QPainter& painter, const PlotGeometry& geometry);
    void DrawLabels(QPainter& painter, const PlotGeometry& geometry);
    void FlushPolyline(QPainter& painter);

    PlotModel* model_ = nullptr;
    AxisCache x_;
    AxisCache y_;
    PlotTextCache texts_;
    std::vector<QPointF> polyline_;
    QFont labelFont_;
    QFont titleFont_;
    std::string readoutBytes_;
    QString readoutText_;
    bool hand_ = false;
};

} // namespace veld23
