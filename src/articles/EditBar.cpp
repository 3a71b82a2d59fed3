#include "EditBar.h"

#include "EditorTexts.h"

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
    const char* key;
    QString (*tip)();
    bool twoState;
    const char* themeIcon;
};

const ButtonInfo Buttons[] = {
    {"cut", texts::tipCut, false, "edit-cut"},
    {"copy", texts::tipCopy, false, "edit-copy"},
    {"paste", texts::tipPaste, false, "edit-paste"},
    {"bold", texts::tipBold, true, "format-text-bold"},
    {"italic", texts::tipItalic, true, "format-text-italic"},
    {"underline", texts::tipUnderline, true, "format-text-underline"},
    {"left", texts::tipLeft, true, "format-justify-left"},
    {"center", texts::tipCenter, true, "format-justify-center"},
    {"right", texts::tipRight, true, "format-justify-right"},
    {"color", texts::tipColor, false, "format-text-color"},
};

// A picture of our own for a desktop without an icon theme: a letter for the
// type styles, lines for the alignments, a coloured bar for the colour.
QIcon drawnIcon(const QString& key)
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
    if (key == QLatin1String("bold"))
        letter(QStringLiteral("Ж"), true, false, false);
    else if (key == QLatin1String("italic"))
        letter(QStringLiteral("К"), false, true, false);
    else if (key == QLatin1String("underline"))
        letter(QStringLiteral("Ч"), false, false, true);
    else if (key == QLatin1String("left"))
        lines(0);
    else if (key == QLatin1String("right"))
        lines(1);
    else if (key == QLatin1String("center"))
        lines(2);
    else if (key == QLatin1String("color")) {
        f.setPixelSize(11);
        letter(QStringLiteral("А"), true, false, false);
        p.fillRect(1, 13, 14, 3, Qt::red);
    } else if (key == QLatin1String("cut"))
        letter(QString(QChar(0x2702)), false, false, false);
    else if (key == QLatin1String("copy")) {
        p.drawRect(1, 1, 9, 10);
        p.fillRect(5, 5, 10, 10, Qt::white);
        p.drawRect(5, 5, 9, 10);
    } else if (key == QLatin1String("paste")) {
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

const QStringList& EditBar::keys()
{
    static const QStringList all = [] {
        QStringList k;
        for (const ButtonInfo& b : Buttons)
            k << QString::fromLatin1(b.key);
        return k;
    }();
    return all;
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
        const QString key = QString::fromLatin1(b.key);
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(b.themeIcon));
        if (icon.isNull())
            icon = drawnIcon(key);
        QAction* action = m_toolbar->addAction(icon, b.tip());
        action->setObjectName(key);
        action->setToolTip(b.tip());
        action->setCheckable(b.twoState);
        auto* button = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(action));
        button->setObjectName(key);
        button->setAccessibleName(b.tip());
        // The pane keeps the focus, and with it the selection the command acts on.
        button->setFocusPolicy(Qt::NoFocus);
        m_buttons.insert(key, button);
        m_actions.insert(key, action);
        connect(action, &QAction::triggered, this, [this, key] { Q_EMIT buttonClicked(key); });
        if (key == QLatin1String("paste") || key == QLatin1String("underline"))
            m_toolbar->addSeparator();
        if (key == QLatin1String("right"))
            m_toolbar->addSeparator();
    }
    row->addWidget(m_toolbar);
    row->addStretch(1);

    connect(m_font, &QComboBox::activated, this, [this] { Q_EMIT fontChosen(m_font->currentText()); });
    connect(m_size, &QComboBox::activated, this, [this] { Q_EMIT sizeChosen(m_size->currentText()); });
    m_font->lineEdit()->installEventFilter(new EnterWatcher(m_font, [this] { Q_EMIT fontChosen(m_font->currentText()); }));
    m_size->lineEdit()->installEventFilter(new EnterWatcher(m_size, [this] { Q_EMIT sizeChosen(m_size->currentText()); }));
}

int EditBar::value(const QString& key) const
{
    const QAction* a = m_actions.value(key);
    return a && a->isChecked() ? 1 : 0;
}

void EditBar::setValue(const QString& key, int value)
{
    if (QAction* a = m_actions.value(key); a && a->isCheckable())
        a->setChecked(value == 1);
}

}  // namespace articles
