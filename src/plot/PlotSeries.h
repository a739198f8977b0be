#pragma once

#include "plot/PlotTypes.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace veld23 {

class PlotModel;

// One numbered curve of a plot: its points in the order added, the marks drawn on it, its
// colour and whether it is shown. Storage is reserved once for a whole grid curve, so the
// clear-and-refill that runs on every drag step never allocates.
class PlotSeries {
  public:
    // Room for a full curve array; curves are rebuilt in place many times a second.
    static constexpr std::size_t kReservedPoints = 513;
    static constexpr std::size_t kReservedMarks = 4;

    explicit PlotSeries(int number);
    PlotSeries(const PlotSeries&) = delete;
    PlotSeries& operator=(const PlotSeries&) = delete;

    int Number() const { return number_; }
    PlotColour Colour() const { return colour_; }
    bool Visible() const { return visible_; }
    std::span<const PlotPoint> Points() const { return points_; }
    std::span<const PlotMark> Marks() const { return marks_; }
    std::size_t PointCapacity() const { return points_.capacity(); }

    void SetColour(PlotColour colour);
    void SetVisible(bool visible);
    // Drops the points and the marks; the storage stays for the next rebuild.
    void Clear();
    void AddPoint(double x, double y);
    void AddMark(double x, double y, std::string_view text, PlotColour colour);

  private:
    friend class PlotModel;
    void Changed();

    int number_;
    PlotColour colour_ = PlotColour::FromRgb(0xFFFFFF);
    bool visible_ = true;
    std::vector<PlotPoint> points_;
    std::vector<PlotMark> marks_;
    PlotModel* owner_ = nullptr; // told of every change so it can ask for a redraw
};

} // namespace veld23
