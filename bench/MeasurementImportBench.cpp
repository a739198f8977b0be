// Importing a long measurement export: the modern text tools write sweeps of tens of
// thousands of points, and opening a configuration reads up to three of them.
#include "config/MeasurementImportSettings.h"
#include "measure/MeasurementImport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace veld23;

class SilentMessages : public MeasurementMessages {
  public:
    void ShowMessage(Kind, const std::string&) override {}
};

// 100,000 points from 10 Hz up, written once per run into a temporary directory.
std::string WriteSweep(const std::string& name, bool frd) {
    std::string pattern = (std::filesystem::temp_directory_path() / "veld23-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    const std::string path = (std::filesystem::path(pattern) / name).string();
    std::ofstream out(path, std::ios::binary);
    out << (frd ? "* sweep\nFreq(Hz)\tSPL(dB)\tPhase(deg)\n" : "Freq [Hz]       dBSPL\n");
    char line[96];
    for (int i = 0; i < 100000; ++i) {
        const double hz = 10.0 + i * 0.3;
        const double db = 85.0 + 5.0 * ((i % 200) / 200.0);
        const double deg = -180.0 + (i % 3600) * 0.1;
        if (frd) {
            std::snprintf(line, sizeof line, "%.3f\t%.3f\t%.3f\r\n", hz, db, deg);
        } else {
            std::snprintf(line, sizeof line, "%9.2f       %8.2f        %7.2f\r\n", hz, db, deg);
        }
        out << line;
    }
    return path;
}

void ImportSweep(benchmark::State& state, std::int32_t code, const std::string& path) {
    MeasurementImportSettings settings;
    settings.ImportFileType = code;
    settings.MeasurementFiles[0] = path;
    SpeakerCurves curves;
    SilentMessages messages;
    for (auto _ : state) {
        const MeasurementImportResult result = ImportMeasurements(settings, curves, messages);
        if (result.slots[0] != SlotImport::Imported) {
            state.SkipWithError("the sweep was not imported");
            break;
        }
        benchmark::DoNotOptimize(curves.SpeakerMagnitude[0].data());
    }
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

void BM_ImportFrdText100k(benchmark::State& state) {
    ImportSweep(state, import_layout::FrdText, WriteSweep("sweep.frd", true));
}
BENCHMARK(BM_ImportFrdText100k)->Unit(benchmark::kMillisecond);

void BM_ImportClioColumns100k(benchmark::State& state) {
    ImportSweep(state, import_layout::Clio, WriteSweep("sweep.txt", false));
}
BENCHMARK(BM_ImportClioColumns100k)->Unit(benchmark::kMillisecond);

} // namespace
