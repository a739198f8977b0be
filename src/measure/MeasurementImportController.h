#pragma once

#include "config/MeasurementImportSettings.h"
#include "measure/MeasurementImport.h"
#include "measure/MeasurementMessages.h"
#include "measure/OpenFileDialog.h"
#include "measure/SpeakerCurves.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace veld23 {

// The import dialog without its window: three file slots, the layout selectors, the
// reference level field, OK and Cancel, and per slot Import and Clear. The dialog edits
// its own copy of the settings; OK stores it and reads every file, Import stores one
// slot and reads its file, Cancel leaves what was not stored untouched.
class MeasurementImportController {
  public:
    static constexpr std::string_view kTitle = "Import Speaker Frequency Response";
    static constexpr std::string_view kPrompt = "Select the ASCII Files with the data :";
    static constexpr std::string_view kReferenceCaption = "Reference Level ";
    static constexpr std::string_view kReferenceUnit = "dBspl";
    static constexpr std::string_view kReferenceNote = "to set it as the 0 dB";
    static constexpr std::string_view kFileDialogTitle = "Select File with Frequency Response";

    struct LayoutSelector {
        std::string_view caption;
        std::int32_t code;
    };

    MeasurementImportController(MeasurementImportSettings& settings, SpeakerCurves& curves,
                                MeasurementMessages& messages, OpenFileDialog& fileDialog);

    // Called after every OK, once the curves are read: the final response redraws.
    void SetAfterImport(std::function<void()> afterImport);

    // Opening the dialog: the fields show the configuration; the labels are the output
    // channels' labels of the main window, shown beside the slots.
    void Show(const std::array<std::string, MeasurementImportSettings::kSlots>& channelLabels);
    bool Visible() const { return visible_; }

    // Slots are numbered 1 to 3; other numbers are ignored.
    const std::string& SlotLabel(int slot) const;
    const std::string& SlotPath(int slot) const;
    // Asks for a file; no file is read before OK or Import. Cancelling the file dialog
    // keeps the path, and so does a path longer than the configuration can keep, which
    // is refused with a message.
    void ChooseFile(int slot);
    // The slot is emptied in the dialog and the configuration, and its row is flat at once.
    void ClearSlot(int slot);
    // Stores the slot's path, the layout and the reference level and reads that slot's
    // file; the other channels keep their curves. The layout and the level hold for every
    // slot, so when either changed the other slots are read again as well.
    MeasurementImportResult ImportSlot(int slot);

    // The dialog's mutually exclusive layout selectors, in display order.
    static std::span<const LayoutSelector> Selectors();
    void SelectLayout(std::size_t selector);
    // The checked selector; none when the layout is one without a selector.
    bool SelectorChecked(std::size_t selector) const;
    std::int32_t ImportFileType() const { return importFileType_; }
    std::string_view FileFilter() const;

    // The reference level field holds text; its value is the parsed text, limited to
    // -140..140 and shown with one decimal once the field is left.
    const std::string& ReferenceLevelText() const { return referenceText_; }
    void SetReferenceLevelText(std::string text);
    void ReferenceLevelExit();
    double ReferenceLevel() const { return referenceLevel_; }

    MeasurementImportResult Ok();
    void Cancel();

  private:
    static bool ValidSlot(int slot);
    void StoreLayoutAndLevel();
    void AfterImport();
    static std::string FormatLevel(double level);

    MeasurementImportSettings& settings_;
    SpeakerCurves& curves_;
    MeasurementMessages& messages_;
    OpenFileDialog& fileDialog_;
    std::function<void()> afterImport_;

    bool visible_ = false;
    std::array<std::string, MeasurementImportSettings::kSlots> labels_{};
    std::array<std::string, MeasurementImportSettings::kSlots> paths_{};
    std::int32_t importFileType_ = import_layout::Clio;
    std::string referenceText_;
    double referenceLevel_ = MeasurementImportSettings::kDefaultReferenceLevel;
};

} // namespace veld23
