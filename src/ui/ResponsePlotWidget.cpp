#include "ui/ResponsePlotWidget.h"

#include "plot/PlotGeometry.h"
#include "plot/PlotModel.h"
#include "plot/PlotSeries.h"
#include "ui/PlotPicture.h"
#include "ui/QtText.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace veld23 {

namespace {

// Room for the longest curve (a full response array) plus the breaks between pieces.
constexpr std::size_t kPolylineCapacity = 1024;
// Fonts in pixels: the margins the plots are configured with are pixels too.
constexpr int kLabelPixels = 11;
constexpr int kTitlePixels = 13;
constexpr double kTickLength = 4.0;
constexpr double kLabelGap = 3.0;
// Curve thickness in logical pixels, and how far apart its one-device-pixel passes lie. The
// passes step diagonally, so flat and steep stretches of a curve both come out thicker.
constexpr double kCurveWidth = 1.6;
constexpr double kCurvePassStep = 0.6;

QColor ToQColor(PlotColour c) {
    return QColor(c.r, c.g, c.b);
}

bool SameRuling(const PlotAxis& a, const PlotAxis& b) {
    return a.Min == b.Min && a.Max == b.Max && a.StepSize == b.StepSize &&
           a.LogScale == b.LogScale && a.LabelDecimals == b.LabelDecimals &&
           a.AutoStepping == b.AutoStepping && a.Title == b.Title;
}

// The plot area the margins leave, even when the axes cannot map into it.
QRectF MarginArea(const QRect& widget, const PlotMargins& m) {
    const QRectF area(QPointF(m.left, m.top),
                      QPointF(widget.width() - m.right, widget.height() - m.bottom));
    return area.isValid() ? area : QRectF(widget);
}

QRectF AreaOf(const PlotGeometry& g) {
    return QRectF(QPointF(g.Left(), g.Top()), QPointF(g.Right(), g.Bottom()));
}

} // namespace

ResponsePlotWidget::ResponsePlotWidget(QWidget* parent) : QWidget(parent) {
    polyline_.reserve(kPolylineCapacity);
    labelFont_ = font();
    labelFont_.setPixelSize(kLabelPixels);
    titleFont_ = font();
    titleFont_.setPixelSize(kTitlePixels);
    titleFont_.setBold(true);
    // Readouts follow the pointer without a button held.
    setMouseTracking(true);
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    AddPlotPictureActions(
        *this, [this] { return model_ != nullptr ? texts_.Get(model_->Title()) : QString(); });
}

ResponsePlotWidget::~ResponsePlotWidget() {
    SetModel(nullptr);
}

void ResponsePlotWidget::SetModel(PlotModel* model) {
    if (model_ != nullptr) {
        model_->SetRedrawHandler({});
    }
    model_ = model;
    x_.built = false;
    y_.built = false;
    if (model_ != nullptr) {
        model_->SetRedrawHandler([this] { update(); });
    }
    update();
}

QSize ResponsePlotWidget::sizeHint() const {
    return {520, 300};
}

QSize ResponsePlotWidget::minimumSizeHint() const {
    return {200, 120};
}

void ResponsePlotWidget::mousePressEvent(QMouseEvent* event) {
    Forward(event, Pointer::Down);
}

void ResponsePlotWidget::mouseMoveEvent(QMouseEvent* event) {
    Forward(event, Pointer::Move);
}

void ResponsePlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    Forward(event, Pointer::Up);
}

void ResponsePlotWidget::Forward(QMouseEvent* event, Pointer kind) {
    // The right button opens the context menu, which takes the release: the editor
    // would be left in the middle of a drag.
    if (model_ == nullptr || (kind != Pointer::Move && event->button() != Qt::LeftButton)) {
        return;
    }
    const QPointF at = event->position();
    const PixelPoint pixel{at.x(), at.y()};
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const double w = width();
    const double h = height();
    switch (kind) {
    case Pointer::Down:
        model_->MouseDown(pixel, w, h, shift);
        break;
    case Pointer::Move:
        model_->MouseMove(pixel, w, h, shift);
        break;
    case Pointer::Up:
        model_->MouseUp(pixel, w, h, shift);
        break;
    }
    event->accept();
    ShowPointerState();
    Q_EMIT PointerHandled();
}

void ResponsePlotWidget::ShowPointerState() {
    if (model_->HandPointer() != hand_) {
        hand_ = model_->HandPointer();
        if (hand_) {
            setCursor(Qt::PointingHandCursor);
        } else {
            unsetCursor();
        }
    }
    if (model_->Readout() != readoutBytes_) {
        readoutBytes_ = model_->Readout();
        // Not through the paint's text cache: a new readout on every move would push the
        // title and marks out of it.
        readoutText_ = FromWindows1252(readoutBytes_);
        Q_EMIT ReadoutChanged(readoutText_);
    }
}

