#include "dsp/Tsos.h"

namespace veld23 {

void TSOS::SetBypass() {
    b0 = 1.0L;
    b1 = b2 = a1 = a2 = 0.0L;
}

double TSOS::GetCoefficient(int k) const {
    switch (k) {
    case 0:
        return static_cast<double>(b0);
    case 1:
        return static_cast<double>(b1);
    case 2:
        return static_cast<double>(b2);
    case 3:
        return static_cast<double>(a1);
    case 4:
        return static_cast<double>(a2);
    default:
        return 0.0;
    }
}

void TSOS::SetCoefficient(int k, long double value) {
    switch (k) {
    case 0:
        b0 = value;
        break;
    case 1:
        b1 = value;
        break;
    case 2:
        b2 = value;
        break;
    case 3:
        a1 = value;
        break;
    case 4:
        a2 = value;
        break;
    default:
        break;
    }
}

} // namespace veld23
