#pragma once
// `RTF`: the article pane. A rich-text view that edits in place and speaks RTF
// to the clipboard: whatever leaves it (copy, cut, a drag) carries the text as
// RTF and as plain text, and whatever comes in is read as RTF when the source
// offers RTF, otherwise as plain text, never as the toolkit's own HTML.
#include <QTextEdit>

class QMimeData;

namespace articles {

class ArticlePane : public QTextEdit {
    Q_OBJECT
public:
    explicit ArticlePane(QWidget* parent = nullptr);

    // The clipboard forms of the selection: "text/rtf", "application/rtf" (word
    // processors look for either name) and plain text with line breaks.
    QMimeData* selectionMimeData() const;

Q_SIGNALS:
    // `RTF_MouseDown`, `RTF_MouseUp`.
    void mousePressed();
    void mouseReleased();

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The clipboard forms of a text view's selection (see ArticlePane).
QMimeData* selectionMimeData(const QTextEdit& view);

// The RTF a clipboard or drag offers, empty when it offers none.
QByteArray rtfOf(const QMimeData* data);

}  // namespace articles
