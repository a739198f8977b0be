#include "MeasureTestSupport.h"

#include "measure/MeasurementImportController.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <string>

namespace veld23 {
namespace {

using testing::ScriptedFileDialog;

const std::string kGoodClio = "    Freq\t      dB\t   Phase\n"
                              "  100.00\t   93.00\t   90.00\n"
                              " 1000.00\t   93.00\t   90.00\n";
const std::array<std::string, 3> kLabels = {"Out1", "Out2", "SUB"};

class ImportDialog : public testing::ImportFixture {
  protected:
    void SetUp() override {
        controller.SetAfterImport([this] { ++redraws; });
    }

    ScriptedFileDialog files;
    MeasurementImportController controller{settings, curves, messages, files};
    int redraws = 0;
};

TEST_F(ImportDialog, CancelledOrTooLongChoicesKeepThePath) {
    settings.MeasurementFiles[0] = "kept.txt";
    controller.Show(kLabels);
    files.answers.push_back(std::nullopt);
    controller.ChooseFile(1);
    EXPECT_EQ(controller.SlotPath(1), "kept.txt");
    controller.ChooseFile(7);
    EXPECT_EQ(files.askedFilters.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
    // The configuration keeps 100 characters of a path: one more is refused, untouched.
    const std::string longest = "/" + std::string(95, 'm') + ".frd";
    files.answers.push_back(longest + "x");
    controller.ChooseFile(1);
    EXPECT_EQ(controller.SlotPath(1), "kept.txt");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The path " + longest +
                                          "x is 101 characters long; a "
                                          "configuration keeps at most 100. Move or rename the "
                                          "file so that its path is shorter.");
    files.answers.push_back(longest);
    controller.ChooseFile(1);
    EXPECT_EQ(controller.SlotPath(1), longest);
}

TEST_F(ImportDialog, ClearEmptiesTheSlotAndFlattensItsCurveAtOnce) {
    settings.MeasurementFiles[0] = dir.Write("woofer.txt", kGoodClio);
    settings.MeasurementFiles[1] = settings.MeasurementFiles[0];
    ImportMeasurements(settings, curves, messages);
    ASSERT_EQ(curves.SpeakerMagnitude[0][200], 3.0f);
    controller.Show(kLabels);
    controller.ClearSlot(1);
    EXPECT_EQ(controller.SlotPath(1), "");
    EXPECT_TRUE(settings.MeasurementFiles[0].empty());
    EXPECT_EQ(curves.SpeakerMagnitude[0][200], 0.0f);
    EXPECT_EQ(curves.SpeakerMagnitude[1][200], 3.0f);
    EXPECT_EQ(redraws, 1);
}

TEST_F(ImportDialog, ImportReadsOneSlotUnlessTheSharedSettingsChanged) {
    settings.MeasurementFiles[0] = dir.Write("woofer.txt", kGoodClio);
    ImportMeasurements(settings, curves, messages);
    controller.Show(kLabels);
    // A damaged file in slot 2: its message, a flat row, slot 1 untouched.
    files.answers.push_back(dir.Write("broken.txt", "    Freq\t      dB\t   Phase\n"
                                                    "  100.00\t   loud\t   90.00\n"));
    controller.ChooseFile(2);
    std::remove(settings.MeasurementFiles[0].c_str()); // slot 1 is not read again
    EXPECT_EQ(controller.ImportSlot(2).slots[1], SlotImport::BadData);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("broken.txt, line 2"), std::string::npos);
    EXPECT_EQ(curves.SpeakerMagnitude[0][200], 3.0f);
    EXPECT_EQ(curves.SpeakerMagnitude[1][200], 0.0f);
    EXPECT_EQ(redraws, 1);
    // A new reference level holds for every slot: all are read again.
    files.answers.push_back(dir.Write("mid.txt", kGoodClio));
    controller.ChooseFile(2);
    controller.SetReferenceLevelText("92");
    const MeasurementImportResult result = controller.ImportSlot(2);
    EXPECT_EQ(result.slots[0], SlotImport::Unreadable);
    EXPECT_EQ(result.slots[1], SlotImport::Imported);
    EXPECT_EQ(curves.SpeakerMagnitude[1][200], 1.0f);
    EXPECT_EQ(settings.ReferenceLevel, 92.0);
    EXPECT_TRUE(controller.Visible());
}

// The selectors in the order shown, one checked at a time; the file dialog gets the
// chosen layout's filter.
TEST_F(ImportDialog, SelectorsAreExclusiveAndSetTheLayoutAndFilter) {
    const std::int32_t codes[] = {0, 1, 2, 3, 6, 7, 8, 9, 10};
    ASSERT_EQ(MeasurementImportController::Selectors().size(), std::size(codes));
    controller.Show(kLabels);
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        controller.SelectLayout(i);
        EXPECT_EQ(controller.ImportFileType(), codes[i]);
        for (std::size_t other = 0; other < std::size(codes); ++other) {
            EXPECT_EQ(controller.SelectorChecked(other), other == i);
        }
    }
    controller.SelectLayout(5);
    controller.ChooseFile(1);
    EXPECT_EQ(files.askedFilters,
              std::vector<std::string>{"CALSOD DAAS32 Exported data *.spl|*.spl|all *.*|*.*"});
    controller.SelectLayout(4);
    EXPECT_EQ(controller.FileFilter(), "exported data *.txt|*.txt|all *.*|*.*");
    controller.SelectLayout(99);
    EXPECT_EQ(controller.ImportFileType(), import_layout::Calsod);
}

