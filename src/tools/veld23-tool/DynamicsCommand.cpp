// dynamics: the 33-point gain table of a compressor/limiter with noise gate.
#include "CommandRegistry.h"

#include "dsp/Dynamics.h"
#include "dsp/DynamicsLimits.h"

#include <cmath>
#include <cstdio>

namespace veld23::tool {
namespace {

using namespace dynamics;

constexpr const char* kName = "dynamics";

bool InRange(double value, double lo, double hi) {
    return std::isfinite(value) && value >= lo && value <= hi;
}

// Only what the editor's controls can produce is accepted: the design would
// quietly hold anything else, and the table printed would not be the one asked for.
int RunDynamics(const Arguments& args) {
    if (args.size() != 6) {
        return UsageError(kName);
    }
    double umbral = 0;
    double ratio = 0;
    double knee = 0;
    long tipo = 0;
    long gateIndex = 0;
    long pendiente = 0;
    if (!ParseDouble(args[0], umbral) || !ParseDouble(args[1], ratio) ||
        !ParseDouble(args[2], knee) || !ParseInt(args[3], tipo) || !ParseInt(args[4], gateIndex) ||
        !ParseInt(args[5], pendiente) || !InRange(umbral, kUmbralMin, kUmbralMax) ||
        !InRange(ratio, kRatioMin, kRatioMax) || !InRange(knee, kKneeMin, kKneeMax) ||
        (tipo != kLimiter && tipo != kCompressor) || gateIndex < kGateIndexMin ||
        gateIndex > kGateIndexMax || pendiente < kPendienteMin || pendiente > kPendienteMax) {
        return UsageError(kName);
    }
    TDYNAMIC record(1);
    record.Umbral = static_cast<float>(umbral);
    record.Ratio = static_cast<float>(ratio);
    record.Knee = static_cast<float>(knee);
    record.Tipo = static_cast<std::uint8_t>(tipo);
    record.GateIndex = static_cast<float>(gateIndex);
    record.Pendiente = static_cast<float>(pendiente);
    record.Design();
    record.BuildTable();
    for (const long double gain : record.Tabla) {
        std::printf("%.17g\n", static_cast<double>(gain));
    }
    return kExitOk;
}

const CommandRegistration dynamicsCommand(
    kName,
    "dynamics UMBRAL(-62..-5) RATIO(1..10) KNEE(-0.5..10) TIPO(0|1) GATEINDEX(1..33) "
    "PENDIENTE(1..10)",
    RunDynamics);

} // namespace
} // namespace veld23::tool
