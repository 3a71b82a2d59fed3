#include "MainToolbar.h"

#include "Pictures.h"
#include "ShellTexts.h"

#include <QMenu>
#include <QToolButton>

namespace shell {

MainToolbar::MainToolbar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("TbMain"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(ToolPictureSize, ToolPictureSize));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    addKeyed(QStringLiteral("add"), texts::tbAdd(), texts::tbAddTip(), PicAdd);
    addKeyed(QStringLiteral("del"), texts::tbDel(), texts::tbDelTip(), PicDel);
    addKeyed(QStringLiteral("extract"), texts::tbExtract(), texts::tbExtractTip(), PicExtractNone);
    addKeyed(QStringLiteral("see"), texts::tbSee(), QString(), PicSee);
    addKeyed(QStringLiteral("up"), texts::tbUp(), texts::tbUpTip(), PicUp);
    addKeyed(QStringLiteral("copy"), texts::tbCopy(), texts::tbCopyTip(), PicCopy);
    QToolButton* style = addKeyed(QStringLiteral("style"), texts::tbStyle(), texts::tbStyleTip(), PicStyle);
    addKeyed(QStringLiteral("print"), texts::tbPrint(), texts::tbPrintTip(), PicPrint);
    // Designed disabled until an article with attachments is shown.
    setButtonEnabled(QStringLiteral("extract"), false);

    // The "style" button sets large icons itself; its arrow offers the three modes.
    auto* menu = new QMenu(style);
    const std::pair<QString, QString> items[] = {{QStringLiteral("big"), texts::tbBig()},
                                                 {QStringLiteral("small"), texts::tbSmall()},
                                                 {QStringLiteral("report"), texts::tbReport()}};
    for (const auto& [key, caption] : items) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(key);
        connect(a, &QAction::triggered, this, [this, key = key] { Q_EMIT buttonMenuClicked(key); });
    }
    style->setMenu(menu);
    style->setPopupMode(QToolButton::MenuButtonPopup);
}

QToolButton* MainToolbar::addKeyed(const QString& key, const QString& caption, const QString& tip, int picture)
{
    auto* b = new QToolButton(this);
    b->setObjectName(key);
    b->setText(caption);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(ToolPictureSize, ToolPictureSize));
    addWidget(b);
    m_buttons.insert(key, b);
    m_order.append(key);
    setPicture(key, picture);
    connect(b, &QToolButton::clicked, this, [this, key] { Q_EMIT buttonClicked(key); });
    return b;
}

void MainToolbar::setButtonEnabled(const QString& key, bool enabled)
{
    if (QToolButton* b = button(key))
        b->setEnabled(enabled);
}

bool MainToolbar::isButtonEnabled(const QString& key) const
{
    const QToolButton* b = button(key);
    return b && b->isEnabled();
}

void MainToolbar::setPicture(const QString& key, int picture)
{
    QToolButton* b = button(key);
    if (!b || picture < 1 || picture > ToolPictureCount)
        return;
    m_pictures.insert(key, picture);
    b->setIcon(toolIcon(picture));
}

}  // namespace shell
