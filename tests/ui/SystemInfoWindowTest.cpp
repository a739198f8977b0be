#include "ui/SystemInfoWindow.h"

#include "config/SystemInformation.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

using namespace veld23;

namespace {

struct SystemInfo {
    SystemInformationTexts texts;
    SystemInfoWindow window{texts};

    QLineEdit* Line(const char* name) { return window.findChild<QLineEdit*>(name); }
    QPlainTextEdit* Comments() { return window.findChild<QPlainTextEdit*>("Comments"); }
};

// Typing characters no key of the test keyboard carries, the way an input method hands
// them over: key events that carry the text.
void Type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

TEST(SystemInfoWindow, EditsGoIntoTheConfigurationHeldToTheirCapacities) {
    SystemInfo s;
    s.texts.ProjectName.Clear();
    s.window.Refresh();

    Type(s.Line("ProjectName"), QString::fromUtf8("Gira ½ €"));
    EXPECT_EQ(s.texts.ProjectName.View(), "Gira \xBD \x80");
    Type(s.Line("Engineer"), QString::fromUtf8("Ω")); // not in the code page
    EXPECT_EQ(s.texts.Engineer.View(), "?");
    QTest::keyClicks(s.Line("ProjectName"), QString(40, 'x'));
    EXPECT_EQ(s.texts.ProjectName.Length(), 30u);

    // Comments: line breaks are stored as CR LF and count as two of the 200 characters.
    QTest::keyClicks(s.Comments(), "ab");
    QTest::keyClick(s.Comments(), Qt::Key_Return);
    QTest::keyClicks(s.Comments(), "cd");
    EXPECT_EQ(s.texts.Comments.View(), "ab\r\ncd");
    QTest::keyClicks(s.Comments(), QString(250, 'y'));
    EXPECT_EQ(s.texts.Comments.Length(), 200u);
    EXPECT_EQ(s.Comments()->toPlainText().size(), 199); // what the field shows is what is kept
}

TEST(SystemInfoWindow, ALineBreakThatNoLongerFitsIsDroppedWhole) {
    SystemInfo s;
    s.texts.Comments.Assign(std::string(199, 'z'));
    s.window.Refresh();
    s.Comments()->moveCursor(QTextCursor::End);
    QTest::keyClick(s.Comments(), Qt::Key_Return);
    EXPECT_EQ(s.texts.Comments.View(), std::string(199, 'z'));
    EXPECT_EQ(s.Comments()->toPlainText(), QString(199, 'z'));
    QTest::keyClicks(s.Comments(), "A");
    EXPECT_EQ(s.texts.Comments.View(), std::string(199, 'z') + "A");
}

TEST(SystemInfoWindow, PresetNameIsMirroredWithTheMainWindowWithoutEchoes) {
    SystemInfo s;
    QSignalSpy edited(&s.window, &SystemInfoWindow::SystemNameEdited);

    QTest::keyClicks(s.Line("PresetName"), "X");
    EXPECT_EQ(s.texts.SystemName.View(), "NoNameX");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), "NoNameX");

    // The main window's field changed: shown here, not announced back.
    s.window.SetSystemName("Main hall");
    EXPECT_EQ(s.Line("PresetName")->text(), "Main hall");
    EXPECT_EQ(edited.count(), 1);
}
