#include "measure/MeasurementImportController.h"

#include "measure/MeasurementLayout.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace veld23 {

namespace {

using LayoutSelector = MeasurementImportController::LayoutSelector;

// The dialog offers the layouts that have a caption, in table order.
const std::vector<LayoutSelector>& SelectorTable() {
    static const std::vector<LayoutSelector> selectors = [] {
        std::vector<LayoutSelector> table;
        for (const MeasurementLayout& layout : MeasurementLayouts()) {
            if (!layout.caption.empty()) {
                table.push_back({layout.caption, layout.code});
            }
        }
        return table;
    }();
    return selectors;
}

const std::string kNoText;

// The configuration file keeps a path in a fixed field; a longer one would come back cut.
std::string PathTooLong(const std::string& path) {
    return "The path " + path + " is " + std::to_string(path.size()) +
           " characters long; a configuration keeps at most " +
           std::to_string(MeasurementImportSettings::kMaxPathLength) +
           ". Move or rename the file so that its path is shorter.";
}

} // namespace

MeasurementImportController::MeasurementImportController(MeasurementImportSettings& settings,
                                                         SpeakerCurves& curves,
                                                         MeasurementMessages& messages,
                                                         OpenFileDialog& fileDialog)
    : settings_(settings), curves_(curves), messages_(messages), fileDialog_(fileDialog) {}

void MeasurementImportController::SetAfterImport(std::function<void()> afterImport) {
    afterImport_ = std::move(afterImport);
}

void MeasurementImportController::Show(
    const std::array<std::string, MeasurementImportSettings::kSlots>& channelLabels) {
    labels_ = channelLabels;
    paths_ = settings_.MeasurementFiles;
    importFileType_ = settings_.ImportFileType;
    referenceLevel_ = MeasurementImportSettings::UsableReferenceLevel(settings_.ReferenceLevel);
    referenceText_ = FormatLevel(referenceLevel_);
    referenceLevel_ = std::strtod(referenceText_.c_str(), nullptr);
    visible_ = true;
}

bool MeasurementImportController::ValidSlot(int slot) {
    return slot >= 1 && slot <= MeasurementImportSettings::kSlots;
}

const std::string& MeasurementImportController::SlotLabel(int slot) const {
    return ValidSlot(slot) ? labels_[slot - 1] : kNoText;
}

const std::string& MeasurementImportController::SlotPath(int slot) const {
    return ValidSlot(slot) ? paths_[slot - 1] : kNoText;
}

void MeasurementImportController::ChooseFile(int slot) {
    if (!ValidSlot(slot)) {
        return;
    }
    const std::optional<std::string> chosen =
        fileDialog_.ChooseFileToOpen(std::string(kFileDialogTitle), std::string(FileFilter()));
    if (!chosen || chosen->empty()) {
        return;
    }
    if (chosen->size() > MeasurementImportSettings::kMaxPathLength) {
        messages_.ShowMessage(MeasurementMessages::Kind::Error, PathTooLong(*chosen));
        return;
    }
    paths_[slot - 1] = *chosen;
}

void MeasurementImportController::ClearSlot(int slot) {
    if (!ValidSlot(slot)) {
        return;
    }
    paths_[slot - 1].clear();
    settings_.MeasurementFiles[slot - 1].clear();
    curves_.ClearRow(slot - 1);
    AfterImport();
}

MeasurementImportResult MeasurementImportController::ImportSlot(int slot) {
    MeasurementImportResult result;
    if (!ValidSlot(slot)) {
        return result;
    }
    ReferenceLevelExit();
    const bool sharedChanged =
        settings_.ImportFileType != importFileType_ || settings_.ReferenceLevel != referenceLevel_;
    settings_.MeasurementFiles[slot - 1] = paths_[slot - 1];
    StoreLayoutAndLevel();
    if (sharedChanged) {
        result = ImportMeasurements(settings_, curves_, messages_);
    } else {
        result.slots[slot - 1] = ImportMeasurementSlot(settings_, slot, curves_, messages_);
    }
    AfterImport();
    return result;
}

void MeasurementImportController::StoreLayoutAndLevel() {
    settings_.ImportFileType = importFileType_;
    settings_.ReferenceLevel = referenceLevel_;
}

void MeasurementImportController::AfterImport() {
    if (afterImport_) {
        afterImport_();
    }
}

std::span<const MeasurementImportController::LayoutSelector>
MeasurementImportController::Selectors() {
    return SelectorTable();
}

void MeasurementImportController::SelectLayout(std::size_t selector) {
    const std::vector<LayoutSelector>& selectors = SelectorTable();
    if (selector < selectors.size()) {
        importFileType_ = selectors[selector].code;
    }
}

bool MeasurementImportController::SelectorChecked(std::size_t selector) const {
    const std::vector<LayoutSelector>& selectors = SelectorTable();
    return selector < selectors.size() && selectors[selector].code == importFileType_;
}

std::string_view MeasurementImportController::FileFilter() const {
    return MeasurementFileFilter(importFileType_);
}

void MeasurementImportController::SetReferenceLevelText(std::string text) {
    referenceText_ = std::move(text);
}

void MeasurementImportController::ReferenceLevelExit() {
    const char* const begin = referenceText_.c_str();
    char* end = nullptr;
    errno = 0;
    const double typed = std::strtod(begin, &end);
    // Trailing blanks are harmless; anything else leaves the last good value.
    while (end != nullptr && (*end == ' ' || *end == '\t')) {
        ++end;
    }
    const bool parsed = end != begin && end != nullptr && *end == '\0' && errno == 0;
    const double level =
        parsed ? MeasurementImportSettings::UsableReferenceLevel(typed) : referenceLevel_;
    referenceText_ = FormatLevel(level);
    // The value is what the field shows, so 93.25 typed is 93.2 (or 93.3) as displayed.
    referenceLevel_ = std::strtod(referenceText_.c_str(), nullptr);
}

std::string MeasurementImportController::FormatLevel(double level) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", level);
    // Levels that round to zero show "0.0", not "-0.0".
    if (std::strtod(text, nullptr) == 0.0) {
        return "0.0";
    }
    return text;
}

MeasurementImportResult MeasurementImportController::Ok() {
    ReferenceLevelExit();
    settings_.MeasurementFiles = paths_;
    StoreLayoutAndLevel();
    const MeasurementImportResult result = ImportMeasurements(settings_, curves_, messages_);
    visible_ = false;
    AfterImport();
    return result;
}

void MeasurementImportController::Cancel() {
    visible_ = false;
}

} // namespace veld23
