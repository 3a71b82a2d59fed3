#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

// The icon files are a resource of this static library: nothing refers to its
// initialiser, so the linker would drop it unless it is registered by hand.
static void registerShellResources()
{
    Q_INIT_RESOURCE(shell);
}

namespace shell {

namespace {

const QColor Ink(40, 52, 80);

void page(QPainter& p, const QRectF& r, const QColor& fill)
{
    QPainterPath path;
    const double fold = r.width() * 0.3;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
    p.setPen(QPen(QColor(150, 160, 185), 1));
    for (double y = r.top() + fold + 2; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void folder(QPainter& p, const QRectF& r, const QColor& fill)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 3);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + 3);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + 6);
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(fill);
    p.drawPath(path);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double len = width * 2.2;
    for (double s : {-0.6, 0.6})
        p.drawLine(to, QPointF(to.x() - len * std::cos(a + s), to.y() - len * std::sin(a + s)));
}

void package(QPainter& p, const QColor& body, const QColor& band)
{
    const QRectF box(3, 9, 15, 12);
    p.setPen(QPen(Ink, 1));
    p.setBrush(body);
    p.drawRect(box);
    p.setBrush(body.lighter(115));
    QPolygonF lid;
    lid << QPointF(3, 9) << QPointF(7, 5) << QPointF(22, 5) << QPointF(18, 9);
    p.drawPolygon(lid);
    QPolygonF side;
    side << QPointF(18, 9) << QPointF(22, 5) << QPointF(22, 17) << QPointF(18, 21);
    p.setBrush(body.darker(115));
    p.drawPolygon(side);
    p.setPen(QPen(band, 2));
    p.drawLine(QPointF(10.5, 9), QPointF(10.5, 21));
}

