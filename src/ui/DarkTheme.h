#pragma once

class QApplication;
class QWidget;

namespace veld23 {

// The processor editor's look: dark blue-green panels in the colours of the response plots,
// light text, aqua headings. Set once on the application; every window follows it.
void ApplyDarkTheme(QApplication& app);

// Gives a label the heading look ("CONNECT", "PASSWORD", "NEW  FILE").
void MakeHeading(QWidget& label);

} // namespace veld23
