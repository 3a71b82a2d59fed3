#pragma once
// The path-keyed tree: nodes addressed by their full path ("A\B\C"), found again
// through a case-insensitive hash of keys, never by walking the tree. The same
// model serves the catalogue tree and the pickers' trees.
#include "CaseKey.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace catalogue {

class PathTreeModel;

// One node. Read through the accessors; change through PathTreeModel so that the
// views and the key hash stay in step.
class Node {
public:
    const QString& text() const { return m_text; }
    // The node's key: the path it was created under, blanks written "#@#".
    QString key() const;
    // RecordNumber of the entry the node stands for (decimal text); empty for a folder.
    QString tag() const { return m_tagNumber > 0 ? QString::number(m_tagNumber) : m_tag; }
    int image() const { return m_image; }
    bool isExpanded() const { return m_expanded; }
    Node* parent() const { return m_parent; }
    int row() const { return m_row; }
    int childCount() const { return int(m_children.size()); }
    Node* child(int i) const { return m_children[size_t(i)]; }
    // Texts from the root down to this node joined by "\".
    QString fullPath() const;
    // Order of creation within its tree (the tree's enumeration order).
    quint64 serial() const { return m_serial; }

private:
    friend class PathTreeModel;
    friend class NodeKeyIndex;
    friend bool keyEquals(QStringView probe, const Node* node);
    QString m_text;
    // The key is m_keyHead alone, or, for a node added below a known folder,
    // m_keyHead + "\" + the key of m_keyName: both then shared with the
    // folder's key and the name, so such a node allocates nothing for its key.
    QString m_keyHead;
    QString m_keyName;
    // A catalogue load tags thousands of nodes with RecordNumbers: kept as the
    // number, the text is made only when asked for. m_tag holds any other tag.
    QString m_tag;
    qint64 m_tagNumber = 0;
    int m_image = 0;
    bool m_expanded = false;
    int m_row = 0;
    quint64 m_serial = 0;
    size_t m_keyHash = 0;
    qint64 m_firstBelow = 0;  // see PathTreeModel::firstLandingBelow
    Node* m_parent = nullptr;
    // Owned by the model's node pool, not by the parent.
    std::vector<Node*> m_children;
};

// Whether `probe` is the node's key, without regard to letter case.
bool keyEquals(QStringView probe, const Node* node);

// The key hash: an open-addressing table of (hash, node) slots. A probe reads
// the slot's hash before it touches a node, so a miss costs no pointer chase,
// and filling it allocates nothing per node. Keys are the nodes' own keys.
class NodeKeyIndex {
public:
    Node* find(QStringView key, size_t hash) const;
    // The first node of this hash that `matches`.
    template <class Matches>
    Node* findIf(size_t hash, Matches matches) const
    {
        if (m_slots.empty())
            return nullptr;
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (!slot.node)
                return nullptr;
            if (slot.hash == hash && matches(slot.node))
                return slot.node;
        }
    }
    void insert(Node* node);
    // Removes this very node's slot (another node may hold an equal key).
    void erase(const Node* node);
    void clear();
    void reserve(size_t count);
    size_t size() const { return m_size; }

private:
    struct Slot {
        size_t hash = 0;
        Node* node = nullptr;
    };
    void grow(size_t slots);
    size_t m_size = 0;
    size_t m_mask = 0;
    std::vector<Slot> m_slots;
};

// Key of a path as the tree stores it: every blank replaced by "#@#".
QString nodeKey(const QString& path);

// One switch for the whole program: while on, every addNodePath capitalises
// the tree it adds to. The catalogue load turns it off. A tree that capitalises
// for itself alone (the pickers') uses PathTreeModel::setCapitalising instead.
bool capitaliseOnAdd();
void setCapitaliseOnAdd(bool on);

class PathTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        TagRole = Qt::UserRole + 1,  // QString
        KeyRole,                     // QString
        ImageRole,                   // int
    };

    explicit PathTreeModel(QObject* parent = nullptr);
    ~PathTreeModel() override;

    // Pictures by 1-based index (pictures[0] is picture 1).
    void setPictures(std::vector<QIcon> pictures);
    QIcon pictureOf(int image) const;

    // AddNodePath: creates every missing node of `path` (components joined by
    // "\", one trailing "\" ignored); folders made on the way get folderImage (when
    // > 0); the end node gets image (when > 0) and tag (when not empty). Returns
    // the end node; null for an empty path.
    Node* addNodePath(const QString& path, const QString& tag, int image, int folderImage);
    // A folder made ready for many adds below it: the node, and the key and hash
    // of the path it was asked for.
    struct Folder {
        Node* node = nullptr;
        QString key;
        size_t hash = 0;
    };
    // addNodePath(path, "", 0, folderImage), remembered for addUnder.
    Folder addFolder(const QString& path, int folderImage);
    // The same as addNodePath(path + "\" + name, …) where path is the folder's,
    // for a name that is one component (not empty, no "\"), without hashing the
    // folder's path again: a rebuild adds thousands of entries to a few folders.
    Node* addUnder(const Folder& folder, const QString& name, const QString& tag, int image, int folderImage);
    // The same with a RecordNumber (> 0) as the tag.
    Node* addUnder(const Folder& folder, const QString& name, qint64 recordNumber, int image, int folderImage);
    // NodeExists / GetNode: by key, without regard to letter case.
    bool nodeExists(const QString& path) const { return getNode(path) != nullptr; }
    Node* getNode(const QString& path) const;
    // CapitaliseNodes: the first character of every node's text in upper case;
    // keys stay as they were.
    void capitaliseNodes();
    // This tree alone capitalises on every add (as with the program-wide switch
    // on), so a picker's capitals never reach the catalogue tree.
    void setCapitalising(bool on) { m_capitalise = on; }
    bool capitalising() const;

    void setText(Node* node, const QString& text);
    void setTag(Node* node, const QString& tag);
    void setImage(Node* node, int image);
    void setExpanded(Node* node, bool expanded);
    // Removes the node with everything below it.
    void removeNode(Node* node);
    void clear();

    // Entries whose paths end at one node (equal paths, or an entry whose path
    // is also a folder of others) share it: its tag is the RecordNumber added
    // last, and the numbers added before are kept, so that taking one entry
    // away leaves the node to the others. Every RecordNumber tag the node was
    // given, ascending; empty when it has none.
    std::vector<qint64> landings(const Node* node) const;
    // The smallest of them, 0 when there is none (nothing is allocated).
    qint64 lowestLanding(const Node* node) const;
    // The smallest RecordNumber ending at the node or anywhere below it: the
    // row that made the node in a load, in row order. 0 when there is none.
    qint64 firstLandingBelow(const Node* node) const;
    // The node stands for entry n too; its tag becomes the largest number.
    void addLanding(Node* node, qint64 n);
    // The node no longer stands for entry n; its tag becomes the largest
    // number left, or empty.
    void removeLanding(Node* node, qint64 n);
    // Row n is gone from the base: every tag above n names the row one place
    // further forward.
    void renumberAfterRemoval(qint64 n);
    // Gives the node a new text and every node from it down the key of its new
    // path, as if the branch had been made under the new name. False, changing
    // nothing, when another node already has the new key.
    bool renameNode(Node* node, const QString& text);

    // Sorted orders the root level by text (never the children).
    bool isSorted() const { return m_sorted; }
    void setSorted(bool sorted);

    // Brackets a complete rebuild: one model reset instead of a signal per node.
    void beginRebuild();
    void endRebuild();
    bool rebuilding() const { return m_rebuilding; }
    // Room in the key hash for this many nodes (a rebuild knows roughly how many).
    void reserve(qsizetype nodes);

    int nodeCount() const { return int(m_keys.size()); }
    int rootCount() const { return int(m_roots.size()); }
    Node* root(int i) const { return m_roots[size_t(i)]; }
    // Every node, parents before children, in display order.
    void forEachNode(const std::function<void(Node*)>& visit) const;
    // Every node in the order of creation.
    std::vector<Node*> nodesInCreationOrder() const;

    Node* nodeFromIndex(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* node) const;

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // A node's expanded flag changed through setExpanded (views follow it).
    void nodeExpandedChanged(const QModelIndex& index, bool expanded);

private:
    std::vector<Node*>& siblingsOf(Node* parent);
    Node* newNode();
    Node* lookup(QStringView key, size_t hash) const;
    Node* createNode(Node* parent, const QString& text, const QString& keyHead, const QString& keyName,
                     size_t keyHash, int image);
    Node* finishAdd(Node* node, const QString& tag, int image);
    Node* findOrCreateUnder(const Folder& folder, const QString& name, int folderImage);
    void setImageAndNumber(Node* node, qint64 recordNumber, int image);
    // Before a node's tag is replaced by entry n: keeps the old number.
    void keepEarlierTag(Node* node, qint64 n);
    void rekey(Node* node, const QString& oldKey, const QString& newKey);
    void lowerFirstBelow(Node* node, qint64 n);
    void recomputeFirstBelow(Node* from);
    void computeFirstBelow() const;
    int sortedRootRow(const QString& text) const;
    void forget(Node* node);
    void emitChanged(Node* node);
    void renumber(std::vector<Node*>& siblings, size_t from);
    void sortRoots();

    // Nodes live in chunks that a rebuild frees whole, instead of one heap block
    // per node. A removed node stays in its chunk, emptied, until the next clear.
    // Chunks grow from a few dozen nodes (a picker's tree) to a few thousand.
    std::vector<std::unique_ptr<Node[]>> m_pool;
    size_t m_poolChunk = 0;  // size of the last chunk
    size_t m_poolUsed = 0;   // nodes taken from it
    std::vector<Node*> m_roots;
    NodeKeyIndex m_keys;
    std::vector<QIcon> m_pictures;
    quint64 m_nextSerial = 1;
    bool m_sorted = false;
    bool m_rebuilding = false;
    // False when some node may not have been capitalised yet (added while the
    // switch was off, or relabelled): the next capitalising add visits all nodes.
    bool m_allCapitalised = true;
    bool m_capitalise = false;
    // The earlier RecordNumbers of nodes shared by several entries, ascending.
    std::unordered_map<const Node*, std::vector<qint64>> m_earlier;
    // Whether every node's m_firstBelow is right; made right when first asked
    // after a load, then kept by the changes of single entries.
    mutable bool m_firstBelowValid = false;
};

}  // namespace catalogue
