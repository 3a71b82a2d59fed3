#pragma once
// A caption panel: a caption strip with a close box "x", a thin 3D border, and
// the one control placed inside stretched over the rest. The host decides what
// closing means.
#include <QRect>
#include <QWidget>

class QFrame;
class QLabel;

namespace shell {

class Tolvu3DLine;

// OLE colour as the saved properties keep it: 0x00BBGGRR, or a system colour
// 0x800000nn (nn the system colour index).
inline constexpr quint32 ButtonFaceColour = 0x8000000F;
QColor oleColour(quint32 value);

// Where the panel's parts go for a panel of W × H twips, the caption label's
// height and the close box's width (twips). Rectangles are left, top, width, height.
struct ResizerLayout {
    QRect left, right, top, bottom;  // the four 3D lines
    QRect caption;                   // FraCapt
    QPoint captionLabel;             // LblCaption's top-left
    QPoint closeBox;                 // LblClose's top-left
    QRect content;                   // the control placed inside
};
inline constexpr int CaptionStripHeight = 400;  // twips
ResizerLayout resizerLayout(int w, int h, int captionLabelHeight, int closeBoxWidth);

class ZelvorantResizer : public QWidget {
    Q_OBJECT
public:
    explicit ZelvorantResizer(QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);
    quint32 backColor() const { return m_backColor; }
    void setBackColor(quint32 colour);

    // A newly placed panel: the new-panel caption and the button-face background.
    void initProperties();

    // Places the control that fills the panel (the panel takes it as a child).
    void setContent(QWidget* content);

    QLabel* closeBox() const { return m_close; }

Q_SIGNALS:
    void closeClick();
    void propertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyBackColor();
    void relayout();

    QFrame* m_frame;
    QLabel* m_caption;
    QLabel* m_close;
    Tolvu3DLine* m_lineTop;
    Tolvu3DLine* m_lineBottom;
    Tolvu3DLine* m_lineLeft;
    Tolvu3DLine* m_lineRight;
    QWidget* m_content = nullptr;
    quint32 m_backColor = ButtonFaceColour;
};

}  // namespace shell
