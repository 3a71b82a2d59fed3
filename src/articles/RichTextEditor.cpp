#include "RichTextEditor.h"

#include "ArticlePane.h"
#include "ArticleTexts.h"
#include "EditBar.h"

#include "catalogue/MainState.h"
#include "dialogs/CdlgEx.h"
#include "platform/Prompter.h"
#include "richtext/Rtf.h"
#include "store/Record.h"

#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <cmath>
#include <optional>

namespace articles {

namespace {

// The selection's format as the bar shows it; an empty value where the
// selection is mixed.
struct SelectionFormat {
    std::optional<QString> font;
    std::optional<qreal> size;
    std::optional<bool> bold, italic, underline;
    std::optional<Qt::Alignment> alignment;
};

template <class T>
void meet(std::optional<T>& acc, bool& first, const T& v, bool& mixed)
{
    if (first)
        acc = v;
    else if (!mixed && acc && *acc != v)
        mixed = true;
}

SelectionFormat selectionFormat(const QTextCursor& c, const QFont& defaultFont)
{
    SelectionFormat out;
    auto family = [&](const QTextCharFormat& f) {
        const QStringList fams = f.fontFamilies().toStringList();
        return fams.isEmpty() ? defaultFont.family() : fams.front();
    };
    auto size = [&](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : defaultFont.pointSizeF();
    };
    auto alignOf = [](const QTextBlockFormat& b) {
        const Qt::Alignment a = b.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            return Qt::Alignment(Qt::AlignHCenter);
        if (a & (Qt::AlignRight))
            return Qt::Alignment(Qt::AlignRight);
        return Qt::Alignment(Qt::AlignLeft);
    };
    if (!c.hasSelection()) {
        const QTextCharFormat f = c.charFormat();
        out.font = family(f);
        out.size = size(f);
        out.bold = f.fontWeight() >= QFont::Bold;
        out.italic = f.fontItalic();
        out.underline = f.fontUnderline();
        out.alignment = alignOf(c.blockFormat());
        return out;
    }
    const int from = c.selectionStart();
    const int to = c.selectionEnd();
    bool first = true, mFont = false, mSize = false, mBold = false, mItalic = false, mUnder = false, mAlign = false;
    const QTextDocument* doc = c.document();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        const Qt::Alignment a = alignOf(b.blockFormat());
        bool firstBlock = !out.alignment.has_value();
        if (firstBlock)
            out.alignment = a;
        else if (*out.alignment != a)
            mAlign = true;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.position() + frag.length() <= from || frag.position() >= to)
                continue;
            const QTextCharFormat f = frag.charFormat();
            meet(out.font, first, family(f), mFont);
            meet(out.size, first, size(f), mSize);
            meet(out.bold, first, f.fontWeight() >= QFont::Bold, mBold);
            meet(out.italic, first, f.fontItalic(), mItalic);
            meet(out.underline, first, f.fontUnderline(), mUnder);
            first = false;
        }
    }
    if (mFont) out.font.reset();
    if (mSize) out.size.reset();
    if (mBold) out.bold.reset();
    if (mItalic) out.italic.reset();
    if (mUnder) out.underline.reset();
    if (mAlign) out.alignment.reset();
    return out;
}

