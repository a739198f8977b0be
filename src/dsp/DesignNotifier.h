#pragma once

#include <string>

namespace veld23 {

// What a design has to tell the user. Designs never show anything themselves:
// the editor window implements this with a message box, the command-line tool
// writes the text to stderr, tests record the calls.
class DesignNotifier {
  public:
    virtual ~DesignNotifier() = default;

    // A Bessel low-pass was asked for above what its order allows; the half has
    // already been moved to limitHz and is designed there.
    virtual void BesselCutoffLimited(double limitHz, int order) = 0;
};

// The text the user sees for BesselCutoffLimited, e.g.
// "Maximum Bessel Cutoff = 18800 for LowPass of order 2".
std::string BesselCutoffMessage(double limitHz, int order);

} // namespace veld23
