#include "PathTreeModel.h"

#include <QStringBuilder>
#include <QVarLengthArray>

#include <algorithm>

namespace catalogue {

namespace {

bool g_capitaliseOnAdd = false;

const QChar Separator = QLatin1Char('\\');

// Upper case of the first character, the rest unchanged.
QString capitalised(const QString& text)
{
    if (text.isEmpty())
        return text;
    const QString first = text.left(1).toUpper();
    if (first == text.left(1))
        return text;
    return first + text.mid(1);
}

int compareTexts(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

bool equalIgnoringCase(QStringView a, QStringView b)
{
    // Paths usually come back in the letter case they were made in.
    return a == b || a.compare(b, Qt::CaseInsensitive) == 0;
}

// Whether `probe` is the key of `name` (its blanks written "#@#"), without
// regard to letter case, without writing that key out.
bool equalsKeyOf(QStringView probe, QStringView name)
{
    qsizetype pos = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype blank = name.indexOf(QLatin1Char(' '), from);
        const qsizetype end = blank < 0 ? name.size() : blank;
        const QStringView part = name.mid(from, end - from);
        if (probe.size() - pos < part.size() || !equalIgnoringCase(probe.mid(pos, part.size()), part))
            return false;
        pos += part.size();
        if (blank < 0)
            return pos == probe.size();
        if (probe.mid(pos, 3) != QLatin1String("#@#"))
            return false;
        pos += 3;
        from = blank + 1;
    }
}

// The case-blind hash of the key of `name` continued from h.
size_t caseHashOfKey(size_t h, QStringView name)
{
    static const QString blank = QStringLiteral("#@#");
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = name.indexOf(QLatin1Char(' '), from);
        h = caseHashContinue(h, name, from, at < 0 ? name.size() : at);
        if (at < 0)
            return h;
        h = caseHashContinue(h, blank, 0, blank.size());
        from = at + 1;
    }
}

// Writes the key of text at out (blanks as "#@#"); returns the end.
QChar* writeKey(QStringView text, QChar* out)
{
    for (const QChar c : text) {
        if (c == QLatin1Char(' ')) {
            *out++ = QLatin1Char('#');
            *out++ = QLatin1Char('@');
            *out++ = QLatin1Char('#');
        } else {
            *out++ = c;
        }
    }
    return out;
}

}  // namespace

bool keyEquals(QStringView probe, const Node* node)
{
    if (node->m_keyName.isNull())
        return equalIgnoringCase(probe, node->m_keyHead);
    const qsizetype head = node->m_keyHead.size();
    return probe.size() > head && probe[head] == Separator &&
           equalIgnoringCase(probe.left(head), node->m_keyHead) && equalsKeyOf(probe.mid(head + 1), node->m_keyName);
}

QString Node::key() const
{
    return m_keyName.isNull() ? m_keyHead : m_keyHead % Separator % nodeKey(m_keyName);
}

bool capitaliseOnAdd() { return g_capitaliseOnAdd; }
void setCapitaliseOnAdd(bool on) { g_capitaliseOnAdd = on; }

namespace {

// A tag as a RecordNumber; 0 for an empty or other tag.
qint64 numberOf(const QString& tag)
{
    bool ok = false;
    const qint64 n = tag.toLongLong(&ok);
    return ok && n > 0 ? n : 0;
}

qint64 numberOf(const Node* node) { return numberOf(node->tag()); }

void insertAscending(std::vector<qint64>& numbers, qint64 n)
{
    const auto it = std::lower_bound(numbers.begin(), numbers.end(), n);
    if (it == numbers.end() || *it != n)
        numbers.insert(it, n);
}

}  // namespace

bool PathTreeModel::capitalising() const { return m_capitalise || g_capitaliseOnAdd; }

QString nodeKey(const QString& path)
{
    const qsizetype blanks = path.count(QLatin1Char(' '));
    if (blanks == 0)
        return path;
    // Written out in one pass: most catalogue names have blanks, and a general
    // replace costs more than the rest of the key.
    QString key(path.size() + 2 * blanks, Qt::Uninitialized);
    writeKey(path, key.data());
    return key;
}

