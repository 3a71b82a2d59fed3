#include "ArticleLayout.h"

#include "ShellTexts.h"

#include "richtext/Rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QScreen>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QUrl>

#include <vector>

namespace shell {

std::unique_ptr<QTextDocument> ArticleLayout::fromRtf(const QByteArray& body, const QFont& font)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(font);
    doc->setUndoRedoEnabled(false);
    richtext::readRtf(body, doc.get());
    return doc;
}

store::Result<int> ArticleLayout::print(const QTextDocument& article, QPagedPaintDevice& device,
                                        const QString& destination)
{
    QPainter painter;
    if (!painter.begin(&device))
        return store::Error{texts::printFailed(destination)};

    // The pane's document keeps its own screen layout; a copy is laid out for the
    // device, whose resolution sets the size of every letter and picture.
    const std::unique_ptr<QTextDocument> doc(article.clone());
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    layout->setPaintDevice(&device);
    // Margins of paper inside whatever the device keeps free, as the toolkit's own
    // document printing has them; the layout scales them to the device.
    QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    const QScreen* screen = QGuiApplication::primaryScreen();
    frame.setMargin(MarginMillimetres / 25.4 * (screen ? screen->logicalDotsPerInchY() : 96.0));
    doc->rootFrame()->setFrameFormat(frame);
    const QSizeF page(device.width(), device.height());  // the printable area, in device pixels
    doc->setPageSize(page);
    const int pages = doc->pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return store::Error{texts::printFailed(destination)};
        }
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end())
        return store::Error{texts::printFailed(destination)};
    return pages;
}

namespace {

QString dataAddress(const QTextDocument& doc, const QString& name)
{
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(name));
    QByteArray bytes;
    QByteArray type = "image/png";
    if (resource.typeId() == QMetaType::QByteArray) {
        // Pictures are kept as the bytes the article stored them in.
        bytes = resource.toByteArray();
        if (name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
            type = "image/jpeg";
    } else if (resource.canConvert<QImage>()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        resource.value<QImage>().save(&buffer, "PNG");
    }
    if (bytes.isEmpty())
        return QString();
    return QStringLiteral("data:%1;base64,%2").arg(QString::fromLatin1(type), QString::fromLatin1(bytes.toBase64()));
}

}  // namespace

QString ArticleLayout::html(const QTextDocument& article, const QString& title)
{
    const std::unique_ptr<QTextDocument> doc(article.clone());
    doc->setMetaInformation(QTextDocument::DocumentTitle, title);
    // Every picture's name becomes its own bytes, so the page stands alone.
    struct Picture {
        int position;
        QTextImageFormat format;
    };
    std::vector<Picture> pictures;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().isImageFormat())
                for (int k = 0; k < f.length(); ++k)
                    pictures.push_back({f.position() + k, f.charFormat().toImageFormat()});
        }
    for (Picture& p : pictures) {
        const QString address = dataAddress(*doc, p.format.name());
        if (address.isEmpty())
            continue;
        p.format.setName(address);
        QTextCursor c(doc.get());
        c.setPosition(p.position);
        c.setPosition(p.position + 1, QTextCursor::KeepAnchor);
        c.setCharFormat(p.format);
    }
    return doc->toHtml();
}

QString ArticleLayout::text(const QTextDocument& article) { return richtext::plainText(&article); }

}  // namespace shell
