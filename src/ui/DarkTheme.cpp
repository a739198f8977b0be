#include "ui/DarkTheme.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace veld23 {

namespace {

// Close to the frequency plots' #00566F background, a shade darker so the plots stand out.
constexpr QRgb kWindow = 0x0D3441;
constexpr QRgb kBase = 0x06222C;
constexpr QRgb kButton = 0x13506A;
constexpr QRgb kText = 0xE2F8FF;
constexpr QRgb kDisabledText = 0x6F929E;
constexpr QRgb kHighlight = 0x00A6C8;

constexpr const char* kStyleSheet = R"(
QLabel#Heading { color: #00FFFF; font-weight: bold; font-size: 13pt; }
QToolTip { color: #06222C; background-color: #E2F8FF; border: 1px solid #00A6C8; }
QPushButton { padding: 4px 12px; }
QPushButton:checked { color: #06222C; background-color: #00D8FF; border: 1px solid #80FFFF;
                      border-radius: 3px; }
QDialogButtonBox { dialogbuttonbox-buttons-have-icons: 0; }
QProgressBar { border: 1px solid #80FFFF; border-radius: 2px; background: #06222C;
               text-align: center; color: #E2F8FF; }
QProgressBar::chunk { background-color: #00A6C8; }
)";

} // namespace

void ApplyDarkTheme(QApplication& app) {
    // Fusion follows the palette everywhere; the platform styles keep some of their own
    // colours and would leave light patches in a dark window.
    if (QStyle* fusion = QStyleFactory::create("Fusion")) {
        QApplication::setStyle(fusion);
    }
    QPalette p;
    p.setColor(QPalette::Window, QColor(kWindow));
    p.setColor(QPalette::WindowText, QColor(kText));
    p.setColor(QPalette::Base, QColor(kBase));
    p.setColor(QPalette::AlternateBase, QColor(kWindow));
    p.setColor(QPalette::Text, QColor(kText));
    p.setColor(QPalette::Button, QColor(kButton));
    p.setColor(QPalette::ButtonText, QColor(kText));
    p.setColor(QPalette::BrightText, QColor(QRgb{0xFFFF80}));
    p.setColor(QPalette::Highlight, QColor(kHighlight));
    p.setColor(QPalette::HighlightedText, QColor(kBase));
    p.setColor(QPalette::ToolTipBase, QColor(kText));
    p.setColor(QPalette::ToolTipText, QColor(kBase));
    p.setColor(QPalette::PlaceholderText, QColor(kDisabledText));
    p.setColor(QPalette::Link, QColor(QRgb{0x00FFFF}));
    p.setColor(QPalette::Light, QColor(kButton).lighter(150));
    p.setColor(QPalette::Midlight, QColor(kButton).lighter(120));
    p.setColor(QPalette::Mid, QColor(kButton).darker(130));
    p.setColor(QPalette::Dark, QColor(kBase).darker(120));
    p.setColor(QPalette::Shadow, QColor(Qt::black));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, QColor(kDisabledText));
    }
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(kWindow));
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(kWindow));
    QApplication::setPalette(p);
    app.setStyleSheet(kStyleSheet);
}

void MakeHeading(QWidget& label) {
    label.setObjectName("Heading");
}

} // namespace veld23
