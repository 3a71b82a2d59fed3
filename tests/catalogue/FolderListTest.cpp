// The folder list widget: its four modes over one model and one selection,
// the events it reports with the row under the pointer, sorting, and the name
// hash following every change of the rows.
#include "catalogue/AlphaIndexList.h"
#include "catalogue/FolderList.h"
#include "catalogue/Pictures.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace catalogue;

namespace {

class FolderListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FolderModel& m = *list.items();
        m.addItem(QStringLiteral("Папка"), PicFolder, QString());
        m.addItem(QStringLiteral("Статья"), PicArticle, QStringLiteral("3"));
        m.addItem(QStringLiteral("Ярлык"), PicLink, QStringLiteral("5"));
        list.resize(500, 300);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }
    QPoint centreOf(int row)
    {
        QAbstractItemView* v = list.currentView();
        const QRect r = v->visualRect(list.items()->index(row, 0));
        return r.center();
    }
    FolderList list;
    QAbstractItemModelTester tester{list.items(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

}  // namespace

TEST_F(FolderListTest, ModesShareOneSelectionAndReportShowsTheFourColumns)
{
    list.selectRow(1);
    for (ViewMode mode : {ViewMode::LargeIcons, ViewMode::SmallIcons, ViewMode::List, ViewMode::Report}) {
        list.setViewMode(mode);
        SCOPED_TRACE(int(mode));
        EXPECT_EQ(list.viewMode(), mode);
        EXPECT_TRUE(list.currentView()->isVisible());
        EXPECT_EQ(list.selectedRow(), 1);
        EXPECT_EQ(list.selectedTag(), QStringLiteral("3"));
    }
    EXPECT_EQ(list.currentView(), list.reportView());
    QStringList headers;
    for (int c = 0; c < list.items()->columnCount(); ++c)
        headers << list.items()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{QStringLiteral("Имя"), QStringLiteral("Тип"), QStringLiteral("Дата создания"),
                                    QStringLiteral("Исходная база")}));
    list.setViewMode(ViewMode::LargeIcons);
    EXPECT_EQ(list.iconView()->iconSize(), QSize(32, 32));
    EXPECT_EQ(list.iconView()->viewMode(), QListView::IconMode);
    list.setViewMode(ViewMode::List);
    EXPECT_EQ(list.iconView()->iconSize(), QSize(16, 16));
    list.deselectAll();
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_TRUE(list.selectedTag().isEmpty());
}

TEST_F(FolderListTest, MouseAndKeyEventsComeWithTheRowUnderThePointer)
{
    for (ViewMode mode : {ViewMode::LargeIcons, ViewMode::Report}) {
        SCOPED_TRACE(int(mode));
        list.setViewMode(mode);
        QSignalSpy pressed(&list, &FolderList::mousePressed);
        QSignalSpy released(&list, &FolderList::mouseReleased);
        QSignalSpy doubled(&list, &FolderList::doubleClicked);
        QSignalSpy keys(&list, &FolderList::keyPressed);
        QWidget* vp = list.currentView()->viewport();

        QTest::mouseClick(vp, Qt::RightButton, {}, centreOf(2));
        ASSERT_EQ(pressed.count(), 1);
        EXPECT_EQ(pressed[0][0].value<Qt::MouseButton>(), Qt::RightButton);
        EXPECT_EQ(pressed[0][3].toInt(), 2);
        ASSERT_EQ(released.count(), 1);
        EXPECT_EQ(released[0][3].toInt(), 2);
        // By the release the view has selected the item, as the handlers expect.
        EXPECT_EQ(list.selectedRow(), 2);

        QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(vp->width() - 3, vp->height() - 3));
        EXPECT_EQ(released.last()[3].toInt(), -1);

        QTest::mouseDClick(vp, Qt::LeftButton, {}, centreOf(1));
        EXPECT_EQ(doubled.count(), 1);
        EXPECT_EQ(list.selectedRow(), 1);

        QTest::keyClick(list.currentView(), Qt::Key_Delete);
        QTest::keyClick(list.currentView(), Qt::Key_Return);
        ASSERT_EQ(keys.count(), 2);
        EXPECT_EQ(keys[0][0].toInt(), int(Qt::Key_Delete));
        EXPECT_EQ(keys[1][0].toInt(), int(Qt::Key_Return));
    }
}

TEST_F(FolderListTest, HeaderClicksReportTheColumn)
{
    list.setViewMode(ViewMode::Report);
    QSignalSpy clicked(&list, &FolderList::columnClicked);
    QHeaderView* header = list.reportView()->header();
    const int x = header->sectionViewportPosition(1) + header->sectionSize(1) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 1);
}