// Leaving the field rounds to a tenth and holds to +-140 dB; text that is no number, or
// none, shows the last value again.
TEST_F(ImportDialog, ReferenceLevelFieldHoldsItsShownValue) {
    controller.Show(kLabels);
    EXPECT_EQ(controller.ReferenceLevelText(), "90.0");
    controller.SetReferenceLevelText("93.25");
    EXPECT_EQ(controller.ReferenceLevelText(), "93.25"); // as typed until the field is left
    const std::pair<const char*, const char*> typedShown[] = {
        {"93.25", "93.2"}, {"200", "140.0"}, {"-140.04", "-140.0"}, {"-0.01 ", "0.0"},
        {"loud", "0.0"},   {"85.5", "85.5"}, {"", "85.5"}};
    for (const auto& [typed, shown] : typedShown) {
        controller.SetReferenceLevelText(typed);
        controller.ReferenceLevelExit();
        EXPECT_EQ(controller.ReferenceLevelText(), shown) << '"' << typed << '"';
    }
    EXPECT_EQ(controller.ReferenceLevel(), 85.5);
}

// Ok stores the dialog, reads every slot and redraws once; a file that cannot be opened
// is told about and stays in its slot.
TEST_F(ImportDialog, OkStoresTheDialogReadsTheFilesAndRedraws) {
    const std::string path = dir.Write("woofer.txt", kGoodClio);
    const std::string missing = dir.File("unplugged.txt");
    files.answers = {path, missing};
    controller.Show(kLabels);
    controller.ChooseFile(1);
    controller.ChooseFile(3);
    controller.SetReferenceLevelText("83");
    const MeasurementImportResult result = controller.Ok();
    EXPECT_FALSE(controller.Visible());
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(result.slots[0], SlotImport::Imported);
    EXPECT_EQ(result.slots[2], SlotImport::Unreadable);
    EXPECT_EQ(settings.MeasurementFiles[0], path);
    EXPECT_EQ(settings.MeasurementFiles[2], missing);
    EXPECT_EQ(settings.ReferenceLevel, 83.0);
    // 93 dB SPL measured, 83 dB SPL taken as 0 dB.
    EXPECT_EQ(curves.SpeakerMagnitude[0][200], 10.0f);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(" for Output 3."), std::string::npos);
    controller.Show(kLabels);
    EXPECT_EQ(controller.SlotPath(3), missing);
}

TEST_F(ImportDialog, CancelReadsNothingAndChangesNothing) {
    settings.MeasurementFiles[0] = "before.txt";
    controller.Show(kLabels);
    files.answers.push_back(dir.Write("woofer.txt", kGoodClio));
    controller.ChooseFile(1);
    controller.SelectLayout(8);
    controller.SetReferenceLevelText("70");
    controller.Cancel();
    EXPECT_FALSE(controller.Visible());
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(settings.MeasurementFiles[0], "before.txt");
    EXPECT_EQ(settings.ImportFileType, import_layout::Clio);
    EXPECT_EQ(settings.ReferenceLevel, 90.0);
    EXPECT_TRUE(messages.shown.empty());
    // Opening again shows the configuration, not what was cancelled.
    controller.Show(kLabels);
    EXPECT_EQ(controller.SlotPath(1), "before.txt");
    EXPECT_EQ(controller.ReferenceLevelText(), "90.0");
}

} // namespace
} // namespace veld23