void ResponsePlotWidget::Refresh(AxisCache& cache, const PlotAxis& axis) {
    if (cache.built && SameRuling(cache.axis, axis)) {
        return;
    }
    cache.axis = axis;
    cache.built = true;
    axis.Ticks(cache.ticks);
    cache.labels.clear();
    for (const PlotTick& tick : cache.ticks) {
        cache.labels.push_back(tick.labelled ? FromUtf8(axis.Label(tick.value)) : QString());
    }
    cache.title = texts_.Get(axis.Title);
}

void ResponsePlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (model_ == nullptr) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    const PlotColours& colours = model_->Colours();
    painter.fillRect(rect(), ToQColor(colours.margin));
    DrawTitle(painter);
    if (!model_->Caption().empty()) {
        DrawCaption(painter);
        return;
    }
    const PlotGeometry geometry = model_->Geometry(width(), height());
    if (!geometry.Valid()) {
        return;
    }
    Refresh(x_, model_->XAxis());
    Refresh(y_, model_->YAxis());
    painter.fillRect(AreaOf(geometry), ToQColor(colours.background));
    DrawGrid(painter, geometry);
    DrawAxes(painter, geometry);
    DrawCurves(painter, geometry);
    DrawMarks(painter, geometry);
    DrawLabels(painter, geometry);
}

void ResponsePlotWidget::DrawTitle(QPainter& painter) {
    const QString& title = texts_.Get(model_->Title());
    if (title.isEmpty()) {
        return;
    }
    painter.setFont(titleFont_);
    painter.setPen(ToQColor(model_->Colours().text));
    const QRectF band(0.0, 0.0, width(), std::max(model_->Margins().top, 0.0));
    painter.drawText(band, Qt::AlignCenter | Qt::TextDontClip, title);
}

void ResponsePlotWidget::DrawCaption(QPainter& painter) {
    const QRectF area = MarginArea(rect(), model_->Margins());
    painter.fillRect(area, ToQColor(model_->Colours().background));
    painter.setFont(titleFont_);
    painter.setPen(ToQColor(model_->Colours().text));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                     texts_.Get(PlotModel::kInconsistentCaption));
}

void ResponsePlotWidget::DrawGrid(QPainter& painter, const PlotGeometry& g) {
    const QColor grid = ToQColor(model_->Colours().grid);
    QColor minor = grid;
    minor.setAlpha(70);
    QPen major(grid, 0.0, Qt::DotLine);
    QPen faint(minor, 0.0, Qt::DotLine);
    if (x_.axis.Gridlines) {
        for (const PlotTick& tick : x_.ticks) {
            const auto px = g.XScale().ToPixel(tick.value);
            if (px) {
                painter.setPen(tick.labelled ? major : faint);
                painter.drawLine(QPointF(*px, g.Top()), QPointF(*px, g.Bottom()));
            }
        }
    }
    if (y_.axis.Gridlines) {
        for (const PlotTick& tick : y_.ticks) {
            const auto py = g.YScale().ToPixel(tick.value);
            if (py) {
                painter.setPen(tick.labelled ? major : faint);
                painter.drawLine(QPointF(g.Left(), *py), QPointF(g.Right(), *py));
            }
        }
    }
}

