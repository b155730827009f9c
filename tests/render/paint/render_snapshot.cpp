// Writes the composed chart area of the default plan as a PNG, to look at by eye:
//   render_snapshot [path [width height [markerX markerY]]]
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "paint/paint_cycle.h"
#include "plan/plan_fields.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const char* path = argc > 1 ? argv[1] : "/tmp/quorvel-default.png";
    const int width = argc > 3 ? std::atoi(argv[2]) : 1000;
    const int height = argc > 3 ? std::atoi(argv[3]) : 600;
    quorvel::MarkerPoint marker;
    if (argc > 5) {
        marker = {std::atoi(argv[4]), std::atoi(argv[5])};
    }
    const QImage image = quorvel::ComposeChartArea(quorvel::PlanFields{}, width, height, marker);
    if (image.isNull() || !image.save(QString::fromLocal8Bit(path), "PNG")) {
        std::fprintf(stderr, "render_snapshot: could not write %s\n", path);
        return 1;
    }
    std::printf("%s: %d x %d\n", path, width, height);
    return 0;
}
