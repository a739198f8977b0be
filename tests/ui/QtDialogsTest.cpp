// The real message boxes and file dialogs, answered by a key or a button the way a
// user would, from inside their own event loop.
#include "ui/QtDialogs.h"
#include "commands/MainWindowCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace veld23;

namespace {

// Runs `act` on the modal window once it is up.
void WhenModalIsUp(std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(*modal);
    });
}

void PressButton(QWidget& box, QMessageBox::StandardButton which) {
    auto& messageBox = static_cast<QMessageBox&>(box);
    ASSERT_NE(messageBox.button(which), nullptr);
    messageBox.button(which)->click();
}

} // namespace

// Texts reach the box with their control bytes shown escaped (a name cannot clear or
// fake anything).
TEST(QtDialogs, QuestionsAnswerWithTheirButtonsAndEscapeIsCancel) {
    QtDialogs dialogs;
    WhenModalIsUp([](QWidget& box) {
        EXPECT_EQ(static_cast<QMessageBox&>(box).text(),
                  QString::fromUtf8("Save /m/M\xC3\xBAsica\\x1B[2J.v23?"));
        EXPECT_EQ(box.windowTitle(), "VELD23");
        PressButton(box, QMessageBox::No);
    });
    EXPECT_EQ(dialogs.AskYesNoCancel("Save /m/M\xC3\xBAsica\x1B[2J.v23?"),
              commands::DialogAnswer::No);
    WhenModalIsUp([](QWidget& box) { PressButton(box, QMessageBox::Yes); });
    EXPECT_EQ(dialogs.AskYesNoCancel("?"), commands::DialogAnswer::Yes);
    WhenModalIsUp([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.AskYesNoCancel("?"), commands::DialogAnswer::Cancel);

    WhenModalIsUp([](QWidget& box) { PressButton(box, QMessageBox::Ok); });
    EXPECT_TRUE(dialogs.AskOkCancel("Do you want to LOCK the Keyboard?"));
    WhenModalIsUp([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_FALSE(dialogs.AskOkCancel("Do you want to LOCK the Keyboard?"));
}

// A name typed without an extension ends as the type chosen in the list says; all
// files get the default. Open lists both extensions first.
TEST(QtDialogs, TheSavedExtensionFollowsTheChosenType) {
    QTemporaryDir dir;
    QtDialogs dialogs;
    const char* extensions[] = {".v23", ".v13", ".v13"};
    for (int filter = 0; filter < 3; ++filter) {
        WhenModalIsUp([&dir, filter](QWidget& window) {
            auto& dialog = static_cast<QFileDialog&>(window);
            EXPECT_EQ(dialog.windowTitle(), "Save File");
            dialog.setDirectory(dir.path());
            // As the user picks the type: down the list.
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            for (int step = 0; step < filter; ++step) {
                QTest::keyClick(types, Qt::Key_Down);
            }
            dialog.selectFile("NoName");
            static_cast<QDialog&>(dialog).accept(); // as the Save button does
        });
        const auto path = dialogs.ChooseFileToSave(commands::MainWindowCommands::SaveRequest());
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(QString::fromStdString(*path),
                  QDir(dir.path()).filePath(QString("NoName") + extensions[filter]));
    }

    WhenModalIsUp([](QWidget& window) {
        auto& dialog = static_cast<QFileDialog&>(window);
        EXPECT_EQ(dialog.nameFilters().front(),
                  "VELD23 and VELD13 Files *.v23 *.v13 (*.v23 *.v13)");
        dialog.reject();
    });
    EXPECT_FALSE(dialogs.ChooseFileToOpen(commands::MainWindowCommands::OpenRequest()));
}
