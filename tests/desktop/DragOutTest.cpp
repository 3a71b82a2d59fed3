// Attachments dragged out of the article's list onto a drop target of another
// window, through the X server's drag and drop.
#include "AppFolder.h"
#include "Scripted.h"

#include "attachments/PackArchive.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "shell/FrmMain.h"
#include "shell/NavigationBinding.h"
#include "shell/Startup.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A window that takes file lists, as a file manager's folder would.
class DropTarget : public QWidget {
public:
    DropTarget() { setAcceptDrops(true); }
    QList<QUrl> urls;
    Qt::DropAction action = Qt::IgnoreAction;

protected:
    void dragEnterEvent(QDragEnterEvent* e) override
    {
        if (e->mimeData()->hasUrls())
            e->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* e) override { e->acceptProposedAction(); }
    void dropEvent(QDropEvent* e) override
    {
        urls = e->mimeData()->urls();
        action = e->dropAction();
        e->acceptProposedAction();
    }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(DragOut, AttachmentsDroppedOnAnotherWindowArriveAsFiles)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    const QByteArray form("VERSION 5.00\r\nBegin VB.Form Form1\r\n\x00\xff", 40);
    const QByteArray module("Attribute VB_Name = \"Модуль\"\r\n");
    auto archive = attachments::packEntries(
        {{QStringLiteral("Form1.frm"), form}, {QStringLiteral("Модуль.bas"), module}});
    ASSERT_TRUE(archive.ok());
    testsupport::Entry article;
    article.path = QStringLiteral("Примеры");
    article.name = QStringLiteral("Статья с файлами");
    article.fileList = QStringLiteral(";Form1.frm;Модуль.bas");
    article.archive = *archive;
    const std::vector<testsupport::Entry> entries{article};
    testsupport::AppFolder app(entries);
    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;
    shell::FrmMain w(app.dir, prompter, desktop);
    ASSERT_TRUE(shell::formLoad(w, nullptr).ok());
    catalogue::Node* node = w.Twv->getNode(QStringLiteral("Zelvorant Kodrix\\Записи\\Примеры\\Статья с файлами"));
    ASSERT_NE(node, nullptr);
    w.navigation().navigator().treeNodeClick(node);
    ASSERT_EQ(w.LstFile->count(), 2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    DropTarget target;
    target.setGeometry(40, 40, 240, 200);
    target.show();
    target.raise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));

    w.LstFile->selectAll();
    QWidget* viewport = w.LstFile->viewport();
    const QPoint from = w.LstFile->visualItemRect(w.LstFile->item(0)).center();
    // The drag runs its own loop until the button is released over the target.
    // Release only once the drag has begun: on a busy machine a fixed delay can
    // come before it, and the drag would then wait for a release that never comes.
    QTimer release;
    QObject::connect(&release, &QTimer::timeout, &target, [&] {
        if (!w.LstFile->findChild<QDrag*>())
            return;
        release.stop();
        const QPoint c = target.rect().center();
        QTest::mouseMove(&target, c);
        QTest::mouseMove(&target, c + QPoint(2, 2));
        QTest::mouseRelease(&target, Qt::LeftButton, {}, c + QPoint(2, 2));
    });
    release.start(100);
    // Whatever happens, no drag is left hanging.
    QTimer::singleShot(8000, &target, [&target] { QTest::keyClick(&target, Qt::Key_Escape); });
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport, from + QPoint(4, 4));
    QTest::mouseMove(viewport, from + QPoint(40, 40));
    (void)QTest::qWaitFor([&] { return target.urls.size() >= 2; }, 10000);
    ASSERT_EQ(target.urls.size(), 2);
    EXPECT_EQ(target.action, Qt::CopyAction);
    EXPECT_EQ(target.urls[0].toLocalFile(), app.data() + QStringLiteral("/Form1.frm"));
    EXPECT_EQ(target.urls[1].toLocalFile(), app.data() + QStringLiteral("/Модуль.bas"));
    EXPECT_EQ(fileBytes(target.urls[0].toLocalFile()), form);
    EXPECT_EQ(fileBytes(target.urls[1].toLocalFile()), module);
    // Both items stay where they were: nothing moved inside the list.
    EXPECT_EQ(w.LstFile->count(), 2);
    EXPECT_TRUE(prompter.shown.empty());
}
