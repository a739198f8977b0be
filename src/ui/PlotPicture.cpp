#include "ui/PlotPicture.h"

#include "config/AtomicFile.h"
#include "ui/ProgramDialogs.h"
#include "ui/QtDialogs.h"
#include "ui/QtText.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

#include <cstdint>
#include <span>

namespace veld23 {

namespace {

bool EndsWith(const std::string& path, const char* suffix) {
    return FromUtf8(path).endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

Result<> Write(const std::string& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return Result<>::Failure("Could not save " + path + ": the picture could not be drawn.");
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return WriteFileAtomically(path, std::span(data, static_cast<std::size_t>(bytes.size())));
}

ProgramDialogs* pictureDialogs = nullptr;

ProgramDialogs& PictureDialogs() {
    static QtDialogs plainDialogs;
    return pictureDialogs != nullptr ? *pictureDialogs : plainDialogs;
}

} // namespace

void SetPlotPictureDialogs(ProgramDialogs* dialogs) {
    pictureDialogs = dialogs;
}

void AddPlotPictureActions(QWidget& plot, std::function<QString()> title) {
    plot.setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto add = [&plot](const QString& text, std::function<void()> run) {
        auto* action = new QAction(text, &plot);
        QObject::connect(action, &QAction::triggered, &plot, std::move(run));
        plot.addAction(action);
    };
    add(QObject::tr("Save picture…"),
        [&plot, title] { SavePlotPictureAs(plot, 1, title(), PictureDialogs()); });
    add(QObject::tr("Save picture at double size…"),
        [&plot, title] { SavePlotPictureAs(plot, 2, title(), PictureDialogs()); });
    add(QObject::tr("Copy picture"), [&plot] { CopyPlotPicture(plot, 1); });
    add(QObject::tr("Copy picture at double size"), [&plot] { CopyPlotPicture(plot, 2); });
}

QImage PlotImage(QWidget& plot, int scale) {
    QImage image(plot.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    plot.render(&image);
    return image;
}

QByteArray PlotPng(QWidget& plot, int scale) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!PlotImage(plot, scale).save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}

QByteArray PlotSvg(QWidget& plot, int scale, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(plot.size() * scale);
    // A logical pixel is 1/96 inch on the screen, so the drawing's size reads true.
    svg.setResolution(96);
    svg.setViewBox(QRect(QPoint(0, 0), plot.size()));
    svg.setTitle(title);
    plot.render(&svg);
    return bytes;
}

Result<> SavePlotPicture(QWidget& plot, const std::string& path, int scale, const QString& title) {
    if (EndsWith(path, ".svg")) {
        return Write(path, PlotSvg(plot, scale, title));
    }
    if (EndsWith(path, ".png")) {
        return Write(path, PlotPng(plot, scale));
    }
    return Result<>::Failure("Could not save " + path +
                             ": a picture is saved as PNG (.png) or SVG (.svg).");
}

void SavePlotPictureAs(QWidget& plot, int scale, const QString& title, ProgramDialogs& dialogs) {
    commands::FileDialogRequest request;
    request.title = scale == 1 ? "Save Picture" : "Save Picture at Double Size";
    request.filters = {{"PNG picture *.png", "*.png"}, {"SVG drawing *.svg", "*.svg"}};
    request.defaultExtension = "png";
    // A title is a name, not a path.
    request.fileName = title.isEmpty() ? "plot" : ToUtf8(QString(title).replace('/', '-'));
    const std::optional<std::string> path = dialogs.ChooseFileToSave(request);
    if (!path) {
        return;
    }
    if (const Result<> saved = SavePlotPicture(plot, *path, scale, title); !saved) {
        dialogs.ShowError(saved.Message());
    }
}

void CopyPlotPicture(QWidget& plot, int scale) {
    QApplication::clipboard()->setImage(PlotImage(plot, scale));
}

} // namespace veld23
