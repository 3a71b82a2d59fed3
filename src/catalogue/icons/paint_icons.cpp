// Draws the catalogue's ten pictures (16×16 and 32×32 PNG files in this folder).
// Not part of the build: the PNG files are committed. After changing a picture:
//   g++ -std=c++20 -fPIC paint_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/paint_icons
//   QT_QPA_PLATFORM=offscreen /tmp/paint_icons src/catalogue/icons
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {

// Every picture is drawn on a 16-unit grid and scaled.
const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor PaperShade(214, 222, 235);
const QColor FolderBack(214, 160, 40);
const QColor FolderFront(252, 208, 84);
const QColor Blue(32, 86, 196);

void page(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(3, 1);
    sheet.lineTo(10, 1);
    sheet.lineTo(13, 4);
    sheet.lineTo(13, 15);
    sheet.lineTo(3, 15);
    sheet.closeSubpath();
    p.setPen(QPen(Ink, 0.8));
    p.setBrush(Paper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(10, 1);
    corner.lineTo(10, 4);
    corner.lineTo(13, 4);
    p.setBrush(PaperShade);
    p.drawPath(corner);
}

void questionMark(QPainter& p, const QRectF& box, const QColor& colour)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(int(box.height()));
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
}

void folder(QPainter& p)
{
    p.setPen(QPen(FolderBack.darker(140), 0.8));
    p.setBrush(FolderBack);
    QPainterPath back;
    back.moveTo(1, 3);
    back.lineTo(6, 3);
    back.lineTo(7.5, 4.5);
    back.lineTo(15, 4.5);
    back.lineTo(15, 14);
    back.lineTo(1, 14);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(FolderFront);
    QPainterPath front;
    front.moveTo(1, 14);
    front.lineTo(2.5, 6.5);
    front.lineTo(15.5, 6.5);
    front.lineTo(15, 14);
    front.closeSubpath();
    p.drawPath(front);
}

void star(QPainter& p, QPointF c, double r)
{
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = (i % 2) ? r * 0.45 : r;
        poly << QPointF(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    }
    p.setPen(QPen(QColor(160, 30, 20), 0.6));
    p.setBrush(QColor(236, 60, 40));
    p.drawPolygon(poly);
}

void basket(QPainter& p)
{
    p.setPen(QPen(QColor(70, 80, 90), 0.8));
    p.setBrush(QColor(168, 180, 192));
    QPolygonF body;
    body << QPointF(3, 5) << QPointF(13, 5) << QPointF(12, 15) << QPointF(4, 15);
    p.drawPolygon(body);
    p.setBrush(QColor(120, 132, 146));
    p.drawRoundedRect(QRectF(2, 4, 12, 2), 0.6, 0.6);
    p.setPen(QPen(QColor(96, 106, 118), 0.7));
    for (double x : {6.0, 8.0, 10.0})
        p.drawLine(QPointF(x, 7), QPointF(x, 14));
}

void window(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Ink, 0.6));
    p.setBrush(Paper);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.3));
}

void arrowArc(QPainter& p, double startDeg, const QColor& c)
{
    const QRectF box(4.3, 5.3, 7.4, 7.4);
    p.setPen(QPen(c, 1.3, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(box, int(startDeg * 16), int(140 * 16));
    // Arrow head at the arc's end.
    const double end = (startDeg + 140) * M_PI / 180;
    const QPointF tip(8 + 3.7 * std::cos(end), 9 - 3.7 * std::sin(end));
    const QPointF dir(-std::sin(end), -std::cos(end));  // direction of travel
    const QPointF side(-dir.y(), dir.x());
    QPolygonF head;
    head << tip + dir * 1.8 << tip + side * 1.5 << tip - side * 1.5;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
}

void house(QPainter& p)
{
    p.setPen(QPen(Ink, 0.6));
    p.setBrush(QColor(200, 40, 30));
    QPolygonF roof;
    roof << QPointF(4, 9) << QPointF(8, 5) << QPointF(12, 9);
    p.drawPolygon(roof);
    p.setBrush(QColor(240, 220, 170));
    p.drawRect(QRectF(5, 9, 6, 4.5));
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(7.2, 10.8, 1.6, 2.7));
}

void package(QPainter& p)
{
    p.setPen(QPen(QColor(110, 70, 30), 0.8));
    p.setBrush(QColor(214, 166, 104));
    p.drawRect(QRectF(1.5, 5, 13, 10));
    p.setBrush(QColor(190, 140, 80));
    QPolygonF lid;
    lid << QPointF(1.5, 5) << QPointF(4, 2) << QPointF(12, 2) << QPointF(14.5, 5);
    p.drawPolygon(lid);
    p.setPen(QPen(QColor(110, 70, 30), 0.8));
    p.drawLine(QPointF(8, 2), QPointF(8, 5));
    window(p, QRectF(4.5, 7.5, 7, 5.5));
}

void book(QPainter& p)
{
    p.setPen(QPen(QColor(20, 30, 80), 0.8));
    p.setBrush(QColor(40, 70, 170));
    p.drawRoundedRect(QRectF(2.5, 1, 11, 14), 1, 1);
    p.setBrush(Paper);
    p.setPen(QPen(QColor(150, 150, 150), 0.5));
    p.drawRect(QRectF(3.5, 13.2, 10, 1.3));
    p.setPen(QPen(QColor(20, 30, 80), 0.8));
    p.drawLine(QPointF(4.5, 1), QPointF(4.5, 13));
    questionMark(p, QRectF(4.5, 1.5, 9, 11), QColor(255, 230, 90));
}

using Painter = std::function<void(QPainter&)>;

const struct {
    const char* name;
    Painter draw;
} Pictures[] = {
    {"article", [](QPainter& p) { page(p); questionMark(p, QRectF(3, 3, 10, 12), Blue); }},
    {"program", [](QPainter& p) { page(p); window(p, QRectF(4.5, 6, 7, 6.5)); }},
    {"link", [](QPainter& p) { page(p); arrowArc(p, 20, QColor(20, 140, 60)); arrowArc(p, 200, QColor(20, 140, 60)); }},
    {"favourites", [](QPainter& p) { folder(p); star(p, QPointF(10.5, 9.8), 4.2); }},
    {"recycle-empty", [](QPainter& p) { basket(p); }},
    {"recycle-full", [](QPainter& p) {
         p.setPen(QPen(Ink, 0.6));
         p.setBrush(Paper);
         p.save();
         p.translate(8, 4);
         p.rotate(-18);
         p.drawRect(QRectF(-4, -3.5, 5, 6));
         p.restore();
         p.save();
         p.translate(9, 3.5);
         p.rotate(14);
         p.setBrush(QColor(250, 246, 200));
         p.drawRect(QRectF(-1, -3, 5, 5.5));
         p.restore();
         basket(p);
     }},
    {"installed-entry", [](QPainter& p) { page(p); house(p); }},
    {"folder", [](QPainter& p) { folder(p); }},
    {"installed-bases", [](QPainter& p) { package(p); }},
    {"root", [](QPainter& p) { book(p); }},
};

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    for (const auto& picture : Pictures) {
        for (int size : {16, 32}) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.scale(size / 16.0, size / 16.0);
            picture.draw(p);
            p.end();
            image.save(QStringLiteral("%1/%2-%3.png").arg(dir, QString::fromLatin1(picture.name)).arg(size));
        }
    }
    return 0;
}
