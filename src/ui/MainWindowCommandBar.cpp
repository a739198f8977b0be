#include "ui/MainWindowCommandBar.h"

#include "commands/CommandTexts.h"
#include "config/ProcessorConfiguration.h"
#include "ui/IndicatorLamp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace veld23 {

namespace {

namespace texts = commands::texts;

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& hint = {}) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!hint.isEmpty()) {
        button->setToolTip(hint);
    }
    return button;
}

QGroupBox* Group(const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(group);
    layout->setSpacing(4);
    return group;
}

} // namespace

MainWindowCommandBar::MainWindowCommandBar(QWidget* parent) : QWidget(parent) {
    auto* file = Group(tr("FILE"), this);
    newButton = Button(file, "newButton", tr("&New"), tr("New File"));
    newButton->setShortcut(QKeySequence::New);
    openButton = Button(file, "openButton", tr("&Open"), tr("Open File"));
    openButton->setShortcut(QKeySequence::Open);
    saveButton = Button(file, "saveButton", tr("&Save"), tr("Save to File"));
    saveButton->setShortcut(QKeySequence::Save);
    for (QPushButton* button : {newButton, openButton, saveButton}) {
        file->layout()->addWidget(button);
    }

    auto* device = Group(tr("PROCESSOR"), this);
    connectButton = Button(device, "connectButton", tr("&Connect"), texts::kConnectHint);
    readButton = Button(device, "readButton", tr("&Read"), texts::kReadHint);
    writeButton = Button(device, "writeButton", tr("&Write"), texts::kWriteHint);
    changeButton = Button(device, "changeButton", tr("C&hange"), texts::kChangeHint);
    auto* memoryCaption = new QLabel(texts::kMemorySelectorCaption, device);
    memorySelector = new QSpinBox(device);
    memorySelector->setObjectName("memorySelector");
    memorySelector->setRange(ProcessorConfiguration::kFirstProgram,
                             ProcessorConfiguration::kLastProgram);
    memorySelector->setToolTip(texts::kMemorySelectorHint);
    memorySelector->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    memoryCaption->setBuddy(memorySelector);
    memoryCaption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    blockButton = Button(device, "blockButton", tr("&Block"), texts::kBlockHint);
    unblockButton = Button(device, "unblockButton", tr("&Unblock"), texts::kUnblockHint);
    passwordButton = Button(device, "passwordButton", tr("&Password"), texts::kPasswordHint);
    verifyAfterWrite = new QCheckBox(tr("&Verify after write"), device);
    verifyAfterWrite->setObjectName("verifyAfterWrite");
    verifyAfterWrite->setToolTip(texts::kVerifyAfterWriteHint);
    copyAllButton = Button(device, "copyAllButton", texts::kCopyAllCaption);
    copyAllButton->hide();
    realTimeButton = Button(device, "realTimeButton", tr("Real &Time"), texts::kRealTimeHint);
    realTimeButton->setCheckable(true);
    realTimeLamp = new IndicatorLamp(device, QColor(QRgb{0xFF6040}));
    realTimeLamp->setObjectName("realTimeLamp");
    realTimeLamp->setToolTip(texts::kRealTimeHint);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             connectButton, readButton, writeButton, verifyAfterWrite, changeButton, memoryCaption,
             memorySelector, blockButton, unblockButton, passwordButton, copyAllButton,
             realTimeLamp, realTimeButton}) {
        device->layout()->addWidget(widget);
    }

    auto* windows = Group(tr("VIEW"), this);
    systemInfoButton = Button(windows, "systemInfoButton", tr("System &Info"));
    finalResponseButton = Button(windows, "finalResponseButton", tr("&Final Response"));
    deviceImageButton = Button(windows, "deviceImageButton", tr("&Device Image"),
                               tr("The memory image Write would send"));
    aboutButton = Button(windows, "aboutButton", tr("&About"), tr("About us"));
    showCoeffButton = Button(windows, "showCoeffButton", tr("Show Coeff"));
    showCoeffButton->hide();
    twoOutputsButton = Button(windows, "twoOutputsButton", tr("2 Outputs"));
    twoOutputsButton->hide();
    threeOutputsButton = Button(windows, "threeOutputsButton", tr("3 Outputs"));
    threeOutputsButton->hide();
    for (QPushButton* button :
         {systemInfoButton, finalResponseButton, deviceImageButton, aboutButton, showCoeffButton,
          twoOutputsButton, threeOutputsButton}) {
        windows->layout()->addWidget(button);
    }

    // Files and windows above, the processor below: the bar is no wider than the
    // signal chain under it.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(file, 0, 0);
    layout->addWidget(windows, 0, 1);
    layout->addWidget(device, 1, 0, 1, 2);
}

} // namespace veld23
