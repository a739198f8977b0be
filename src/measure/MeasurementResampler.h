#pragma once

#include "dsp/Response.h"
#include "measure/MeasuredPoints.h"

namespace veld23 {

// What a grid point outside the measured range shows: far below anything drawn, and no
// phase, so that it drops out of the acoustic sum.
inline constexpr float kOutsideMeasurementDb = -140.0f;

// Interpolates the points (at least two, frequencies rising strictly) straight-line in
// frequency onto every point of the shared grid. Magnitudes become dB relative to the
// reference level; the phase is turned from degrees into radians when asked.
// Grid points below the first or above the last measured frequency get -140 dB and 0 rad;
// points exactly at either end get the measured value.
void ResampleOntoGrid(const MeasuredPoints& points, double referenceLevel, bool degreesToRadians,
                      CurveArray& magnitudeDb, CurveArray& phase);

} // namespace veld23
