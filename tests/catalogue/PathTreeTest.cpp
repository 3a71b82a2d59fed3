// The path-keyed tree: creation along a path, keys, case-blind lookups,
// capitalisation, root-level sorting, removal, and the view following the
// nodes' expanded flags.
#include "catalogue/PathTree.h"
#include "catalogue/CaseKey.h"
#include "catalogue/PathTreeModel.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace catalogue;

namespace {

class PathTreeModelTest : public ::testing::Test {
protected:
    PathTreeModel tree;
    QAbstractItemModelTester tester{&tree, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

QStringList texts(const Node* parent, const PathTreeModel& tree)
{
    QStringList out;
    const int n = parent ? parent->childCount() : tree.rootCount();
    for (int i = 0; i < n; ++i)
        out << (parent ? parent->child(i) : tree.root(i))->text();
    return out;
}

}  // namespace

TEST_F(PathTreeModelTest, AddingAPathCreatesEveryFolderOnTheWay)
{
    Node* c = tree.addNodePath(QStringLiteral("A\\B\\C"), QStringLiteral("7"), 1, 8);
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(tree.rootCount(), 1);
    Node* a = tree.root(0);
    ASSERT_EQ(a->childCount(), 1);
    Node* b = a->child(0);
    ASSERT_EQ(b->childCount(), 1);
    EXPECT_EQ(b->child(0), c);
    EXPECT_EQ(a->text(), QStringLiteral("A"));
    EXPECT_EQ(c->fullPath(), QStringLiteral("A\\B\\C"));
    EXPECT_EQ(a->image(), 8);
    EXPECT_EQ(b->image(), 8);
    EXPECT_EQ(c->image(), 1);
    EXPECT_TRUE(a->tag().isEmpty());
    EXPECT_TRUE(b->tag().isEmpty());
    EXPECT_EQ(c->tag(), QStringLiteral("7"));
    EXPECT_EQ(tree.nodeCount(), 3);

    // A trailing "\" names the same node; adding it again creates nothing.
    EXPECT_EQ(tree.addNodePath(QStringLiteral("A\\B\\C\\"), QString(), 0, 8), c);
    EXPECT_EQ(tree.addNodePath(QStringLiteral("A\\B\\"), QString(), 0, 8), b);
    EXPECT_EQ(tree.nodeCount(), 3);
}

TEST_F(PathTreeModelTest, AddingAnExistingPathChangesOnlyAPositivePictureAndANonEmptyTag)
{
    Node* b = tree.addNodePath(QStringLiteral("A\\B"), QStringLiteral("1"), 2, 8);
    EXPECT_EQ(tree.addNodePath(QStringLiteral("A\\B"), QString(), 0, 4), b);
    EXPECT_EQ(b->image(), 2);
    EXPECT_EQ(b->tag(), QStringLiteral("1"));
    EXPECT_EQ(tree.addNodePath(QStringLiteral("a\\b"), QStringLiteral("9"), 3, 4), b);
    EXPECT_EQ(b->image(), 3);
    EXPECT_EQ(b->tag(), QStringLiteral("9"));  // the later call's tag wins
    EXPECT_EQ(tree.root(0)->image(), 8);       // folders keep their picture
    EXPECT_EQ(tree.nodeCount(), 2);

    // A new end node with no picture of its own keeps the folder picture.
    EXPECT_EQ(tree.addNodePath(QStringLiteral("A\\C"), QString(), 0, 6)->image(), 6);
    EXPECT_EQ(tree.addNodePath(QStringLiteral("A\\D"), QString(), -1, 0)->image(), 0);
}

TEST_F(PathTreeModelTest, KeysReplaceBlanksAndLookupsIgnoreLetterCase)
{
    Node* x = tree.addNodePath(QStringLiteral("Мои файлы\\x"), QString(), 1, 8);
    EXPECT_EQ(tree.root(0)->key(), QStringLiteral("Мои#@#файлы"));
    EXPECT_EQ(x->key(), QStringLiteral("Мои#@#файлы\\x"));

    const struct {
        const char* path;
        bool found;
    } cases[] = {
        {"Мои файлы\\x", true},
        {"МОИ ФАЙЛЫ\\X", true},
        {"мои файлы", true},
        {"Мои#@#файлы\\x", true},  // the key form itself
        {"Мои файлы\\y", false},
        {"Мои  файлы\\x", false},
        {"Моифайлы\\x", false},
        {"x", false},
        {"", false},
        {"\\", false},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        SCOPED_TRACE(c.path);
        EXPECT_EQ(tree.nodeExists(path), c.found);
        Node* n = tree.getNode(path);
        EXPECT_EQ(n != nullptr, c.found);
    }
    EXPECT_EQ(tree.getNode(QStringLiteral("МОИ ФАЙЛЫ\\X")), x);
}

TEST_F(PathTreeModelTest, EmptyComponentsAreNodesAndAnEmptyPathAddsNothing)
{
    Node* b = tree.addNodePath(QStringLiteral("A\\\\B"), QStringLiteral("1"), 1, 8);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(tree.nodeCount(), 3);
    EXPECT_EQ(b->parent()->text(), QString());
    EXPECT_EQ(b->fullPath(), QStringLiteral("A\\\\B"));
    EXPECT_EQ(tree.addNodePath(QString(), QStringLiteral("2"), 1, 8), nullptr);
    EXPECT_EQ(tree.addNodePath(QStringLiteral("\\"), QStringLiteral("2"), 1, 8), nullptr);
    EXPECT_EQ(tree.nodeCount(), 3);
}

TEST_F(PathTreeModelTest, CapitalisingChangesTextsButNotKeys)
{
    tree.addNodePath(QStringLiteral("старое\\дело"), QString(), 1, 8);  // added while the switch is off
    tree.setCapitalising(true);
    Node* api = tree.addNodePath(QStringLiteral("графика\\api"), QString(), 1, 8);
    EXPECT_EQ(api->text(), QStringLiteral("Api"));
    EXPECT_EQ(api->parent()->text(), QStringLiteral("Графика"));
    EXPECT_EQ(api->key(), QStringLiteral("графика\\api"));
    EXPECT_EQ(api->parent()->key(), QStringLiteral("графика"));
    // The whole tree is capitalised, including what was there before.
    Node* old = tree.getNode(QStringLiteral("старое\\дело"));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->text(), QStringLiteral("Дело"));
    EXPECT_EQ(old->parent()->text(), QStringLiteral("Старое"));
    EXPECT_EQ(old->fullPath(), QStringLiteral("Старое\\Дело"));
    // Lookups by the shown path still find the nodes.
    EXPECT_EQ(tree.getNode(QStringLiteral("Графика\\Api")), api);