void ResponsePlotWidget::DrawAxes(QPainter& painter, const PlotGeometry& g) {
    const PlotColours& colours = model_->Colours();
    painter.setPen(QPen(ToQColor(colours.axes), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(AreaOf(g));
    // The axes cross at the data origin when it lies inside both ranges; a crossing at an
    // edge is the frame itself.
    const bool atZero = model_->CrossAtZero();
    const double xCross = model_->XAxis().CrossingValue(atZero);
    const double yCross = model_->YAxis().CrossingValue(atZero);
    painter.setPen(QPen(ToQColor(colours.cross), 1.0));
    if (xCross != model_->XAxis().Min) {
        if (const auto px = g.XScale().ToPixel(xCross)) {
            painter.drawLine(QPointF(*px, g.Top()), QPointF(*px, g.Bottom()));
        }
    }
    if (yCross != model_->YAxis().Min) {
        if (const auto py = g.YScale().ToPixel(yCross)) {
            painter.drawLine(QPointF(g.Left(), *py), QPointF(g.Right(), *py));
        }
    }
}

void ResponsePlotWidget::DrawCurves(QPainter& painter, const PlotGeometry& g) {
    painter.save();
    painter.setClipRect(AreaOf(g));
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Wide antialiased pens go through Qt's path stroker, several times slower than its
    // one-pixel line drawer; while a band is dragged that is most of the paint. A curve is
    // drawn instead as one-device-pixel lines laid side by side.
    QPen curvePen(Qt::white, 1.0);
    curvePen.setCosmetic(true);
    // The device painted on: a picture at twice the size has twice the pixels.
    const double dpr = painter.device()->devicePixelRatioF();
    const int passes = std::max(1, static_cast<int>(std::lround(kCurveWidth * dpr)));
    const double passStep = kCurvePassStep / dpr;
    for (std::size_t i = 0; i < model_->SeriesCount(); ++i) {
        const PlotSeries& series = model_->SeriesInDrawOrder(i);
        if (!series.Visible() || series.Points().empty()) {
            continue;
        }
        curvePen.setColor(ToQColor(series.Colour()));
        painter.setPen(curvePen);
        for (int pass = 0; pass < passes; ++pass) {
            painter.save();
            painter.translate(pass * passStep, pass * passStep);
            polyline_.clear();
            for (const PlotPoint& point : series.Points()) {
                const auto pixel = g.ToPixel(point);
                if (!pixel) {
                    // A point with no place on the axes breaks the curve there.
                    FlushPolyline(painter);
                    continue;
                }
                polyline_.emplace_back(pixel->x, pixel->y);
            }
            FlushPolyline(painter);
            painter.restore();
        }
    }
    painter.restore();
}

void ResponsePlotWidget::FlushPolyline(QPainter& painter) {
    if (polyline_.size() == 1) {
        painter.drawPoint(polyline_.front());
    } else if (polyline_.size() > 1) {
        painter.drawPolyline(polyline_.data(), static_cast<int>(polyline_.size()));
    }
    polyline_.clear();
}

void ResponsePlotWidget::DrawMarks(QPainter& painter, const PlotGeometry& g) {
    painter.setFont(titleFont_);
    const QRectF area = AreaOf(g);
    for (std::size_t i = 0; i < model_->SeriesCount(); ++i) {
        const PlotSeries& series = model_->SeriesInDrawOrder(i);
        if (!series.Visible()) {
            continue;
        }
        for (const PlotMark& mark : series.Marks()) {
            const auto pixel = g.ToPixel(mark.at);
            if (!pixel || !area.contains(QPointF(pixel->x, pixel->y))) {
                continue;
            }
            // Centred on its point, as a label for the point rather than beside it.
            const QRectF box(pixel->x - 20.0, pixel->y - 10.0, 40.0, 20.0);
            painter.setPen(ToQColor(mark.colour));
            painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, texts_.Get(mark.text));
        }
    }
}

void ResponsePlotWidget::DrawLabels(QPainter& painter, const PlotGeometry& g) {
    const QColor text = ToQColor(model_->Colours().text);
    const QColor axes = ToQColor(model_->Colours().axes);
    painter.setFont(labelFont_);
    const QFontMetricsF metrics(labelFont_);
    const double lineHeight = metrics.height();

    // x: tick marks below the area, labels under them; a label that would run into the one
    // before it is left out, so narrow plots stay legible.
    double lastRight = -1e9;
    for (std::size_t i = 0; i < x_.ticks.size(); ++i) {
        const auto px = g.XScale().ToPixel(x_.ticks[i].value);
        if (!px || x_.labels[i].isEmpty()) {
            continue;
        }
        painter.setPen(axes);
        painter.drawLine(QPointF(*px, g.Bottom()), QPointF(*px, g.Bottom() + kTickLength));
        const double w = metrics.horizontalAdvance(x_.labels[i]);
        const double left = std::clamp(*px - w / 2.0, 0.0, std::max(0.0, width() - w));
        if (left < lastRight + kLabelGap) {
            continue;
        }
        painter.setPen(text);
        painter.drawText(QRectF(left, g.Bottom() + kTickLength, w, lineHeight),
                         Qt::AlignCenter | Qt::TextDontClip, x_.labels[i]);
        lastRight = left + w;
    }
    if (!x_.title.isEmpty()) {
        painter.setPen(text);
        const double top = g.Bottom() + kTickLength + lineHeight;
        painter.drawText(QRectF(g.Left(), top, g.Right() - g.Left(), lineHeight),
                         Qt::AlignCenter | Qt::TextDontClip, x_.title);
    }

    // y: labels right-aligned against the area's left edge, top to bottom.
    double lastTop = 1e9;
    const double labelRight = g.Left() - kTickLength - 2.0;
    for (std::size_t i = 0; i < y_.ticks.size(); ++i) {
        const auto py = g.YScale().ToPixel(y_.ticks[i].value);
        if (!py || y_.labels[i].isEmpty()) {
            continue;
        }
        painter.setPen(axes);
        painter.drawLine(QPointF(g.Left() - kTickLength, *py), QPointF(g.Left(), *py));
        const double top = *py - lineHeight / 2.0;
        if (top + lineHeight > lastTop) {
            continue;
        }
        painter.setPen(text);
        painter.drawText(QRectF(0.0, top, labelRight, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, y_.labels[i]);
        lastTop = top;
    }
    if (!y_.title.isEmpty()) {
        painter.save();
        painter.setPen(text);
        painter.translate(2.0, (g.Top() + g.Bottom()) / 2.0);
        painter.rotate(-90.0);
        const double span = g.Bottom() - g.Top();
        painter.drawText(QRectF(-span / 2.0, 0.0, span, lineHeight),
                         Qt::AlignCenter | Qt::TextDontClip, y_.title);
        painter.restore();
    }
}

} // namespace veld23
