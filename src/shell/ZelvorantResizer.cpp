#include "ZelvorantResizer.h"

#include "ShellTexts.h"
#include "Tolvu3DLine.h"
#include "Twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

namespace shell {

namespace {
QString captionName() { return QStringLiteral("Caption"); }
QString backColorName() { return QStringLiteral("BackColor"); }

QRect toPixels(const QRect& t)
{
    const double dx = screenDpiX(), dy = screenDpiY();
    return QRect(twipsToPixels(t.left(), dx), twipsToPixels(t.top(), dy), twipsToPixels(t.width(), dx),
                 twipsToPixels(t.height(), dy));
}
}  // namespace

QColor oleColour(quint32 value)
{
    if (value & 0x80000000u) {
        // The few system colours the program's forms use.
        const QPalette pal = QApplication::palette();
        switch (value & 0xFFu) {
        case 5: return pal.color(QPalette::Base);        // window background
        case 8: return pal.color(QPalette::Text);        // window text
        case 13: return pal.color(QPalette::Highlight);  // selection
        case 15:                                         // button face
        default: return pal.color(QPalette::Button);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ResizerLayout resizerLayout(int w, int h, int captionLabelHeight, int closeBoxWidth)
{
    ResizerLayout r;
    r.left = QRect(0, 0, 40, h);
    r.right = QRect(w - 40, 0, 40, h - 20);
    r.top = QRect(20, 0, w, 40);
    r.bottom = QRect(0, h - 40, w, 40);
    r.caption = QRect(20, -70, w - 20, CaptionStripHeight);
    const int centred = (CaptionStripHeight - captionLabelHeight) / 2;
    r.captionLabel = QPoint(80, centred + 40);
    // Centred with the caption label's height, 20 twips above the caption.
    r.closeBox = QPoint(w - closeBoxWidth - 100, centred + 20);
    r.content = QRect(30, CaptionStripHeight - 55, w - 60, h - CaptionStripHeight + 20);
    return r;
}

ZelvorantResizer::ZelvorantResizer(QWidget* parent)
    : QWidget(parent),
      m_frame(new QFrame(this)),
      m_caption(new QLabel(this)),
      m_close(new QLabel(texts::resizerClose(), this)),
      m_lineTop(new Tolvu3DLine(this)),
      m_lineBottom(new Tolvu3DLine(this)),
      m_lineLeft(new Tolvu3DLine(this)),
      m_lineRight(new Tolvu3DLine(this))
{
    setAutoFillBackground(true);
    m_frame->setFrameShape(QFrame::NoFrame);
    QFont bold = m_close->font();
    bold.setBold(true);
    m_close->setFont(bold);
    m_close->setCursor(Qt::PointingHandCursor);
    m_close->adjustSize();
    m_caption->setText(texts::resizerDefaultCaption());
    m_caption->adjustSize();
    m_close->installEventFilter(this);
    applyBackColor();
}

QString ZelvorantResizer::caption() const { return m_caption->text(); }

void ZelvorantResizer::setCaption(const QString& caption)
{
    m_caption->setText(caption);
    m_caption->adjustSize();
    Q_EMIT propertyChanged(captionName());
}

void ZelvorantResizer::setBackColor(quint32 colour)
{
    m_backColor = colour;
    applyBackColor();
    Q_EMIT propertyChanged(backColorName());
}

void ZelvorantResizer::applyBackColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, oleColour(m_backColor));
    setPalette(pal);
}

void ZelvorantResizer::initProperties()
{
    setCaption(texts::resizerNewCaption());
    setBackColor(ButtonFaceColour);
}

void ZelvorantResizer::setContent(QWidget* content)
{
    m_content = content;
    if (content) {
        content->setParent(this);
        content->show();
    }
    relayout();
}

void ZelvorantResizer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void ZelvorantResizer::relayout()
{
    const int w = pixelsToTwips(width(), screenDpiX());
    const int h = pixelsToTwips(height(), screenDpiY());
    const ResizerLayout r = resizerLayout(w, h, pixelsToTwips(m_caption->height(), screenDpiY()),
                                          pixelsToTwips(m_close->width(), screenDpiX()));
    m_lineLeft->setGeometry(toPixels(r.left));
    m_lineRight->setGeometry(toPixels(r.right));
    m_lineTop->setGeometry(toPixels(r.top));
    m_lineBottom->setGeometry(toPixels(r.bottom));
    m_frame->setGeometry(toPixels(r.caption));
    m_caption->move(toPixels(QRect(r.captionLabel, QSize())).topLeft());
    m_close->move(toPixels(QRect(r.closeBox, QSize())).topLeft());
    m_caption->raise();
    m_close->raise();
    // A panel with nothing placed inside stops here; a negative size (a panel
    // smaller than its caption strip) is skipped like any failed step.
    if (m_content && r.content.width() >= 0 && r.content.height() >= 0)
        m_content->setGeometry(toPixels(r.content));
    // The right border is the topmost one.
    m_lineLeft->raise();
    m_lineBottom->raise();
    m_lineTop->raise();
    m_lineRight->raise();
}

bool ZelvorantResizer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_close && event->type() == QEvent::MouseButtonRelease) {
        const auto* me = static_cast<QMouseEvent*>(event);
        // Only the left button, released over the box itself, closes.
        if (me->button() == Qt::LeftButton && m_close->rect().contains(me->position().toPoint()))
            Q_EMIT closeClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace shell