void paintTool(QPainter& p, int index, bool hot)
{
    const QColor paper = hot ? QColor(255, 255, 240) : QColor(250, 250, 250);
    switch (index) {
    case catalogue::PicAdd:
        page(p, QRectF(3, 2, 15, 20), paper);
        p.setPen(QPen(QColor(30, 150, 40), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 13), QPointF(17, 22));
        p.drawLine(QPointF(12.5, 17.5), QPointF(21.5, 17.5));
        break;
    case catalogue::PicDel:
        page(p, QRectF(3, 2, 15, 20), paper);
        p.setPen(QPen(hot ? QColor(230, 30, 30) : QColor(190, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(21, 21));
        p.drawLine(QPointF(21, 12), QPointF(12, 21));
        break;
    case catalogue::PicSee:
        page(p, QRectF(2, 2, 12, 16), paper);
        page(p, QRectF(10, 7, 12, 16), paper);
        arrow(p, QPointF(6, 20), QPointF(9, 13), hot ? QColor(20, 110, 230) : QColor(30, 90, 180), 1.6);
        break;
    case catalogue::PicUp:
        folder(p, QRectF(2, 6, 20, 15), hot ? QColor(255, 214, 90) : QColor(240, 196, 70));
        arrow(p, QPointF(12, 19), QPointF(12, 4), hot ? QColor(20, 140, 40) : QColor(20, 110, 40), 2.4);
        break;
    case catalogue::PicCopy:
        page(p, QRectF(2, 2, 13, 16), paper);
        page(p, QRectF(9, 7, 13, 16), hot ? QColor(235, 245, 255) : QColor(225, 235, 250));
        break;
    case catalogue::PicExtract:
        package(p, hot ? QColor(225, 180, 110) : QColor(205, 160, 95), QColor(160, 60, 40));
        arrow(p, QPointF(14, 15), QPointF(21, 2), hot ? QColor(20, 140, 40) : QColor(20, 120, 40), 2.2);
        break;
    case catalogue::PicStyle: {
        const QColor c = hot ? QColor(70, 130, 220) : QColor(60, 100, 170);
        p.setPen(QPen(Ink, 1));
        for (int r = 0; r < 2; ++r)
            for (int k = 0; k < 2; ++k) {
                p.setBrush(c.lighter(100 + 20 * (r + k)));
                p.drawRect(QRectF(3 + 10 * k, 3 + 10 * r, 8, 8));
            }
        break;
    }
    case catalogue::PicExtractNone:
        package(p, QColor(200, 200, 200), QColor(150, 150, 150));
        break;
    case catalogue::PicPrint:
        page(p, QRectF(6, 1, 12, 9), paper);
        p.setPen(QPen(Ink, 1));
        p.setBrush(hot ? QColor(200, 205, 215) : QColor(175, 180, 190));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        p.setBrush(paper);
        p.drawRect(QRectF(6, 15, 12, 7));
        p.setBrush(QColor(60, 190, 60));
        p.drawEllipse(QRectF(17, 11, 2.5, 2.5));
        break;
    case catalogue::PicExtractLeft:
        package(p, QColor(215, 200, 175), QColor(170, 140, 120));
        arrow(p, QPointF(21, 2), QPointF(14, 14), QColor(150, 150, 150), 2.0);
        break;
    default:  // 10 … 12: blank pages kept for the list's numbering
        page(p, QRectF(5, 2, 14, 20), paper);
        break;
    }
}

}  // namespace

QPixmap toolPicture(int index, bool hot)
{
    QPixmap pm(ToolPictureSize, ToolPictureSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paintTool(p, index, hot);
    return pm;
}

QIcon toolIcon(int index)
{
    QIcon icon;
    icon.addPixmap(toolPicture(index, false), QIcon::Normal);
    icon.addPixmap(toolPicture(index, true), QIcon::Active);
    return icon;
}

QPixmap logoFrame(int n)
{
    QPixmap pm(LogoSize, LogoSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(LogoSize / 2.0, LogoSize / 2.0);
    const double r = LogoSize / 2.0 - 2;
    QRadialGradient disc(c, r);
    disc.setColorAt(0, QColor(90, 140, 220));
    disc.setColorAt(1, QColor(25, 55, 120));
    p.setPen(QPen(QColor(15, 30, 70), 1.5));
    p.setBrush(disc);
    p.drawEllipse(c, r, r);
    // A bright sweep turns once in the whole cycle; frame 1 points straight up.
    const double step = 360.0 / LogoFrameCount;
    const int start = int((90.0 - (n - 1) * step) * 16);
    QConicalGradient sweep(c, 90.0 - (n - 1) * step);
    sweep.setColorAt(0.0, QColor(255, 220, 90, 230));
    sweep.setColorAt(0.25, QColor(255, 220, 90, 0));
    sweep.setColorAt(1.0, QColor(255, 220, 90, 0));
    p.setPen(QPen(QBrush(sweep), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(c.x() - r + 3, c.y() - r + 3, 2 * (r - 3), 2 * (r - 3)), start, -90 * 16);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(LogoSize / 2);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, LogoSize, LogoSize), Qt::AlignCenter, QStringLiteral("K"));
    return pm;
}

QPixmap splashPicture(const QSize& size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, size.height());
    bg.setColorAt(0, QColor(30, 60, 130));
    bg.setColorAt(1, QColor(10, 20, 50));
    p.fillRect(pm.rect(), bg);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    for (int x = -size.height(); x < size.width(); x += 14)
        p.drawLine(x, size.height(), x + size.height(), 0);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(std::max(12, size.height() / 5));
    p.setFont(f);
    p.setPen(QColor(255, 220, 90));
    p.drawText(QRect(0, size.height() / 8, size.width(), size.height() / 3), Qt::AlignCenter,
               QStringLiteral("Kodrix"));
    const QPixmap logo = logoFrame(15);
    p.drawPixmap(size.width() - logo.width() - 12, 12, logo);
    return pm;
}

QIcon appIcon()
{
    registerShellResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/shell/kodrix-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace shell