    // A text changed later is capitalised by the next addition.
    tree.setText(old, QStringLiteral("новое"));
    tree.addNodePath(QStringLiteral("графика\\x"), QString(), 1, 8);
    EXPECT_EQ(old->text(), QStringLiteral("Новое"));

    tree.setCapitalising(false);
    EXPECT_EQ(tree.addNodePath(QStringLiteral("графика\\нижний"), QString(), 1, 8)->text(), QStringLiteral("нижний"));
    tree.capitaliseNodes();
    EXPECT_EQ(tree.getNode(QStringLiteral("графика\\нижний"))->text(), QStringLiteral("Нижний"));
}

TEST_F(PathTreeModelTest, SortedOrdersOnlyTheRootLevel)
{
    for (const char* p : {"в\\я", "б\\2", "в\\а", "а", "б\\1"})
        tree.addNodePath(QString::fromUtf8(p), QString(), 1, 8);
    EXPECT_EQ(texts(nullptr, tree), (QStringList{QStringLiteral("в"), QStringLiteral("б"), QStringLiteral("а")}));
    tree.setSorted(true);
    EXPECT_EQ(texts(nullptr, tree), (QStringList{QStringLiteral("а"), QStringLiteral("б"), QStringLiteral("в")}));
    // Children stay in the order they were added.
    EXPECT_EQ(texts(tree.getNode(QStringLiteral("в")), tree), (QStringList{QStringLiteral("я"), QStringLiteral("а")}));
    EXPECT_EQ(texts(tree.getNode(QStringLiteral("б")), tree), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
    // While sorted, a new root takes its place; a new child goes last.
    tree.addNodePath(QStringLiteral("Бб"), QString(), 1, 8);
    tree.addNodePath(QStringLiteral("в\\б"), QString(), 1, 8);
    EXPECT_EQ(texts(nullptr, tree), (QStringList{QStringLiteral("а"), QStringLiteral("б"), QStringLiteral("Бб"),
                                                 QStringLiteral("в")}));
    EXPECT_EQ(texts(tree.getNode(QStringLiteral("в")), tree),
              (QStringList{QStringLiteral("я"), QStringLiteral("а"), QStringLiteral("б")}));
    // Rows and parents agree after the move.
    for (int i = 0; i < tree.rootCount(); ++i)
        EXPECT_EQ(tree.root(i)->row(), i);
}

TEST_F(PathTreeModelTest, RemovingANodeForgetsItsKeysAndThoseBelow)
{
    tree.addNodePath(QStringLiteral("A\\B\\C"), QStringLiteral("1"), 1, 8);
    tree.addNodePath(QStringLiteral("A\\D"), QStringLiteral("2"), 1, 8);
    tree.removeNode(tree.getNode(QStringLiteral("a\\b")));
    EXPECT_FALSE(tree.nodeExists(QStringLiteral("A\\B")));
    EXPECT_FALSE(tree.nodeExists(QStringLiteral("A\\B\\C")));
    EXPECT_TRUE(tree.nodeExists(QStringLiteral("A\\D")));
    EXPECT_EQ(tree.getNode(QStringLiteral("A\\D"))->row(), 0);
    EXPECT_EQ(tree.nodeCount(), 2);
    // Added again, the path is made afresh.
    Node* c = tree.addNodePath(QStringLiteral("A\\B\\C"), QStringLiteral("3"), 1, 8);
    EXPECT_EQ(c->tag(), QStringLiteral("3"));
    EXPECT_EQ(tree.nodeCount(), 4);
    tree.clear();
    EXPECT_EQ(tree.nodeCount(), 0);
    EXPECT_FALSE(tree.nodeExists(QStringLiteral("A")));
}

// Many removals in scattered order: every remaining key is still found and no
// removed one is, however the key table's runs were shifted to close the gaps.
TEST_F(PathTreeModelTest, ScatteredRemovalsKeepEveryOtherKeyReachable)
{
    QStringList paths;
    for (int i = 0; i < 600; ++i)
        paths << QStringLiteral("F%1\\e %2").arg(i % 7).arg(i);
    for (const QString& p : paths)
        tree.addNodePath(p, QString(), 1, 8);
    QSet<QString> removed;
    for (int i = 0; i < 600; i += 2) {
        const int k = (i * 7919) % 600;  // a scattered order
        if (removed.contains(paths[k]))
            continue;
        tree.removeNode(tree.getNode(paths[k]));
        removed.insert(paths[k]);
    }
    tree.removeNode(tree.getNode(QStringLiteral("f3")));
    int left = 6;  // the folders but F3
    for (const QString& p : paths) {
        const bool gone = removed.contains(p) || p.startsWith(QStringLiteral("F3\\"));
        EXPECT_EQ(tree.nodeExists(p.toLower()), !gone) << qPrintable(p);
        left += gone ? 0 : 1;
    }
    EXPECT_EQ(tree.nodeCount(), left);
}

// Adding below a prepared folder is addNodePath of the joined path: the same
// keys, and either way of adding finds what the other made, in any case.
TEST_F(PathTreeModelTest, AddingBelowAFolderIsAddingTheJoinedPath)
{
    tree.addNodePath(QStringLiteral("Мои файлы\\Старое"), QStringLiteral("1"), 1, 8);
    const PathTreeModel::Folder folder = tree.addFolder(QStringLiteral("мои ФАЙЛЫ"), 8);
    ASSERT_EQ(folder.node, tree.getNode(QStringLiteral("Мои файлы")));
    Node* a = tree.addUnder(folder, QStringLiteral("Новая статья"), QStringLiteral("2"), 3, 8);
    EXPECT_EQ(a->key(), QStringLiteral("мои#@#ФАЙЛЫ\\Новая#@#статья"));
    EXPECT_EQ(a->parent(), folder.node);
    const struct {
        const char* path;
        const char* expectTag;
    } cases[] = {
        {"МОИ ФАЙЛЫ\\новая СТАТЬЯ", "2"},
        {"Мои файлы\\Старое", "1"},
        {"Мои#@#файлы\\Новая#@#статья", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Node* n = tree.getNode(QString::fromUtf8(c.path));
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->tag(), QString::fromUtf8(c.expectTag));
    }
    // Below the folder again, in another case: the node made before.
    EXPECT_EQ(tree.addUnder(folder, QStringLiteral("НОВАЯ статья"), QString(), 0, 8), a);
    EXPECT_EQ(tree.addUnder(folder, QStringLiteral("старое"), QString(), 0, 8),
              tree.getNode(QStringLiteral("Мои файлы\\Старое")));
    // A name that only looks like a key is a key of its own kind: "#@#" and a
    // blank give the same key, as addNodePath has it.
    EXPECT_EQ(tree.addUnder(folder, QStringLiteral("Новая#@#статья"), QString(), 0, 8), a);
    // And addNodePath finds what addUnder made.
    EXPECT_EQ(tree.addNodePath(QStringLiteral("мои файлы\\новая статья"), QStringLiteral("5"), 0, 8), a);
    EXPECT_EQ(a->tag(), QStringLiteral("5"));
    EXPECT_EQ(tree.nodeCount(), 3);
    tree.removeNode(a);
    EXPECT_FALSE(tree.nodeExists(QStringLiteral("Мои файлы\\Новая статья")));
    EXPECT_EQ(tree.nodeCount(), 2);
}

TEST_F(PathTreeModelTest, ARenamedFolderKeepsItsKeyAndAddingUnderEitherNameStaysConsistent)
{
    Node* x = tree.addNodePath(QStringLiteral("x\\c"), QString(), 1, 8)->parent();
    tree.setText(x, QStringLiteral("y"));
    // The old path still reaches the renamed folder; the new one makes a new root.
    Node* d = tree.addNodePath(QStringLiteral("x\\d"), QString(), 1, 8);
    EXPECT_EQ(d->parent(), x);
    Node* yd = tree.addNodePath(QStringLiteral("y\\d"), QString(), 1, 8);
    EXPECT_NE(yd, d);
    EXPECT_EQ(tree.addNodePath(QStringLiteral("x\\d"), QString(), 1, 8), d);
    EXPECT_EQ(tree.addNodePath(QStringLiteral("y\\d"), QString(), 1, 8), yd);
}

TEST_F(PathTreeModelTest, CreationOrderIsKeptAcrossSorting)
{
    tree.addNodePath(QStringLiteral("b\\1"), QString(), 1, 8);
    tree.addNodePath(QStringLiteral("a\\2"), QString(), 1, 8);
    tree.setSorted(true);
    QStringList order;
    for (Node* n : tree.nodesInCreationOrder())
        order << n->fullPath();
    EXPECT_EQ(order, (QStringList{QStringLiteral("b"), QStringLiteral("b\\1"), QStringLiteral("a"), QStringLiteral("a\\2")}));
}

TEST(PathTreeView, ViewFollowsExpandedFlagsAndTheUser)
{
    PathTree view;
    PathTreeModel& tree = *view.nodes();
    Node* b = tree.addNodePath(QStringLiteral("A\\B\\C"), QString(), 1, 8)->parent();
    Node* a = b->parent();
    tree.setExpanded(a, true);
    EXPECT_TRUE(view.isExpanded(tree.indexOf(a)));
    view.expand(tree.indexOf(b));
    EXPECT_TRUE(b->isExpanded());
    view.collapse(tree.indexOf(a));
    EXPECT_FALSE(a->isExpanded());

    // A rebuild hands the flags back to the view.
    tree.beginRebuild();
    tree.clear();
    Node* a2 = tree.addNodePath(QStringLiteral("A\\B"), QString(), 1, 8)->parent();
    tree.setExpanded(a2, true);
    tree.endRebuild();
    EXPECT_TRUE(view.isExpanded(tree.indexOf(a2)));
}

TEST(CaseKey, InlineFoldingAgreesWithQtForEveryCharacter)
{
    // Keys equal under Qt's case-blind comparison must hash alike.
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        ASSERT_EQ(foldedChar(c), QChar::toCaseFolded(c)) << std::hex << quint32(c);
    }
    const QString a = QStringLiteral("Мои Файлы\\ЁЖ\\Ǆ𐐀");
    EXPECT_EQ(CaseInsensitiveHash()(a), CaseInsensitiveHash()(a.toLower()));
    EXPECT_EQ(caseHashContinue(caseHashContinue(CaseHashSeed, a, 0, 4), a, 4, a.size()), CaseInsensitiveHash()(a));
}

TEST(PathTreeView, TheExpanderArrowOnlyOpensAndClosesTheBranch)
{
    PathTree view;
    PathTreeModel& tree = *view.nodes();
    Node* a = tree.addNodePath(QStringLiteral("A\\B\\C"), QString(), 1, 8)->parent()->parent();
    tree.addNodePath(QStringLiteral("D"), QString(), 1, 8);
    view.resize(300, 200);
    view.show();
    QSignalSpy clicks(&view, &PathTree::nodeClicked);
    QSignalSpy presses(&view, &PathTree::mousePressed);
    const QModelIndex ia = tree.indexOf(a);
    const QRect item = view.visualRect(ia);
    // The arrow sits in the indentation just left of the node's picture and text.
    const QPoint arrow(item.left() - view.indentation() / 2, item.center().y());
    ASSERT_EQ(view.nodeAt(arrow), a);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, arrow);
    EXPECT_TRUE(a->isExpanded());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, arrow);
    EXPECT_FALSE(a->isExpanded());
    EXPECT_EQ(clicks.count(), 0);
    // The press is still reported, on its node, so nothing is deselected.
    ASSERT_EQ(presses.count(), 2);
    EXPECT_EQ(presses.at(0).at(3).value<Node*>(), a);

    // A click on the text is a click on the node.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).value<Node*>(), a);
}
