// veld23: the processor editor. `--com1 PATH` and `--com2 PATH` let another device
// (a USB-serial adapter, the veld23-sim pseudo terminal) stand in for COM 1 or COM 2.
#include "link/serial/ComPortArguments.h"
#include "link/serial/QtPortServices.h"
#include "ui/DarkTheme.h"
#include "ui/EditorProgram.h"
#include "ui/MainWindow.h"
#include "ui/PasswordKeypadWindow.h"
#include "ui/QtDialogs.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kUsageError = 2;

int Usage(const std::string& problem) {
    std::fprintf(stderr, "veld23: %s\nusage: veld23 [--com1 PATH] [--com2 PATH]\n",
                 problem.c_str());
    return kUsageError;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("VELD23");
    // The program ends through its close flow only, never because a window went away.
    QApplication::setQuitOnLastWindowClosed(false);

    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<veld23::link::ComPortPathArgument> ports;
    if (const auto problem = veld23::link::TakeComPortArguments(args, ports)) {
        return Usage(*problem);
    }
    if (!args.empty()) {
        return Usage("unknown argument " + args.front());
    }

    veld23::ApplyDarkTheme(application);
    veld23::QtDialogs dialogs;
    veld23::EditorProgram program(dialogs, {ports, veld23::link::QtPortSettings::DefaultFile()});
    dialogs.SetParentWindow(&program.Main());
    dialogs.SetPasswordKeypadRunner([&program](veld23::commands::PasswordKeypad& keypad) {
        return program.Keypad().Run(keypad);
    });
    program.Start();
    return QApplication::exec();
}