// Whether a key pressed in the pane changes its text, as QTextEdit handles keys:
// printable text, the deleting and breaking keys, and the clipboard and undo keys.
bool keyEdits(const QKeyEvent& e)
{
    for (QKeySequence::StandardKey k :
         {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
          QKeySequence::Backspace, QKeySequence::Delete, QKeySequence::DeleteStartOfWord,
          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine,
          QKeySequence::InsertParagraphSeparator, QKeySequence::InsertLineSeparator})
        if (e.matches(k))
            return true;
    switch (e.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return true;
    default:
        break;
    }
    const QString t = e.text();
    return !t.isEmpty() && t.front().isPrint() && !(e.modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

QString sizeText(qreal points)
{
    const qreal whole = std::round(points);
    return std::abs(points - whole) < 0.01 ? QString::number(int(whole)) : QString::number(points, 'g', 4);
}

}  // namespace

RichTextEditor::RichTextEditor(catalogue::MainState& state, EditorWidgets widgets, QObject* parent)
    : QObject(parent), m_state(state), m_w(std::move(widgets))
{
    if (m_w.rtf) {
        connect(m_w.rtf, &ArticlePane::mousePressed, this, &RichTextEditor::syncEditBar);
        connect(m_w.rtf, &ArticlePane::mouseReleased, this, &RichTextEditor::syncEditBar);
        // Moving the selection with the keys is followed too, as in any editor.
        connect(m_w.rtf, &QTextEdit::cursorPositionChanged, this, &RichTextEditor::syncEditBar);
    }
    if (m_w.bar) {
        connect(m_w.bar, &EditBar::buttonClicked, this, &RichTextEditor::buttonClick);
        connect(m_w.bar, &EditBar::fontChosen, this, &RichTextEditor::applyFont);
        connect(m_w.bar, &EditBar::sizeChosen, this, &RichTextEditor::applySize);
    }
    if (m_w.rtf) {
        // The keys every editor has; the type styles go through their buttons
        // so that the bar shows the new state.
        for (const auto& [keys, k] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_B), EditButton::Bold},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::Key_I), EditButton::Italic},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::Key_U), EditButton::Underline}}) {
            auto* shortcut = new QShortcut(keys, m_w.rtf, nullptr, nullptr, Qt::WidgetShortcut);
            connect(shortcut, &QShortcut::activated, this, [this, k = k] {
                if (!m_w.bar || m_w.rtf->isReadOnly())
                    return;
                m_w.bar->setValue(k, m_w.bar->value(k) == 1 ? 0 : 1);
                buttonClick(k);
            });
        }
        auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), m_w.rtf, nullptr, nullptr, Qt::WidgetShortcut);
        connect(redo, &QShortcut::activated, m_w.rtf, [this] {
            if (mayChange())
                m_w.rtf->redo();
        });
        // Typing and dropping are caught before they change the text, so the question
        // about what a store would lose comes first.
        m_w.rtf->installEventFilter(this);
        m_w.rtf->viewport()->installEventFilter(this);
    }
    m_state.flushEdits = [this] { (void)flush(); };
    m_state.onRowsRemoved([this](const std::vector<qint64>& ids) { rowsRemoved(ids); });
}

void RichTextEditor::watch(QTextDocument* doc)
{
    if (m_doc)
        disconnect(m_doc, nullptr, this, nullptr);
    m_doc = doc;
    if (doc)
        connect(doc, &QTextDocument::contentsChanged, this, &RichTextEditor::rtfChange);
}

bool RichTextEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (m_unkept.isEmpty() || !m_w.rtf || m_w.rtf->isReadOnly())
        return QObject::eventFilter(watched, event);
    bool edits = false;
    switch (event->type()) {
    case QEvent::KeyPress:
        edits = keyEdits(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::InputMethod: {
        const auto* im = static_cast<QInputMethodEvent*>(event);
        edits = !im->commitString().isEmpty() || im->replacementLength() > 0;
        break;
    }
    case QEvent::Drop:
        edits = true;
        break;
    default:
        break;
    }
    if (edits && !mayChange())
        return true;
    return QObject::eventFilter(watched, event);
}

bool RichTextEditor::mayChange()
{
    if (!m_w.rtf || m_w.rtf->isReadOnly())
        return false;
    if (m_unkept.isEmpty())
        return true;
    const bool yes = m_w.prompter
                         ? m_w.prompter->message(platform::MsgStyle::OkCancel, texts::storeFailedTitle(),
                                                 texts::editLoses(m_name, m_unkept.join(QStringLiteral(", "))))
                         : false;
    m_unkept.clear();
    if (!yes) {
        // Declined: the article stays as it is in the base, and is shown as such.
        m_w.rtf->setReadOnly(true);
        syncEditBar();
    }
    return yes;
}

void RichTextEditor::articleShown(const QString& name)
{
    // Whatever belonged to the previous article was written before it was left.
    m_pending = false;
    m_failureShown = false;
    m_name = name;
    m_unkept.clear();
    if (!m_w.rtf)
        return;
    // The row was just read into the pane: the recordset stands on it.
    if (m_state.rsBase && m_state.rsBase->currentRowId() == m_state.displayedId)
        m_unkept = richtext::unkeptContent(m_state.rsBase->bytes(store::ColBody));
    m_w.rtf->setReadOnly(false);
    watch(m_w.rtf->document());
    syncEditBar();
}

