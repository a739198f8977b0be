#pragma once

#include <cstdint>
#include <string>

namespace veld23 {

// A point in data units (hertz, dB, degrees, dBu).
struct PlotPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// A point in the widget's pixel coordinates: x grows to the right, y grows downwards.
struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PlotColour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const PlotColour&, const PlotColour&) = default;

    // 0xRRGGBB, the way colours are written everywhere in this program.
    static constexpr PlotColour FromRgb(std::uint32_t rgb) {
        return {static_cast<std::uint8_t>((rgb >> 16) & 0xFF),
                static_cast<std::uint8_t>((rgb >> 8) & 0xFF),
                static_cast<std::uint8_t>(rgb & 0xFF)};
    }
    constexpr std::uint32_t Rgb() const {
        return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | std::uint32_t{b};
    }
};

// A short text drawn at a data point, e.g. the number of the band being edited.
// Texts are Windows-1252 bytes like every text of the model.
struct PlotMark {
    PlotPoint at;
    std::string text;
    PlotColour colour;
};

struct PlotColours {
    PlotColour background;
    PlotColour margin;
    PlotColour axes;
    PlotColour grid;
    PlotColour cross;
    PlotColour text; // title, captions, tick labels
    friend bool operator==(const PlotColours&, const PlotColours&) = default;
};

// Space between the widget's edges and the plot area, in pixels.
struct PlotMargins {
    double top = 0.0;
    double bottom = 0.0;
    double left = 0.0;
    double right = 0.0;
};

enum class PlotAxisId { X, Y };

} // namespace veld23
