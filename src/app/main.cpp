// veld23: the processor editor. `--com1 PATH` and `--com2 PATH` let another device
// (a USB-serial adapter, the veld23-sim pseudo terminal) stand in for COM 1 or COM 2;
// a file named on the command line opens once the connection has been chosen.
#include "EditorCommandLine.h"

#include "link/serial/QtPortServices.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/DarkTheme.h"
#include "ui/EditorProgram.h"
#include "ui/MainWindow.h"
#include "ui/PasswordKeypadWindow.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

using veld23::EditorCommandLine;

constexpr int kUsageError = 2;

// Help, version or refused arguments: what the command line ends with.
int Answer(const EditorCommandLine& line) {
    if (line.request == EditorCommandLine::Request::Refused) {
        std::fprintf(stderr, "veld23: %s\n%s\n", qPrintable(line.text), veld23::kEditorUsage);
        return kUsageError;
    }
    std::fputs(qPrintable(line.text), stdout);
    return 0;
}

// The file opens as the Open command opens a chosen one, once: after the first choice
// in the connection window that brought the main window up.
void OpenAfterConnecting(veld23::EditorProgram& program, const std::string& path) {
    auto pending = std::make_shared<bool>(true);
    QObject::connect(&program.ConnectWindow(), &veld23::ConnectDialogWindow::ChoiceEnded,
                     &program.Main(), [&program, path, pending] {
                         if (!*pending || program.ConnectLogic().Shown()) {
                             return;
                         }
                         *pending = false;
                         // After the click that chose has returned and the window has gone.
                         QTimer::singleShot(0, &program.Main(), [&program, path] {
                             // Like Open, it starts a new history rather than becoming
                             // a step that Undo would take back.
                             program.Tuning().RunReplacing("Open", [&program, &path] {
                                 return program.Commands().OpenNamedFile(path);
                             });
                             program.RefreshWindows();
                         });
                     });
}

} // namespace

int main(int argc, char** argv) {
    // --help, --version and arguments that are plainly wrong are answered before the
    // windowing system is asked for a display. Options this reading does not know may
    // be the toolkit's own: the second reading, after the toolkit has taken them out,
    // decides.
    {
        const QCoreApplication commandLine(argc, argv);
        const EditorCommandLine line = veld23::ReadEditorCommandLine(QCoreApplication::arguments());
        if (line.request != EditorCommandLine::Request::Run && line.parsed) {
            return Answer(line);
        }
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("VELD23");
    // The desktop entry the windows belong to, and its icon once installed.
    QGuiApplication::setDesktopFileName("veld23");
    QApplication::setWindowIcon(QIcon::fromTheme("veld23"));
    // The program ends through its close flow only, never because a window went away.
    QApplication::setQuitOnLastWindowClosed(false);
    const EditorCommandLine line = veld23::ReadEditorCommandLine(QApplication::arguments());
    if (line.request != EditorCommandLine::Request::Run) {
        return Answer(line);
    }

    veld23::ApplyDarkTheme(application);
    veld23::QtDialogs dialogs;
    veld23::EditorProgram program(dialogs,
                                  {line.comPorts, veld23::link::QtPortSettings::DefaultFile()});
    dialogs.SetParentWindow(&program.Main());
    dialogs.SetPasswordKeypadRunner([&program](veld23::commands::PasswordKeypad& keypad) {
        return program.Keypad().Run(keypad);
    });
    if (line.file) {
        OpenAfterConnecting(program, *line.file);
    }
    program.Start();
    return QApplication::exec();
}
