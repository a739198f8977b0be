#pragma once

#include "config/MeasurementImportSettings.h"
#include "measure/MeasurementMessages.h"
#include "measure/OpenFileDialog.h"
#include "measure/SpeakerCurves.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace veld23::testing {

class RecordingMessages : public MeasurementMessages {
  public:
    struct Shown {
        Kind kind;
        std::string text;
    };
    std::vector<Shown> shown;

    void ShowMessage(Kind kind, const std::string& text) override { shown.push_back({kind, text}); }
};

// What an import reads and fills, and a folder for its files.
class ImportFixture : public ::testing::Test {
  protected:
    TempDir dir;
    MeasurementImportSettings settings;
    SpeakerCurves curves;
    RecordingMessages messages;
};

class ScriptedFileDialog : public OpenFileDialog {
  public:
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> askedFilters;

    std::optional<std::string> ChooseFileToOpen(const std::string&,
                                                const std::string& filter) override {
        askedFilters.push_back(filter);
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// One line of a fixed-column file: each text right-aligned so that it ends in the last
// column of its range (1-based, both ends included); everything else blank.
struct Placed {
    int first;
    int last;
    std::string text;
};

inline std::string FixedLine(std::initializer_list<Placed> fields) {
    std::string line;
    for (const Placed& field : fields) {
        const std::size_t end = static_cast<std::size_t>(field.last);
        if (line.size() < end) {
            line.resize(end, ' ');
        }
        const std::size_t width = static_cast<std::size_t>(field.last - field.first + 1);
        const std::string text = field.text.size() < width
                                     ? std::string(width - field.text.size(), ' ') + field.text
                                     : field.text.substr(0, width);
        line.replace(static_cast<std::size_t>(field.first - 1), width, text);
    }
    return line;
}

} // namespace veld23::testing
