#pragma once

#include "link/LinkTypes.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace veld23 {

inline constexpr const char* kEditorUsage = "usage: veld23 [--com1 PATH] [--com2 PATH] [FILE]";

// What the editor's command line asks for.
struct EditorCommandLine {
    enum class Request { Run, Help, Version, Refused };
    Request request = Request::Run;
    // The help, the version line, or why the arguments were refused.
    QString text;
    // Devices standing in for COM 1 and COM 2 (`--com1 PATH`, `--com2 PATH`).
    std::vector<link::ComPortPathArgument> comPorts;
    // The configuration file to open, as its bytes name it on this system.
    std::optional<std::string> file;
    // False when an option was not known or lacked its value: those may still be the
    // windowing toolkit's own (-platform, -style, ...), which it takes out once it runs.
    bool parsed = true;
};

// arguments: as QCoreApplication::arguments() gives them, the program's path first.
EditorCommandLine ReadEditorCommandLine(const QStringList& arguments);

} // namespace veld23