void RichTextEditor::rtfChange()
{
    if (!m_w.rtf || m_state.displayedId <= 0 || m_undoing)
        return;
    syncEditBar();
    m_pending = true;
    // Keystrokes that arrive in one turn of the event loop are stored together.
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &RichTextEditor::storePending);
    }
}

void RichTextEditor::storePending()
{
    m_scheduled = false;
    // A change that came by a way the filter does not see (a context menu): asked now,
    // before it is stored, and taken back if the user declines.
    if (m_pending && !m_unkept.isEmpty() && !mayChange()) {
        m_pending = false;
        if (m_doc) {
            m_undoing = true;
            while (m_doc->isUndoAvailable())
                m_doc->undo();
            m_undoing = false;
        }
        return;
    }
    (void)flush();
}

store::Result<void> RichTextEditor::flush()
{
    if (!m_pending)
        return {};
    const store::Result<void> r = store();
    if (r) {
        m_pending = false;
        m_failureShown = false;
        Q_EMIT stored();
        return r;
    }
    // The text stays in the pane and stays pending: the next change tries again.
    if (!m_failureShown && m_w.warn) {
        m_failureShown = true;
        m_w.warn(texts::storeFailed(m_name, r.message()));
    }
    return r;
}

store::Result<void> RichTextEditor::store()
{
    store::Recordset* rs = m_state.rsBase.get();
    if (!rs || !m_doc)
        return store::Error{texts::baseNotOpen()};
    // The row is found by its Id, so removals of other rows never send the text
    // into a neighbour; the recordset goes back where its user left it.
    const qint64 back = rs->currentRowId();
    const bool wasEof = rs->eof();
    if (!m_state.goToDisplayed())
        return store::Error{texts::articleGone()};
    store::Result<void> r = rs->edit();
    if (r)
        r = rs->setValue(store::ColBody, QString::fromLatin1(richtext::writeRtf(m_doc)));
    if (r)
        r = rs->update();
    else
        rs->cancelUpdate();
    if (back > 0)
        rs->moveToId(back);
    else if (wasEof)
        rs->moveLast(), rs->moveNext();
    return r;
}

void RichTextEditor::rowsRemoved(const std::vector<qint64>& ids)
{
    if (m_state.displayedId <= 0)
        return;
    for (qint64 id : ids) {
        if (id != m_state.displayedId)
            continue;
        // The article itself is gone: nothing is left to store it into.
        m_pending = false;
        m_state.displayedId = 0;
        m_state.displayedEntry.clear();
        watch(nullptr);
        if (m_w.rtf)
            m_w.rtf->setReadOnly(true);
        if (m_w.closeArticle)
            m_w.closeArticle();
        return;
    }
    // Later rows moved forward; the pane's tag follows its row.
    if (m_state.rsBase) {
        const qint64 n = m_state.rsBase->recordNumberOfId(m_state.displayedId);
        if (n > 0)
            m_state.displayedEntry = QString::number(n);
    }
}

void RichTextEditor::syncEditBar()
{
    if (!m_w.rtf || !m_w.bar)
        return;
    const SelectionFormat f = selectionFormat(m_w.rtf->textCursor(), m_w.rtf->document()->defaultFont());
    EditBar& bar = *m_w.bar;
    if (f.font && !bar.cboFont()->lineEdit()->hasFocus())
        bar.cboFont()->setCurrentText(*f.font);
    if (f.size && !bar.cboFontSize()->lineEdit()->hasFocus())
        bar.cboFontSize()->setCurrentText(sizeText(*f.size));
    bar.setValue(EditButton::Bold, f.bold.value_or(false) ? 1 : 0);
    bar.setValue(EditButton::Italic, f.italic.value_or(false) ? 1 : 0);
    bar.setValue(EditButton::Underline, f.underline.value_or(false) ? 1 : 0);
    if (f.alignment) {
        bar.setValue(EditButton::Left, *f.alignment == Qt::AlignLeft ? 1 : 0);
        bar.setValue(EditButton::Center, *f.alignment == Qt::AlignHCenter ? 1 : 0);
        bar.setValue(EditButton::Right, *f.alignment == Qt::AlignRight ? 1 : 0);
    }
}