QString Node::fullPath() const
{
    if (!m_parent)
        return m_text;
    // Collect the texts once, then join: deep nodes are common in the catalogue.
    std::vector<const QString*> texts;
    qsizetype length = 0;
    for (const Node* n = this; n; n = n->m_parent) {
        texts.push_back(&n->m_text);
        length += n->m_text.size() + 1;
    }
    QString path;
    path.reserve(length);
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
        if (!path.isEmpty() || it != texts.rbegin())
            path += Separator;
        path += **it;
    }
    return path;
}

PathTreeModel::PathTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

PathTreeModel::~PathTreeModel() = default;

void PathTreeModel::setPictures(std::vector<QIcon> pictures)
{
    m_pictures = std::move(pictures);
    if (!m_roots.empty() && !m_rebuilding) {
        beginResetModel();
        endResetModel();
    }
}

QIcon PathTreeModel::pictureOf(int image) const
{
    if (image < 1 || size_t(image) > m_pictures.size())
        return {};
    return m_pictures[size_t(image - 1)];
}

Node* NodeKeyIndex::find(QStringView key, size_t hash) const
{
    return findIf(hash, [key](const Node* n) { return keyEquals(key, n); });
}

void NodeKeyIndex::insert(Node* node)
{
    // At most half full: probes stay short and an empty slot always ends them.
    if (2 * (m_size + 1) > m_slots.size())
        grow(std::max<size_t>(64, 2 * m_slots.size()));
    const size_t hash = node->m_keyHash;
    size_t i = hash & m_mask;
    while (m_slots[i].node)
        i = (i + 1) & m_mask;
    m_slots[i] = {hash, node};
    ++m_size;
}

void NodeKeyIndex::erase(const Node* node)
{
    if (m_slots.empty())
        return;
    size_t i = node->m_keyHash & m_mask;
    while (m_slots[i].node != node) {
        if (!m_slots[i].node)
            return;
        i = (i + 1) & m_mask;
    }
    // Backward shift: move later members of the run into the hole when their
    // home slot allows it, so lookups never meet a gap inside a run.
    size_t hole = i;
    for (size_t j = (i + 1) & m_mask; m_slots[j].node; j = (j + 1) & m_mask) {
        const size_t home = m_slots[j].hash & m_mask;
        // Distance from home to j and from home to the hole, cyclically.
        if (((j - home) & m_mask) >= ((j - hole) & m_mask)) {
            m_slots[hole] = m_slots[j];
            hole = j;
        }
    }
    m_slots[hole] = {};
    --m_size;
}

void NodeKeyIndex::clear()
{
    std::fill(m_slots.begin(), m_slots.end(), Slot{});
    m_size = 0;
}

void NodeKeyIndex::reserve(size_t count)
{
    size_t slots = 64;
    while (slots < 2 * count)
        slots *= 2;
    if (slots > m_slots.size())
        grow(slots);
}

void NodeKeyIndex::grow(size_t slots)
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(slots, Slot{});
    m_mask = slots - 1;
    for (const Slot& s : old) {
        if (!s.node)
            continue;
        size_t i = s.hash & m_mask;
        while (m_slots[i].node)
            i = (i + 1) & m_mask;
        m_slots[i] = s;
    }
}

std::vector<Node*>& PathTreeModel::siblingsOf(Node* parent)
{
    return parent ? parent->m_children : m_roots;
}

Node* PathTreeModel::newNode()
{
    if (m_poolUsed == m_poolChunk) {
        m_poolChunk = std::clamp<size_t>(2 * m_poolChunk, 32, 4096);
        m_pool.push_back(std::make_unique<Node[]>(m_poolChunk));
        m_poolUsed = 0;
    }
    return &m_pool.back()[m_poolUsed++];
}

Node* PathTreeModel::lookup(QStringView key, size_t hash) const
{
    return m_keys.find(key, hash);
}

