// Draws the program's icon (kodrix-<size>.png in this folder): the logo's blue
// disc with its "K", in every size the desktop asks for. Not part of
// the build: the PNG files are committed, and the window, the splash window and
// the installed desktop entry all use them. After changing the picture:
//   g++ -std=c++20 -fPIC paint_app_icon.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/paint_app_icon
//   QT_QPA_PLATFORM=offscreen /tmp/paint_app_icon src/shell/icons
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

QImage paint(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Drawn on a 40-unit grid, as the logo animation's frames are.
    p.scale(size / 40.0, size / 40.0);
    const QPointF c(20, 20);
    const double r = 18.5;
    QRadialGradient disc(QPointF(15, 13), 26);
    disc.setColorAt(0, QColor(110, 160, 235));
    disc.setColorAt(1, QColor(25, 55, 120));
    p.setPen(QPen(QColor(15, 30, 70), size <= 24 ? 2.0 : 1.2));
    p.setBrush(disc);
    p.drawEllipse(c, r, r);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(22);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 40, 40), Qt::AlignCenter, QStringLiteral("K"));
    return img;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_app_icon FOLDER\n");
        return 2;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        if (!paint(size).save(
                QStringLiteral("%1/kodrix-%2.png").arg(QString::fromLocal8Bit(argv[1]), QString::number(size))))
            return 1;
    return 0;
}