void RichTextEditor::buttonClick(EditButton button)
{
    if (!m_w.rtf || !m_w.bar)
        return;
    ArticlePane& pane = *m_w.rtf;
    EditBar& bar = *m_w.bar;
    const bool pressed = bar.value(button) == 1;
    // The clipboard commands ask for themselves, and copying changes nothing.
    const bool clipboard = button == EditButton::Copy || button == EditButton::Cut || button == EditButton::Paste;
    const bool editable = !pane.isReadOnly() && (clipboard || mayChange());
    auto alignTo = [&](Qt::Alignment a) {
        if (editable)
            pane.setAlignment(a);
        for (EditButton other : {EditButton::Left, EditButton::Center, EditButton::Right})
            if (other != button)
                bar.setValue(other, 0);
    };
    if (button == EditButton::Bold || button == EditButton::Italic || button == EditButton::Underline) {
        if (!editable)
            return;
        QTextCharFormat f;
        if (button == EditButton::Bold)
            f.setFontWeight(pressed ? QFont::Bold : QFont::Normal);
        else if (button == EditButton::Italic)
            f.setFontItalic(pressed);
        else
            f.setFontUnderline(pressed);
        pane.mergeCurrentCharFormat(f);
    } else if (button == EditButton::Left) {
        alignTo(Qt::AlignLeft);
    } else if (button == EditButton::Center) {
        alignTo(pressed ? Qt::AlignHCenter : Qt::AlignLeft);
    } else if (button == EditButton::Right) {
        alignTo(pressed ? Qt::AlignRight : Qt::AlignLeft);
    } else if (button == EditButton::Color) {
        if (!editable || !m_w.newDialog)
            return;
        std::unique_ptr<dialogs::CdlgEx> dlg = m_w.newDialog();
        dlg->hOwner = m_w.owner;
        dlg->rgbResult = dialogs::rgbNumber(pane.textColor());
        // A cancelled dialog keeps the colour the text has.
        if (dlg->showColor() == dialogs::Outcome::Confirmed)
            pane.setTextColor(dialogs::colorOfRgb(dlg->rgbResult));
    } else if (button == EditButton::Copy) {
        copy();
    } else if (button == EditButton::Cut) {
        cut();
    } else if (button == EditButton::Paste) {
        paste();
    }
    pane.setFocus();
}

void RichTextEditor::applyFont(const QString& text)
{
    if (!m_w.rtf || m_w.rtf->isReadOnly() || text.trimmed().isEmpty() || !mayChange())
        return;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{text.trimmed()});
    m_w.rtf->mergeCurrentCharFormat(f);
    m_w.rtf->setFocus();
}

std::optional<int> RichTextEditor::fontSizeOf(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const long n = std::lround(v);
    if (n < 1 || n > 1638)
        return std::nullopt;
    return int(n);
}

void RichTextEditor::applySize(const QString& text)
{
    if (!m_w.rtf || m_w.rtf->isReadOnly())
        return;
    const std::optional<int> size = fontSizeOf(text);
    if (!size || !mayChange())
        return;  // not a size: the box only showed what was typed
    QTextCharFormat f;
    f.setFontPointSize(*size);
    m_w.rtf->mergeCurrentCharFormat(f);
    m_w.rtf->setFocus();
}

void RichTextEditor::copy()
{
    if (!m_w.rtf)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(m_w.rtf->selectionMimeData());
}

void RichTextEditor::cut()
{
    if (!m_w.rtf)
        return;
    copy();
    if (!m_w.rtf->isReadOnly() && m_w.rtf->textCursor().hasSelection() && mayChange())
        m_w.rtf->textCursor().removeSelectedText();
}

void RichTextEditor::paste()
{
    if (m_w.rtf && !m_w.rtf->isReadOnly() && mayChange())
        m_w.rtf->paste();
}

}  // namespace articles