int PathTreeModel::sortedRootRow(const QString& text) const
{
    // After the last root that does not sort after text: equal texts keep their
    // order of arrival.
    const auto it = std::upper_bound(m_roots.begin(), m_roots.end(), text,
                                     [](const QString& t, const Node* n) {
                                         return compareTexts(t, n->m_text) < 0;
                                     });
    return int(it - m_roots.begin());
}

void PathTreeModel::renumber(std::vector<Node*>& siblings, size_t from)
{
    for (size_t i = from; i < siblings.size(); ++i)
        siblings[i]->m_row = int(i);
}

Node* PathTreeModel::createNode(Node* parent, const QString& text, const QString& keyHead, const QString& keyName,
                               size_t keyHash, int image)
{
    Node* raw = newNode();
    raw->m_text = text;
    raw->m_keyHead = keyHead;
    raw->m_keyName = keyName;
    raw->m_keyHash = keyHash;
    raw->m_image = image;
    raw->m_parent = parent;
    raw->m_serial = m_nextSerial++;
    auto& siblings = siblingsOf(parent);
    const int row = (!parent && m_sorted) ? sortedRootRow(text) : int(siblings.size());
    const bool signal = !m_rebuilding;
    if (signal)
        beginInsertRows(indexOf(parent), row, row);
    siblings.insert(siblings.begin() + row, raw);
    renumber(siblings, size_t(row));
    m_keys.insert(raw);
    if (signal)
        endInsertRows();
    if (!capitalising())
        m_allCapitalised = false;
    return raw;
}

Node* PathTreeModel::addNodePath(const QString& path, const QString& tag, int image, int folderImage)
{
    QString requested = path;
    if (requested.endsWith(Separator))
        requested.chop(1);
    if (requested.isEmpty())
        return nullptr;

    // Keys of the running paths c0, c0\c1, … are prefixes of the whole key, so
    // one key is built and each component costs one hash lookup of a view.
    const QString key = nodeKey(requested);
    // Paths are a handful of components: keep the bookkeeping off the heap.
    QVarLengthArray<qsizetype, 16> keyEnds;   // end of each component in key
    QVarLengthArray<qsizetype, 16> textEnds;  // and in the requested path
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (key[i] == Separator)
            keyEnds.push_back(i);
    }
    keyEnds.push_back(key.size());
    for (qsizetype i = 0; i < requested.size(); ++i) {
        if (requested[i] == Separator)
            textEnds.push_back(i);
    }
    textEnds.push_back(requested.size());
    Q_ASSERT(keyEnds.size() == textEnds.size());
    QVarLengthArray<size_t, 16> hashes(keyEnds.size());  // hash of each running path
    size_t h = CaseHashSeed;
    for (qsizetype i = 0; i < keyEnds.size(); ++i) {
        h = caseHashContinue(h, key, i == 0 ? 0 : keyEnds[i - 1], keyEnds[i]);
        hashes[i] = h;
    }

    // Find the deepest running path that exists. A node's key is the path it was
    // created under, so every shorter running path of an existing one exists too
    // and the search may start from the end; the usual call (a new entry in a
    // known folder) costs two lookups.
    qsizetype found = -1;
    Node* current = nullptr;
    for (qsizetype i = qsizetype(keyEnds.size()) - 1; i >= 0; --i) {
        if (Node* n = lookup(QStringView(key).left(keyEnds[i]), hashes[i])) {
            current = n;
            found = i;
            break;
        }
    }
    for (qsizetype i = found + 1; i < qsizetype(keyEnds.size()); ++i) {
        const qsizetype start = i == 0 ? 0 : textEnds[i - 1] + 1;
        const QString text = requested.mid(start, textEnds[i] - start);
        const qsizetype keyEnd = keyEnds[i];
        current = createNode(current, capitalising() ? capitalised(text) : text,
                             keyEnd == key.size() ? key : key.left(keyEnd), QString(), hashes[i],
                             folderImage > 0 ? folderImage : 0);
    }

    return finishAdd(current, tag, image);
}

