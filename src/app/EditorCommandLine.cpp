#include "EditorCommandLine.h"

#include "ProgramVersion.h"

#include <QCommandLineParser>
#include <QFile>

namespace veld23 {

namespace {

struct PortOption {
    link::ComPortNumber port;
    QCommandLineOption option;
};

EditorCommandLine Refuse(QString problem, bool parsed = true) {
    EditorCommandLine line;
    line.request = EditorCommandLine::Request::Refused;
    line.text = std::move(problem);
    line.parsed = parsed;
    return line;
}

} // namespace

EditorCommandLine ReadEditorCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Editor and remote control of the VELD23 loudspeaker processor.");
    const QCommandLineOption help({"h", "help"}, "Print these options and exit.");
    const QCommandLineOption version({"v", "version"}, "Print the version and exit.");
    const PortOption ports[] = {
        {link::ComPortNumber::pnCOM1,
         QCommandLineOption("com1",
                            "Use the serial device PATH as COM 1 for this run (otherwise the port "
                            "chosen last, or /dev/ttyS0).",
                            "PATH")},
        {link::ComPortNumber::pnCOM2,
         QCommandLineOption("com2",
                            "Use the serial device PATH as COM 2 for this run (otherwise the port "
                            "chosen last, or /dev/ttyS1).",
                            "PATH")},
    };
    parser.addOption(help);
    parser.addOption(version);
    for (const PortOption& p : ports) {
        parser.addOption(p.option);
    }
    parser.addPositionalArgument(
        "FILE", "A configuration file (.v23, .v13) to open once the connection is chosen.",
        "[FILE]");

    if (!parser.parse(arguments)) {
        return Refuse(parser.errorText(), false);
    }
    EditorCommandLine line;
    if (parser.isSet(help)) {
        line.request = EditorCommandLine::Request::Help;
        line.text = parser.helpText();
        return line;
    }
    if (parser.isSet(version)) {
        line.request = EditorCommandLine::Request::Version;
        line.text = QString("veld23 %1\n").arg(kProgramVersion);
        return line;
    }
    for (const PortOption& p : ports) {
        for (const QString& path : parser.values(p.option)) {
            if (path.isEmpty()) {
                return Refuse("--" + p.option.names().front() + " needs a device path");
            }
            line.comPorts.push_back({p.port, QFile::encodeName(path).toStdString()});
        }
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return Refuse("one file at a time: " + files.join(' '));
    }
    if (!files.isEmpty()) {
        line.file = QFile::encodeName(files.front()).toStdString();
    }
    return line;
}

} // namespace veld23
