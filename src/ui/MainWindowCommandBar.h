#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace veld23 {

class IndicatorLamp;

// The main window's command buttons: the file commands, the processor commands
// with the memory selector, and the windows. Only layout and captions live here;
// the main window connects the buttons to the commands.
class MainWindowCommandBar : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindowCommandBar(QWidget* parent = nullptr);

    // File.
    QPushButton* newButton = nullptr;
    QPushButton* openButton = nullptr;
    QPushButton* saveButton = nullptr;
    // Processor.
    QPushButton* connectButton = nullptr;
    QPushButton* readButton = nullptr;
    QPushButton* writeButton = nullptr;
    QPushButton* changeButton = nullptr;
    QSpinBox* memorySelector = nullptr;
    QPushButton* blockButton = nullptr;
    QPushButton* unblockButton = nullptr;
    QPushButton* passwordButton = nullptr;
    QCheckBox* verifyAfterWrite = nullptr;
    QPushButton* copyAllButton = nullptr; // revealed by the "PRESET" caption
    // The Real Time switch and its lamp, lit while every edit goes to the processor.
    QPushButton* realTimeButton = nullptr;
    IndicatorLamp* realTimeLamp = nullptr;
    // Windows.
    QPushButton* systemInfoButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QPushButton* finalResponseButton = nullptr;
    QPushButton* deviceImageButton = nullptr;
    QPushButton* showCoeffButton = nullptr;    // hidden
    QPushButton* twoOutputsButton = nullptr;   // hidden
    QPushButton* threeOutputsButton = nullptr; // hidden
};

} // namespace veld23
