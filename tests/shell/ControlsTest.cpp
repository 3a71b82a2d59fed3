// The caption panel and the 3D line: their arithmetic, the close box, the
// caption and the background colour.
#include "shell/ShellTexts.h"
#include "shell/Tolvu3DLine.h"
#include "shell/Twips.h"
#include "shell/ZelvorantResizer.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace shell;

namespace {

QSize pixels(int wTwips, int hTwips)
{
    return QSize(twipsToPixels(wTwips, screenDpiX()), twipsToPixels(hTwips, screenDpiY()));
}

}  // namespace

TEST(Tolvu3DLine, OrientationFollowsProportionsAndFixesThickness)
{
    struct Case {
        int w, h, style, expectW, expectH;
    };
    // A square line is vertical; a wide one horizontal; whatever style was saved.
    for (const Case c : {Case{600, 600, 1, 40, 600}, Case{3000, 300, 0, 3000, 40}, Case{300, 3000, 1, 40, 3000}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        Tolvu3DLine line;
        line.setStyle(c.style == 0 ? 1 : 0);
        line.show();
        line.resize(pixels(c.w, c.h));
        EXPECT_EQ(line.style(), c.style);
        EXPECT_EQ(line.size(), pixels(c.expectW, c.expectH));
    }
}

TEST(Tolvu3DLine, ShapeLinesAreTwentyTwipsApart)
{
    const Line3DShape v = line3DShape(5, 300, 900);
    EXPECT_EQ(v.width, 40);
    EXPECT_EQ(v.black, QLine(0, 0, 0, 900));
    EXPECT_EQ(v.light, QLine(20, 0, 20, 900));
    const Line3DShape h = line3DShape(0, 900, 300);
    EXPECT_EQ(h.height, 40);
    EXPECT_EQ(h.black, QLine(0, 0, 900, 0));
    EXPECT_EQ(h.light, QLine(0, 20, 900, 20));

    Tolvu3DLine line;
    QSignalSpy changed(&line, &Tolvu3DLine::propertyChanged);
    line.setStyle(1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), QStringLiteral("Style"));
}

TEST(ZelvorantResizer, LayoutArithmetic)
{
    const ResizerLayout r = resizerLayout(2000, 3000, 200, 100);
    EXPECT_EQ(r.content, QRect(30, 345, 1940, 2620));
    EXPECT_EQ(r.left, QRect(0, 0, 40, 3000));
    EXPECT_EQ(r.right, QRect(1960, 0, 40, 2980));
    EXPECT_EQ(r.top, QRect(20, 0, 2000, 40));
    EXPECT_EQ(r.bottom, QRect(0, 2960, 2000, 40));
    EXPECT_EQ(r.caption, QRect(20, -70, 1980, 400));
    EXPECT_EQ(r.captionLabel, QPoint(80, 140));
    // The close box sits 20 twips higher than the caption, 100 from the right.
    EXPECT_EQ(r.closeBox, QPoint(1800, 120));
}

TEST(ZelvorantResizer, StretchesItsChildAndRightBorderIsTopmost)
{
    QWidget host;
    auto* panel = new ZelvorantResizer(&host);
    auto* child = new QWidget;
    panel->setContent(child);
    host.show();
    panel->resize(pixels(2000, 3000));
    const ResizerLayout r = resizerLayout(2000, 3000, 0, 0);
    EXPECT_EQ(child->parentWidget(), panel);
    EXPECT_EQ(child->geometry(),
              QRect(QPoint(twipsToPixels(30, screenDpiX()), twipsToPixels(345, screenDpiY())),
                    pixels(r.content.width(), r.content.height())));
    // Resizing again follows the new size.
    panel->resize(pixels(4000, 1500));
    EXPECT_EQ(child->width(), twipsToPixels(3940, screenDpiX()));
    EXPECT_EQ(child->height(), twipsToPixels(1500 - 380, screenDpiY()));
    // The last child in stacking order is the right border line.
    const auto lines = panel->findChildren<Tolvu3DLine*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(lines.size(), 4);
    auto* topmost = qobject_cast<Tolvu3DLine*>(panel->children().last());
    ASSERT_NE(topmost, nullptr);
    EXPECT_EQ(topmost->geometry().left(), panel->width() - twipsToPixels(40, screenDpiX()));
    // A panel too small for its caption strip keeps the child where it was.
    const QRect before = child->geometry();
    panel->resize(pixels(2000, 300));
    EXPECT_EQ(child->geometry(), before);
}

TEST(ZelvorantResizer, CloseClickOnlyOnLeftReleaseOverTheBox)
{
    ZelvorantResizer panel;
    panel.resize(pixels(3000, 2000));
    panel.show();
    QSignalSpy spy(&panel, &ZelvorantResizer::closeClick);
    QLabel* box = panel.closeBox();
    const QPoint inside = box->rect().center();
    QTest::mouseClick(box, Qt::RightButton, {}, inside);
    QTest::mouseClick(box, Qt::MiddleButton, {}, inside);
    EXPECT_EQ(spy.count(), 0);
    // Pressing on the box and releasing away from it is a change of mind.
    QTest::mousePress(box, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(box, Qt::LeftButton, {}, inside + QPoint(200, 200));
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseClick(box, Qt::LeftButton, {}, inside);
    EXPECT_EQ(spy.count(), 1);
}

TEST(ZelvorantResizer, CaptionAndBackColour)
{
    ZelvorantResizer panel;
    QSignalSpy changed(&panel, &ZelvorantResizer::propertyChanged);
    EXPECT_EQ(panel.caption(), texts::resizerDefaultCaption());
    EXPECT_EQ(panel.backColor(), ButtonFaceColour);

    // A newly placed control gets the other spelling.
    panel.initProperties();
    EXPECT_EQ(panel.caption(), texts::resizerNewCaption());

    panel.setBackColor(0x0000FFu);
    EXPECT_EQ(panel.palette().color(QPalette::Window), QColor(255, 0, 0));
    panel.setBackColor(0x00FF00u);
    EXPECT_EQ(changed.last().at(0).toString(), QStringLiteral("BackColor"));
}
