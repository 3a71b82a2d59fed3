#pragma once
// An etched 3D line, horizontal or vertical, 40 twips thick: a grey line on the
// upper or left edge and a white one 20 twips beside it.
#include <QLine>
#include <QWidget>

namespace shell {

// What drawing a line of the given style on a control of W × H twips does: the
// control's new size and the end points of both lines, all in twips.
struct Line3DShape {
    int width = 0;
    int height = 0;
    QLine black;
    QLine light;
};
Line3DShape line3DShape(int style, int widthTwips, int heightTwips);

class Tolvu3DLine : public QWidget {
    Q_OBJECT
public:
    static constexpr int Thickness = 40;  // twips

    explicit Tolvu3DLine(QWidget* parent = nullptr);

    int style() const { return m_style; }
    // Stores the style, draws the line (which fixes the thickness) and marks the
    // property changed.
    void setStyle(int style);

    // Current size in twips (the drawing works in twips, like the layout).
    int widthTwips() const;
    int heightTwips() const;

Q_SIGNALS:
    void propertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void draw();
    void followShape();

    int m_style = 0;
    Line3DShape m_shape;
    bool m_drawing = false;
};

}  // namespace shell