TEST_F(FolderListTest, SortingKeepsTheSelectionAndTheNameHash)
{
    FolderModel& m = *list.items();
    list.selectRow(0);  // "Папка"
    list.setSortOrder(Qt::DescendingOrder);
    list.setSorted(true);
    EXPECT_EQ(m.text(0), QStringLiteral("Ярлык"));
    EXPECT_EQ(list.selectedTag(), QString());
    EXPECT_EQ(m.text(list.selectedRow()), QStringLiteral("Папка"));
    // While sorted a new item takes its place, and lookups follow.
    const int row = m.addItem(QStringLiteral("Рисунок"), PicArticle, QStringLiteral("9"));
    EXPECT_EQ(row, 2);
    for (int i = 0; i < m.count(); ++i)
        EXPECT_EQ(m.findText(m.text(i).toLower()), i);
    m.setText(row, QStringLiteral("Абзац"));
    EXPECT_EQ(m.findText(QStringLiteral("рисунок")), -1);
    EXPECT_EQ(m.findText(QStringLiteral("АБЗАЦ")), row);
    m.removeItem(0);
    EXPECT_EQ(m.findText(QStringLiteral("Ярлык")), -1);
    EXPECT_EQ(m.findText(QStringLiteral("Папка")), m.count() - 1);
}

TEST_F(FolderListTest, DatesSortByTimeNotByText)
{
    FolderModel& m = *list.items();
    m.setAdded(0, QDateTime(QDate(2004, 1, 2), QTime(0, 0)));   // "02.01.2004" sorts first as text
    m.setAdded(1, QDateTime(QDate(2003, 12, 31), QTime(0, 0)));
    m.setSortKey(FolderModel::ColAdded);
    m.setSorted(true);
    EXPECT_EQ(m.text(0), QStringLiteral("Ярлык"));  // no date first
    EXPECT_EQ(m.text(1), QStringLiteral("Статья"));
    EXPECT_EQ(m.text(2), QStringLiteral("Папка"));
}

TEST_F(FolderListTest, ALabelEditIsAppliedOnlyWhenTheValidatorAgrees)
{
    FolderModel& m = *list.items();
    m.setLabelsEditable(true);
    m.labelValidator = [&m](int, const QString& text) { return !text.isEmpty() && !m.containsText(text); };
    EXPECT_FALSE(m.setData(m.index(1, 0), QStringLiteral("ПАПКА")));
    EXPECT_FALSE(m.setData(m.index(1, 0), QString()));
    EXPECT_TRUE(m.setData(m.index(1, 0), QStringLiteral("Новая")));
    EXPECT_EQ(m.text(1), QStringLiteral("Новая"));
    EXPECT_EQ(m.findText(QStringLiteral("новая")), 1);
}

TEST(AlphaIndex, SortedOnceAndMarkedItemsAreBoldDarkBlue)
{
    AlphaIndexList view;
    AlphaIndexModel& m = *view.items();
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    m.beginRefill();
    for (const char* t : {"функции", "Анимация", "файлы", "анимация"})
        m.append(QString::fromUtf8(t), m.count() + 1);
    m.setSorted(true);
    m.endRefill();
    QStringList texts;
    for (int i = 0; i < m.count(); ++i)
        texts << m.text(i);
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Анимация"), QStringLiteral("анимация"), QStringLiteral("файлы"),
                                  QStringLiteral("функции")}));
    EXPECT_EQ(m.tag(2), 3);
    m.setMarked(2, true);
    EXPECT_TRUE(m.data(m.index(2), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(m.data(m.index(2), Qt::ForegroundRole).value<QBrush>().color(), QColor(22, 26, 90));
    m.setMarked(2, false);
    EXPECT_EQ(m.data(m.index(2), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
}

// The sort folds each title once; its order must be the one a case-blind
// QString comparison gives, and later sorted inserts rely on that agreement.
TEST(AlphaIndex, SortAgreesWithCaseBlindComparison)
{
    const QStringList titles{QStringLiteral("ёжик"), QStringLiteral("Ежик"), QStringLiteral("ЁЖИК"),
                             QStringLiteral("zeta"), QStringLiteral("Zeta"), QStringLiteral("_x"),
                             QStringLiteral("[x]"), QStringLiteral("ǅemal"), QStringLiteral("ǆemal"),
                             QString::fromUtf8("\xF0\x9F\x98\x80 emoji"), QString::fromUtf8("\xEF\xBC\xA1 full"),
                             QStringLiteral("Σίσυφος"), QStringLiteral("σίσυφος"), QStringLiteral("straße"),
                             QStringLiteral("STRASSE"), QString(), QStringLiteral("9"), QStringLiteral("Ǆ")};
    AlphaIndexModel m;
    m.beginRefill();
    for (const QString& t : titles)
        m.append(t, m.count() + 1);
    m.setSorted(true);
    m.endRefill();
    QStringList expected = titles;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    QStringList got;
    for (int i = 0; i < m.count(); ++i)
        got << m.text(i);
    EXPECT_EQ(got, expected);
}

TEST(Pictures, TenPicturesInBothSizes)
{
    for (int i = 1; i <= PictureCount; ++i) {
        SCOPED_TRACE(i);
        const QPixmap small = picturePixmap(i, false);
        const QPixmap large = picturePixmap(i, true);
        ASSERT_EQ(small.size(), QSize(16, 16));
        ASSERT_EQ(large.size(), QSize(32, 32));
        // Drawn, not blank.
        const QImage img = large.toImage();
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                opaque += qAlpha(img.pixel(x, y)) > 0;
        EXPECT_GT(opaque, 200);
        EXPECT_FALSE(picture(i).isNull());
    }
    EXPECT_TRUE(picture(0).isNull());
    EXPECT_TRUE(picture(11).isNull());
    EXPECT_EQ(cataloguePictures().size(), size_t(PictureCount));
}