PathTreeModel::Folder PathTreeModel::addFolder(const QString& path, int folderImage)
{
    Folder folder;
    folder.node = addNodePath(path, QString(), 0, folderImage);
    if (!folder.node)
        return folder;
    QString requested = path;
    if (requested.endsWith(Separator))
        requested.chop(1);
    folder.key = nodeKey(requested);
    folder.hash = CaseInsensitiveHash()(folder.key);
    return folder;
}

Node* PathTreeModel::findOrCreateUnder(const Folder& folder, const QString& name, int folderImage)
{
    Q_ASSERT(folder.node && !name.isEmpty() && !name.contains(Separator));
    // The key addNodePath would give is the requested path's key, then the
    // name's; it is hashed and compared in those two parts, never written out.
    static const QString separator(Separator);
    const size_t hash = caseHashOfKey(caseHashContinue(folder.hash, separator, 0, 1), name);
    Node* node = m_keys.findIf(hash, [&folder, &name](const Node* n) {
        return keyEquals(QString(folder.key % Separator % nodeKey(name)), n);
    });
    if (!node)
        node = createNode(folder.node, capitalising() ? capitalised(name) : name, folder.key, name, hash,
                          folderImage > 0 ? folderImage : 0);
    return node;
}

Node* PathTreeModel::addUnder(const Folder& folder, const QString& name, const QString& tag, int image,
                              int folderImage)
{
    return finishAdd(findOrCreateUnder(folder, name, folderImage), tag, image);
}

Node* PathTreeModel::addUnder(const Folder& folder, const QString& name, qint64 recordNumber, int image,
                              int folderImage)
{
    Node* node = findOrCreateUnder(folder, name, folderImage);
    setImageAndNumber(node, recordNumber, image);
    if (capitalising() && !m_allCapitalised)
        capitaliseNodes();
    return node;
}

void PathTreeModel::setImageAndNumber(Node* node, qint64 recordNumber, int image)
{
    bool changed = false;
    if (image > 0 && node->m_image != image) {
        node->m_image = image;
        changed = true;
    }
    if (recordNumber > 0 && node->m_tagNumber != recordNumber) {
        keepEarlierTag(node, recordNumber);
        lowerFirstBelow(node, recordNumber);
        node->m_tagNumber = recordNumber;
        node->m_tag = QString();
        changed = true;
    }
    if (changed)
        emitChanged(node);
}

Node* PathTreeModel::finishAdd(Node* node, const QString& tag, int image)
{
    if (image > 0 && node->m_image != image) {
        node->m_image = image;
        emitChanged(node);
    }
    if (!tag.isEmpty() && node->tag() != tag) {
        keepEarlierTag(node, numberOf(tag));
        lowerFirstBelow(node, numberOf(tag));
        node->m_tag = tag;
        node->m_tagNumber = 0;
        emitChanged(node);
    }
    if (capitalising() && !m_allCapitalised)
        capitaliseNodes();
    return node;
}

Node* PathTreeModel::getNode(const QString& path) const
{
    const QString key = nodeKey(path);
    return lookup(key, CaseInsensitiveHash()(key));
}

void PathTreeModel::capitaliseNodes()
{
    forEachNode([this](Node* n) {
        const QString text = capitalised(n->m_text);
        if (text != n->m_text) {
            n->m_text = text;
            emitChanged(n);
        }
    });
    m_allCapitalised = true;
}

void PathTreeModel::emitChanged(Node* node)
{
    if (m_rebuilding)
        return;
    const QModelIndex i = indexOf(node);
    Q_EMIT dataChanged(i, i);
}

void PathTreeModel::setText(Node* node, const QString& text)
{
    if (node->m_text == text)
        return;
    node->m_text = text;
    m_allCapitalised = false;
    emitChanged(node);
}

void PathTreeModel::setTag(Node* node, const QString& tag)
{
    if (node->tag() == tag)
        return;
    m_firstBelowValid = false;
    node->m_tag = tag;
    node->m_tagNumber = 0;
    emitChanged(node);
}

