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

    using catalogue::ToolButton;
    add(ToolButton::Add, texts::tbAdd(), texts::tbAddTip(), catalogue::PicAdd);
    add(ToolButton::Del, texts::tbDel(), texts::tbDelTip(), catalogue::PicDel);
    add(ToolButton::Extract, texts::tbExtract(), texts::tbExtractTip(), catalogue::PicExtractNone);
    add(ToolButton::See, texts::tbSee(), QString(), catalogue::PicSee);
    add(ToolButton::Up, texts::tbUp(), texts::tbUpTip(), catalogue::PicUp);
    add(ToolButton::Copy, texts::tbCopy(), texts::tbCopyTip(), catalogue::PicCopy);
    QToolButton* style = add(ToolButton::Style, texts::tbStyle(), texts::tbStyleTip(), catalogue::PicStyle);
    add(ToolButton::Print, texts::tbPrint(), texts::tbPrintTip(), catalogue::PicPrint);
    // Designed disabled until an article with attachments is shown.
    setButtonEnabled(ToolButton::Extract, false);

    // The "style" button sets large icons itself; its arrow offers the three modes.
    auto* menu = new QMenu(style);
    const std::pair<catalogue::ToolMenuItem, QString> items[] = {{catalogue::ToolMenuItem::Big, texts::tbBig()},
                                                                 {catalogue::ToolMenuItem::Small, texts::tbSmall()},
                                                                 {catalogue::ToolMenuItem::Report, texts::tbReport()}};
    for (const auto& [item, caption] : items) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(catalogue::toolMenuItemName(item));
        connect(a, &QAction::triggered, this, [this, item = item] { Q_EMIT buttonMenuClicked(item); });
    }
    style->setMenu(menu);
    style->setPopupMode(QToolButton::MenuButtonPopup);
}

QToolButton* MainToolbar::add(Button which, const QString& caption, const QString& tip, int picture)
{
    auto* b = new QToolButton(this);
    b->setObjectName(catalogue::toolButtonName(which));
    b->setText(caption);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(ToolPictureSize, ToolPictureSize));
    addWidget(b);
    m_buttons[index(which)] = b;
    setPicture(which, picture);
    connect(b, &QToolButton::clicked, this, [this, which] { Q_EMIT buttonClicked(which); });
    return b;
}

QStringList MainToolbar::keys() const
{
    QStringList names;
    for (catalogue::ToolButton b : catalogue::ToolButtons)
        names.append(catalogue::toolButtonName(b));
    return names;
}

void MainToolbar::setButtonEnabled(Button which, bool enabled)
{
    button(which)->setEnabled(enabled);
}

bool MainToolbar::isButtonEnabled(Button which) const
{
    return button(which)->isEnabled();
}

void MainToolbar::setPicture(Button which, int picture)
{
    if (picture < 1 || picture > ToolPictureCount)
        return;
    m_pictures[index(which)] = picture;
    button(which)->setIcon(toolIcon(picture));
}

}  // namespace shell
