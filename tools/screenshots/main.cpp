// veld23-screenshots FOLDER: every window in the states worth looking at, as PNG files.
// Run it on a real (virtual) display, at each scale factor to check: `make screenshots`.
#include "Shots.h"

#include "ui/DarkTheme.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: veld23-screenshots FOLDER\n");
        return 2;
    }
    veld23::shots::ShotFolder shots(QString::fromLocal8Bit(argv[1]));
    if (!shots.Ready()) {
        std::fprintf(stderr, "cannot make the folder %s\n", argv[1]);
        return 1;
    }
    veld23::ApplyDarkTheme(app);
    veld23::shots::ShootSmallWindows(shots);
    veld23::shots::ShootMainWindows(shots);
    veld23::shots::ShootFilterWindows(shots);
    veld23::shots::ShootOutputEditors(shots);
    veld23::shots::ShootFinalResponse(shots);
    return shots.Failures() == 0 ? 0 : 1;
}