void PathTreeModel::setImage(Node* node, int image)
{
    if (node->m_image == image)
        return;
    node->m_image = image;
    emitChanged(node);
}

void PathTreeModel::setExpanded(Node* node, bool expanded)
{
    if (node->m_expanded == expanded)
        return;
    node->m_expanded = expanded;
    if (!m_rebuilding)
        Q_EMIT nodeExpandedChanged(indexOf(node), expanded);
}

void PathTreeModel::forget(Node* node)
{
    m_keys.erase(node);
    if (!m_earlier.empty())
        m_earlier.erase(node);
    for (Node* c : node->m_children)
        forget(c);
    // The node stays in the pool until the next clear; release what it holds.
    node->m_children = {};
    node->m_text = node->m_keyHead = node->m_keyName = node->m_tag = QString();
    node->m_tagNumber = 0;
    node->m_parent = nullptr;
}

void PathTreeModel::removeNode(Node* node)
{
    if (!node)
        return;
    auto& siblings = siblingsOf(node->m_parent);
    const int row = node->m_row;
    const bool signal = !m_rebuilding;
    if (signal)
        beginRemoveRows(indexOf(node->m_parent), row, row);
    Node* parent = node->m_parent;
    const bool wasFirst = parent && node->m_firstBelow > 0 && node->m_firstBelow == parent->m_firstBelow;
    forget(node);
    siblings.erase(siblings.begin() + row);
    renumber(siblings, size_t(row));
    if (wasFirst)
        recomputeFirstBelow(parent);
    if (signal)
        endRemoveRows();
}

void PathTreeModel::clear()
{
    const bool signal = !m_rebuilding;
    if (signal)
        beginResetModel();
    m_keys.clear();
    m_roots.clear();
    m_earlier.clear();
    m_firstBelowValid = false;
    m_pool.clear();
    m_poolChunk = m_poolUsed = 0;
    m_allCapitalised = true;
    if (signal)
        endResetModel();
}

void PathTreeModel::sortRoots()
{
    std::stable_sort(m_roots.begin(), m_roots.end(),
                     [](const Node* a, const Node* b) {
                         return compareTexts(a->m_text, b->m_text) < 0;
                     });
}

