#include "EditBar.h"

#include "ArticleTexts.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

namespace articles {

namespace {

struct ButtonInfo {
    EditButton button;
    const char* name;
    QString (*tip)();
    bool twoState;
    const char* themeIcon;
};

const ButtonInfo Buttons[] = {
    {EditButton::Cut, "cut", texts::tipCut, false, "edit-cut"},
    {EditButton::Copy, "copy", texts::tipCopy, false, "edit-copy"},
    {EditButton::Paste, "paste", texts::tipPaste, false, "edit-paste"},
    {EditButton::Bold, "bold", texts::tipBold, true, "format-text-bold"},
    {EditButton::Italic, "italic", texts::tipItalic, true, "format-text-italic"},
    {EditButton::Underline, "underline", texts::tipUnderline, true, "format-text-underline"},
    {EditButton::Left, "left", texts::tipLeft, true, "format-justify-left"},
    {EditButton::Center, "center", texts::tipCenter, true, "format-justify-center"},
    {EditButton::Right, "right", texts::tipRight, true, "format-justify-right"},
    {EditButton::Color, "color", texts::tipColor, false, "format-text-color"},
};

// A picture of our own for a desktop without an icon theme: a letter for the
// type styles, lines for the alignments, a coloured bar for the colour.
QIcon drawnIcon(EditButton b)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(13);
    auto letter = [&](const QString& text, bool bold, bool italic, bool underline) {
        f.setBold(bold);
        f.setItalic(italic);
        f.setUnderline(underline);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
    };
    auto lines = [&](int align) {
        const int widths[] = {14, 9, 14, 9};
        for (int i = 0; i < 4; ++i) {
            const int w = widths[i];
            const int x = align == 0 ? 1 : align == 1 ? 15 - w : (16 - w) / 2;
            p.fillRect(x, 2 + i * 4, w, 2, Qt::black);
        }
    };
    if (b == EditButton::Bold)
        letter(texts::faceBold(), true, false, false);
    else if (b == EditButton::Italic)
        letter(texts::faceItalic(), false, true, false);
    else if (b == EditButton::Underline)
        letter(texts::faceUnderline(), false, false, true);
    else if (b == EditButton::Left)
        lines(0);
    else if (b == EditButton::Right)
        lines(1);
    else if (b == EditButton::Center)
        lines(2);
    else if (b == EditButton::Color) {
        f.setPixelSize(11);
        letter(texts::faceColor(), true, false, false);
        p.fillRect(1, 13, 14, 3, Qt::red);
    } else if (b == EditButton::Cut)
        letter(QString(QChar(0x2702)), false, false, false);
    else if (b == EditButton::Copy) {
        p.drawRect(1, 1, 9, 10);
        p.fillRect(5, 5, 10, 10, Qt::white);
        p.drawRect(5, 5, 9, 10);
    } else if (b == EditButton::Paste) {
        p.drawRect(2, 2, 11, 13);
        p.fillRect(5, 0, 5, 4, Qt::darkGray);
    }
    return QIcon(pm);
}

// Enter in an editable box applies its text; other keys only edit it.
class EnterWatcher : public QObject {
public:
    EnterWatcher(QComboBox* box, std::function<void()> onEnter)
        : QObject(box), m_onEnter(std::move(onEnter)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_onEnter();
                return true;  // the box must not add the typed text to its list
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onEnter;
};

}  // namespace

QLatin1StringView editButtonName(EditButton b)
{
    for (const ButtonInfo& info : Buttons)
        if (info.button == b)
            return QLatin1StringView(info.name);
    return {};
}

EditBar::EditBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CBEdit"));
    setAccessibleName(texts::editBarName());
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(4);

    m_font = new QComboBox(this);
    m_font->setObjectName(QStringLiteral("CboFont"));
    m_font->setAccessibleName(texts::fontBoxName());
    m_font->setEditable(true);
    m_font->setInsertPolicy(QComboBox::NoInsert);
    m_font->setMinimumContentsLength(18);
    m_font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_font->setCurrentText(texts::initialFont());
    row->addWidget(m_font);

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("CboFontSize"));
    m_size->setAccessibleName(texts::sizeBoxName());
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->setMinimumContentsLength(3);
    m_size->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (int s : {8, 10, 12, 14, 16, 20, 24, 28, 32, 46, 64, 82, 96})
        m_size->addItem(QString::number(s));
    m_size->setCurrentText(QStringLiteral("10"));
    row->addWidget(m_size);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("TBEdit"));
    m_toolbar->setAccessibleName(texts::toolbarName());
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ButtonInfo& b : Buttons) {
        const QString name = QString::fromLatin1(b.name);
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(b.themeIcon));
        if (icon.isNull())
            icon = drawnIcon(b.button);
        QAction* action = m_toolbar->addAction(icon, b.tip());
        action->setObjectName(name);
        action->setToolTip(b.tip());
        action->setCheckable(b.twoState);
        auto* button = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(action));
        button->setObjectName(name);
        button->setAccessibleName(b.tip());
        // The pane keeps the focus, and with it the selection the command acts on.
        button->setFocusPolicy(Qt::NoFocus);
        m_buttons[index(b.button)] = button;
        m_actions[index(b.button)] = action;
        connect(action, &QAction::triggered, this, [this, which = b.button] { Q_EMIT buttonClicked(which); });
        if (b.button == EditButton::Paste || b.button == EditButton::Underline || b.button == EditButton::Right)
            m_toolbar->addSeparator();
    }
    row->addWidget(m_toolbar);
    row->addStretch(1);

    connect(m_font, &QComboBox::activated, this, [this] { Q_EMIT fontChosen(m_font->currentText()); });
    connect(m_size, &QComboBox::activated, this, [this] { Q_EMIT sizeChosen(m_size->currentText()); });
    m_font->lineEdit()->installEventFilter(new EnterWatcher(m_font, [this] { Q_EMIT fontChosen(m_font->currentText()); }));
    m_size->lineEdit()->installEventFilter(new EnterWatcher(m_size, [this] { Q_EMIT sizeChosen(m_size->currentText()); }));
}

int EditBar::value(EditButton b) const
{
    return m_actions[index(b)]->isChecked() ? 1 : 0;
}

void EditBar::setValue(EditButton b, int value)
{
    if (QAction* a = m_actions[index(b)]; a->isCheckable())
        a->setChecked(value == 1);
}

}  // namespace articles
