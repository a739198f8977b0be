#include "ui/PasswordKeypadWindow.h"

#include "commands/CommandTexts.h"
#include "commands/PasswordKeypad.h"
#include "ui/DarkTheme.h"
#include "ui/IndicatorLamp.h"
#include "ui/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veld23 {

namespace texts = commands::texts;
using commands::PasswordKey;
using commands::PasswordKeypad;

namespace {

QPushButton* KeyButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(caption);
    button->setMinimumSize(78, 40);
    button->setAutoDefault(false);
    return button;
}

} // namespace

PasswordKeypadWindow::PasswordKeypadWindow(QWidget* parent)
    : QDialog(parent), entry_(new QLineEdit(this)), activeLamp_(new IndicatorLamp(this)),
      activeButton_(new QPushButton(texts::kPasswordActiveCaption, this)),
      ok_(new QPushButton("OK", this)) {
    setObjectName("TPasswordForm");
    setWindowTitle(texts::kPasswordHeading);
    setModal(true);

    auto* heading = new QLabel(texts::kPasswordHeading, this);
    MakeHeading(*heading);
    heading->setAlignment(Qt::AlignCenter);

    entry_->setObjectName("Entry");
    entry_->setReadOnly(true);
    entry_->setFocusPolicy(Qt::NoFocus);
    entry_->setAlignment(Qt::AlignCenter);
    QFont entryFont = entry_->font();
    entryFont.setPointSizeF(entryFont.pointSizeF() * 1.6);
    entryFont.setLetterSpacing(QFont::AbsoluteSpacing, 6.0);
    entry_->setFont(entryFont);

    // The keys lie as on the processor's front panel: LEFT and RIGHT either side of PUSH.
    QPushButton* left = KeyButton(texts::kLeftKeyCaption, this);
    QPushButton* push = KeyButton(texts::kPushKeyCaption, this);
    QPushButton* right = KeyButton(texts::kRightKeyCaption, this);
    QPushButton* clear = KeyButton("CLEAR", this);
    auto* keys = new QGridLayout;
    keys->addWidget(left, 0, 0);
    keys->addWidget(push, 0, 1);
    keys->addWidget(right, 0, 2);
    keys->addWidget(clear, 1, 1);

    activeButton_->setObjectName("PasswordActive");
    activeButton_->setAutoDefault(false);
    auto* active = new QHBoxLayout;
    active->addStretch();
    active->addWidget(activeLamp_);
    active->addWidget(activeButton_);
    active->addStretch();

    ok_->setObjectName("OK");
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Cancel");
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addWidget(entry_);
    layout->addLayout(keys);
    layout->addLayout(active);
    layout->addLayout(buttons);

    connect(left, &QPushButton::clicked, this,
            [this] { Act([](PasswordKeypad& k) { k.Press(PasswordKey::Left); }); });
    connect(push, &QPushButton::clicked, this,
            [this] { Act([](PasswordKeypad& k) { k.Press(PasswordKey::Push); }); });
    connect(right, &QPushButton::clicked, this,
            [this] { Act([](PasswordKeypad& k) { k.Press(PasswordKey::Right); }); });
    connect(clear, &QPushButton::clicked, this,
            [this] { Act([](PasswordKeypad& k) { k.Clear(); }); });
    const auto toggle = [this] { Act([](PasswordKeypad& k) { k.ToggleActive(); }); };
    connect(activeButton_, &QPushButton::clicked, this, toggle);
    connect(activeLamp_, &IndicatorLamp::Clicked, this, toggle);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

bool PasswordKeypadWindow::Run(PasswordKeypad& keypad) {
    Bind(&keypad);
    const bool ok = exec() == QDialog::Accepted;
    Bind(nullptr);
    return ok;
}

void PasswordKeypadWindow::Bind(PasswordKeypad* keypad) {
    keypad_ = keypad;
    Refresh();
}

void PasswordKeypadWindow::Act(void (*action)(PasswordKeypad&)) {
    if (keypad_ != nullptr) {
        action(*keypad_);
        Refresh();
    }
}

void PasswordKeypadWindow::Refresh() {
    const bool bound = keypad_ != nullptr;
    entry_->setText(bound ? FromUtf8(keypad_->ShownEntry()) : QString());
    activeLamp_->SetLit(bound && keypad_->ActiveLit());
    ok_->setEnabled(bound && keypad_->OkEnabled());
    // With OK disabled, Enter must not fall through to it or to a key.
    ok_->setDefault(ok_->isEnabled());
}

} // namespace veld23