void PathTreeModel::setSorted(bool sorted)
{
    const bool wasSorted = m_sorted;
    m_sorted = sorted;
    if (!sorted || wasSorted)
        return;
    if (m_rebuilding) {
        sortRoots();
        renumber(m_roots, 0);
        return;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Persistent indexes of the roots move with their nodes; deeper ones keep
    // their rows, since only the root level is ordered.
    const QModelIndexList before = persistentIndexList();
    std::vector<Node*> nodes;
    nodes.reserve(size_t(before.size()));
    for (const QModelIndex& i : before)
        nodes.push_back(nodeFromIndex(i));
    sortRoots();
    renumber(m_roots, 0);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.push_back(nodes[size_t(i)] ? createIndex(nodes[size_t(i)]->m_row, before[i].column(), nodes[size_t(i)])
                                         : QModelIndex());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PathTreeModel::reserve(qsizetype nodes)
{
    m_keys.reserve(size_t(std::max<qsizetype>(nodes, 0)));
    // The nodes themselves come in chunks as they are made.
}

void PathTreeModel::beginRebuild()
{
    if (m_rebuilding)
        return;
    beginResetModel();
    m_rebuilding = true;
}

void PathTreeModel::endRebuild()
{
    if (!m_rebuilding)
        return;
    m_rebuilding = false;
    endResetModel();
}

void PathTreeModel::forEachNode(const std::function<void(Node*)>& visit) const
{
    // Iterative pre-order: paths can be deep and trees large.
    std::vector<Node*> stack;
    for (auto it = m_roots.rbegin(); it != m_roots.rend(); ++it)
        stack.push_back(*it);
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        visit(n);
        for (auto it = n->m_children.rbegin(); it != n->m_children.rend(); ++it)
            stack.push_back(*it);
    }
}

std::vector<Node*> PathTreeModel::nodesInCreationOrder() const
{
    std::vector<Node*> all;
    all.reserve(m_keys.size());
    forEachNode([&all](Node* n) { all.push_back(n); });
    std::sort(all.begin(), all.end(), [](const Node* a, const Node* b) { return a->m_serial < b->m_serial; });
    return all;
}

Node* PathTreeModel::nodeFromIndex(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex PathTreeModel::indexOf(const Node* node) const
{
    if (!node)
        return {};
    return createIndex(node->m_row, 0, const_cast<Node*>(node));
}

QModelIndex PathTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (parent.isValid() && parent.column() != 0)
        return {};
    const Node* p = nodeFromIndex(parent);
    const auto& siblings = p ? p->m_children : m_roots;
    if (size_t(row) >= siblings.size())
        return {};
    return createIndex(row, 0, siblings[size_t(row)]);
}

QModelIndex PathTreeModel::parent(const QModelIndex& child) const
{
    const Node* n = nodeFromIndex(child);
    return n ? indexOf(n->m_parent) : QModelIndex();
}

int PathTreeModel::rowCount(const QModelIndex& parent) const
{
    if (m_rebuilding)
        return 0;
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const Node* p = nodeFromIndex(parent);
    return int(p ? p->m_children.size() : m_roots.size());
}

int PathTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant PathTreeModel::data(const QModelIndex& index, int role) const
{
    const Node* n = nodeFromIndex(index);
    if (!n)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return n->m_text;
    case Qt::DecorationRole: {
        const QIcon icon = pictureOf(n->m_image);
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    case TagRole:
        return n->tag();
    case KeyRole:
        return n->key();
    case ImageRole:
        return n->m_image;
    default:
        return {};
    }
}

Qt::ItemFlags PathTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace catalogue

namespace catalogue {

void PathTreeModel::keepEarlierTag(Node* node, qint64 n)
{
    const qint64 old = numberOf(node);
    if (old > 0 && old != n)
        insertAscending(m_earlier[node], old);
}

std::vector<qint64> PathTreeModel::landings(const Node* node) const
{
    std::vector<qint64> all;
    if (const auto it = m_earlier.find(node); it != m_earlier.end())
        all = it->second;
    if (const qint64 tag = numberOf(node); tag > 0)
        insertAscending(all, tag);
    return all;
}

qint64 PathTreeModel::lowestLanding(const Node* node) const
{
    qint64 lowest = node->m_tagNumber > 0 ? node->m_tagNumber : (node->m_tag.isEmpty() ? 0 : numberOf(node->m_tag));
    if (!m_earlier.empty()) {
        if (const auto it = m_earlier.find(node); it != m_earlier.end() && !it->second.empty())
            lowest = lowest > 0 ? std::min(lowest, it->second.front()) : it->second.front();
    }
    return lowest;
}

void PathTreeModel::addLanding(Node* node, qint64 n)
{
    if (!node || n <= 0)
        return;
    const qint64 tag = numberOf(node);
    if (tag == n)
        return;
    lowerFirstBelow(node, n);
    if (tag > n) {
        insertAscending(m_earlier[node], n);
        return;
    }
    if (tag > 0)
        insertAscending(m_earlier[node], tag);
    node->m_tagNumber = n;
    node->m_tag = QString();
    emitChanged(node);
}

void PathTreeModel::removeLanding(Node* node, qint64 n)
{
    if (!node)
        return;
    const auto it = m_earlier.find(node);
    if (numberOf(node) != n) {
        if (it != m_earlier.end()) {
            std::erase(it->second, n);
            if (it->second.empty())
                m_earlier.erase(it);
            if (node->m_firstBelow == n)
                recomputeFirstBelow(node);
        }
        return;
    }
    node->m_tag = QString();
    node->m_tagNumber = 0;
    if (it != m_earlier.end()) {
        // The largest number left takes the tag.
        node->m_tagNumber = it->second.back();
        it->second.pop_back();
        if (it->second.empty())
            m_earlier.erase(it);
    }
    if (node->m_firstBelow == n)
        recomputeFirstBelow(node);
    emitChanged(node);
}

void PathTreeModel::renumberAfterRemoval(qint64 n)
{
    m_firstBelowValid = false;
    // Tags are not shown, so the views need no signal.
    forEachNode([n](Node* node) {
        if (node->m_tagNumber > n) {
            --node->m_tagNumber;
        } else if (node->m_tagNumber == n) {
            node->m_tagNumber = 0;
        } else if (node->m_tagNumber == 0 && !node->m_tag.isEmpty()) {
            const qint64 t = numberOf(node->m_tag);
            if (t > n)
                node->m_tag = QString::number(t - 1);
            else if (t == n)
                node->m_tag = QString();
        }
    });
    for (auto it = m_earlier.begin(); it != m_earlier.end();) {
        std::vector<qint64>& numbers = it->second;
        std::erase(numbers, n);
        for (qint64& x : numbers) {
            if (x > n)
                --x;
        }
        it = numbers.empty() ? m_earlier.erase(it) : std::next(it);
    }
}

void PathTreeModel::rekey(Node* node, const QString& oldKey, const QString& newKey)
{
    // Every key below the node starts with the node's key (in some letter
    // case): the new key is the new start and the tail as written.
    std::vector<Node*> stack{node};
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        stack.insert(stack.end(), n->m_children.begin(), n->m_children.end());
        const QString key = n == node ? newKey : QString(newKey % QStringView(n->key()).mid(oldKey.size()));
        m_keys.erase(n);
        n->m_keyHead = key;
        n->m_keyName = QString();
        n->m_keyHash = CaseInsensitiveHash()(key);
        m_keys.insert(n);
    }
}

bool PathTreeModel::renameNode(Node* node, const QString& text)
{
    if (!node || text.isEmpty() || text.contains(Separator))
        return false;
    const QString oldKey = node->key();
    const QString newKey = node->m_parent ? node->m_parent->key() % Separator % nodeKey(text) : nodeKey(text);
    if (Node* other = lookup(newKey, CaseInsensitiveHash()(newKey)); other && other != node)
        return false;
    rekey(node, oldKey, newKey);
    setText(node, text);
    return true;
}

}  // namespace catalogue

