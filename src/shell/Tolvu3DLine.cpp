#include "Tolvu3DLine.h"

#include "Twips.h"

#include <QPainter>

namespace shell {

namespace {
const QColor LineBlack(128, 128, 128);
const QColor LineLight(255, 255, 255);
QString styleName() { return QStringLiteral("Style"); }
}  // namespace

Line3DShape line3DShape(int style, int w, int h)
{
    Line3DShape s;
    if (style != 0) {
        s.width = Tolvu3DLine::Thickness;
        s.height = h;
        s.black = QLine(0, 0, 0, h);
        s.light = QLine(20, 0, 20, h);
    } else {
        s.width = w;
        s.height = Tolvu3DLine::Thickness;
        s.black = QLine(0, 0, w, 0);
        s.light = QLine(0, 20, w, 20);
    }
    return s;
}

Tolvu3DLine::Tolvu3DLine(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

int Tolvu3DLine::widthTwips() const { return pixelsToTwips(width(), screenDpiX()); }
int Tolvu3DLine::heightTwips() const { return pixelsToTwips(height(), screenDpiY()); }

void Tolvu3DLine::setStyle(int style)
{
    m_style = style;
    draw();
    Q_EMIT propertyChanged(styleName());
}

void Tolvu3DLine::followShape()
{
    // The orientation follows the proportions, whatever style was saved.
    setStyle(widthTwips() > heightTwips() ? 0 : 1);
    draw();
}

void Tolvu3DLine::draw()
{
    m_shape = line3DShape(m_style, widthTwips(), heightTwips());
    const QSize px(twipsToPixels(m_shape.width, screenDpiX()), twipsToPixels(m_shape.height, screenDpiY()));
    if (px != size() && !m_drawing) {
        m_drawing = true;  // the resize this causes must not draw again
        resize(px);
        m_drawing = false;
    }
    update();
}

void Tolvu3DLine::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_drawing)
        followShape();
}

void Tolvu3DLine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const double sx = screenDpiX() / TwipsPerInch;
    const double sy = screenDpiY() / TwipsPerInch;
    auto toPx = [&](const QLine& l) {
        return QLine(int(l.x1() * sx), int(l.y1() * sy), int(l.x2() * sx), int(l.y2() * sy));
    };
    p.setPen(LineBlack);
    p.drawLine(toPx(m_shape.black));
    p.setPen(LineLight);
    QLine light = toPx(m_shape.light);
    // At screen resolution 20 twips round to the grey line's own pixel.
    if (m_style != 0 && light.x1() == 0)
        light.translate(1, 0);
    if (m_style == 0 && light.y1() == 0)
        light.translate(0, 1);
    p.drawLine(light);
}

}  // namespace shell
