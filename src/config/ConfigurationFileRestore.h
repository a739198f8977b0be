#pragma once

namespace veld23 {

struct ConfigurationFileContent;
class LoadedConfigurationSteps;
class ProcessorConfiguration;
class RealTimeSender;

// Puts stored content into the configuration, as opening a file does once the file
// has passed its checks:
//
//  1. every stored field in the editors' order (texts, temperature, labels, equaliser
//     parameters, levels, crossovers, loudness, dynamics, routing, final response and
//     measurement settings, alignment delays, gate fields, equaliser coefficients),
//     each held to what its editor's controls accept; then the look-ahead step;
//  2. the delay sliders from the stored delay words for the stored topology, then that
//     topology's command and the editors' follow-up;
//  3. the distance fields;
//  4. the editors' refreshes: gains, crossovers 1 to 3, loudness, dynamics 2 then 1,
//     the route command replayed on the stored state, the measurement import, and the
//     equalisers of IN 2 then IN 1 (which leaves both with every band in use).
//
// The stored route amounts never decide the routing: the route command re-derives them
// from the state, and the two-output command has already set that state to 2. Whatever
// the content holds, the configuration ends within its invariants.
void RestoreConfiguration(ProcessorConfiguration& config, const ConfigurationFileContent& content,
                          RealTimeSender& sender, LoadedConfigurationSteps& steps);

} // namespace veld23
