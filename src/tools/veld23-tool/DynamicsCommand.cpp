// dynamics: the 33-point gain table of a compressor/limiter with noise gate.
#include "CommandArguments.h"
#include "CommandRegistry.h"

#include "dsp/Dynamics.h"
#include "dsp/DynamicsLimits.h"

#include <cstdio>
#include <memory>

namespace veld23::tool {
namespace {

using namespace dynamics;

struct DynamicsArguments {
    double umbral = 0;
    double ratio = 0;
    double knee = 0;
    long tipo = 0;
    long gateIndex = 0;
    long pendiente = 0;
};

int RunDynamics(const DynamicsArguments& a) {
    TDYNAMIC record(1);
    record.Umbral = static_cast<float>(a.umbral);
    record.Ratio = static_cast<float>(a.ratio);
    record.Knee = static_cast<float>(a.knee);
    record.Tipo = static_cast<std::uint8_t>(a.tipo);
    record.GateIndex = static_cast<float>(a.gateIndex);
    record.Pendiente = static_cast<float>(a.pendiente);
    record.Design();
    record.BuildTable();
    for (const long double gain : record.Tabla) {
        std::printf("%.17g\n", static_cast<double>(gain));
    }
    return kExitOk;
}

// Only what the editor's controls can produce is accepted: the design would
// quietly hold anything else, and the table printed would not be the one asked for.
CommandRun DefineDynamics(CLI::App& command) {
    auto a = std::make_shared<DynamicsArguments>();
    AddNumber(command, "UMBRAL", a->umbral, "threshold in dBFS", kUmbralMin, kUmbralMax);
    AddNumber(command, "RATIO", a->ratio, "compression ratio", kRatioMin, kRatioMax);
    AddNumber(command, "KNEE", a->knee, "knee", kKneeMin, kKneeMax);
    AddInteger(command, "TIPO", a->tipo, "0 limiter, 1 compressor", kLimiter, kCompressor);
    AddInteger(command, "GATEINDEX", a->gateIndex, "noise gate point of the table",
               static_cast<long>(kGateIndexMin), static_cast<long>(kGateIndexMax));
    AddInteger(command, "PENDIENTE", a->pendiente, "noise gate slope",
               static_cast<long>(kPendienteMin), static_cast<long>(kPendienteMax));
    return [a] { return RunDynamics(*a); };
}

const CommandRegistration dynamicsCommand(
    "dynamics",
    "dynamics UMBRAL(-62..-5) RATIO(1..10) KNEE(-0.5..10) TIPO(0|1) GATEINDEX(1..33) "
    "PENDIENTE(1..10)",
    "the 33 gain-table values of a compressor/limiter record", DefineDynamics);

} // namespace
} // namespace veld23::tool
