#pragma once

#include "config/Result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace veld23 {

class ProgramDialogs;

// Pictures of a plot for reports and other programs: what the widget paints, at its size
// in the window or at twice the pixels (scale 2), as PNG or as an SVG drawing.

QImage PlotImage(QWidget& plot, int scale);
QByteArray PlotPng(QWidget& plot, int scale);
// The drawing is `scale` times the plot's size; its coordinates are the plot's own.
QByteArray PlotSvg(QWidget& plot, int scale, const QString& title);

// Writes the picture whole or not at all, as SVG for a name ending in ".svg" and as PNG
// for ".png". A failure's message is for the user.
Result<> SavePlotPicture(QWidget& plot, const std::string& path, int scale, const QString& title);

// The plot's context menu: "Save picture…", "Save picture at double size…", "Copy
// picture", "Copy picture at double size". `title` names the picture.
void AddPlotPictureActions(QWidget& plot, std::function<QString()> title);
// Where "Save picture…" asks for the file and reports a failure: the program's dialogs,
// set once; without them the plain Qt dialogs.
void SetPlotPictureDialogs(ProgramDialogs* dialogs);

// "Save picture…": asks for the file (PNG or SVG) and saves, or shows why it could not.
void SavePlotPictureAs(QWidget& plot, int scale, const QString& title, ProgramDialogs& dialogs);
// "Copy picture": the PNG picture on the clipboard.
void CopyPlotPicture(QWidget& plot, int scale);

} // namespace veld23