namespace catalogue {

void PathTreeModel::lowerFirstBelow(Node* node, qint64 n)
{
    if (!m_firstBelowValid || n <= 0)
        return;
    for (Node* a = node; a && (a->m_firstBelow == 0 || n < a->m_firstBelow); a = a->m_parent)
        a->m_firstBelow = n;
}

void PathTreeModel::recomputeFirstBelow(Node* from)
{
    if (!m_firstBelowValid)
        return;
    for (Node* a = from; a; a = a->m_parent) {
        qint64 first = lowestLanding(a);
        for (const Node* c : a->m_children) {
            if (c->m_firstBelow > 0 && (first == 0 || c->m_firstBelow < first))
                first = c->m_firstBelow;
        }
        if (first == a->m_firstBelow)
            return;  // nothing above changes either
        a->m_firstBelow = first;
    }
}

void PathTreeModel::computeFirstBelow() const
{
    // Children after their parents in `order`; filled from the end.
    std::vector<Node*> order;
    order.reserve(m_keys.size());
    forEachNode([&order](Node* n) { order.push_back(n); });
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Node* n = *it;
        qint64 first = lowestLanding(n);
        for (const Node* c : n->m_children) {
            if (c->m_firstBelow > 0 && (first == 0 || c->m_firstBelow < first))
                first = c->m_firstBelow;
        }
        n->m_firstBelow = first;
    }
    m_firstBelowValid = true;
}

qint64 PathTreeModel::firstLandingBelow(const Node* node) const
{
    if (!node)
        return 0;
    if (!m_firstBelowValid)
        computeFirstBelow();
    return node->m_firstBelow;
}

}  // namespace catalogue
