#include "ui/LoadingFileWindow.h"

#include "ui/DarkTheme.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace veld23 {

LoadingFileWindow::LoadingFileWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("LoadingFileWindow");
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet("#LoadingFileWindow { border: 1px solid #80FFFF; background: palette(window); }");
    auto* title = new QLabel(kTitle, this);
    MakeHeading(*title);
    title->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(kText, this);
    text->setObjectName("LoadingText");
    text->setAlignment(Qt::AlignCenter);
    QFont big = text->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    text->setFont(big);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 16, 40, 22);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(text);
}

void LoadingFileWindow::showEvent(QShowEvent* event) {
    // Over the middle of the screen: the main window is minimised while a file loads.
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
}

} // namespace veld23
