#include "CoolBar.h"

#include "MainToolbar.h"
#include "Pictures.h"
#include "ShellTexts.h"
#include "Twips.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace shell {

namespace {
constexpr int Band1MinHeight = 825;  // twips
constexpr int Band3MinHeight = 315;
}  // namespace

CoolBar::CoolBar(QWidget* parent)
    : QWidget(parent),
      m_toolbar(new MainToolbar(this)),
      m_logoBox(new QFrame(this)),
      m_logo(new QLabel(m_logoBox)),
      m_address(new QLineEdit(this))
{
    setObjectName(QStringLiteral("CB"));
    m_logoBox->setObjectName(QStringLiteral("PicLogo"));
    m_logo->setObjectName(QStringLiteral("Image2"));
    m_logo->setFixedSize(LogoSize, LogoSize);
    m_address->setObjectName(QStringLiteral("txtAddress"));
    // The address only reports where the user is; typing there goes nowhere.
    m_address->setReadOnly(true);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(2);
    auto* band1 = new QHBoxLayout;
    band1->setSpacing(4);
    band1->addWidget(m_toolbar, 1, Qt::AlignLeft | Qt::AlignVCenter);
    auto* grip = new QFrame(this);
    grip->setFrameShape(QFrame::VLine);
    grip->setFrameShadow(QFrame::Sunken);
    band1->addWidget(grip);
    band1->addWidget(m_logoBox);
    rows->addLayout(band1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    rows->addWidget(line);
    auto* band3 = new QHBoxLayout;
    band3->setSpacing(4);
    auto* caption = new QLabel(texts::addressLabel(), this);
    band3->addWidget(caption);
    band3->addWidget(m_address, 1);
    m_address->setMinimumHeight(twipsToPixels(Band3MinHeight, screenDpiY()));
    rows->addLayout(band3);
    m_logoBox->setFixedSize(twipsToPixels(800, screenDpiX()), band1Height());
}

int CoolBar::band1Height() const
{
    return std::max(twipsToPixels(Band1MinHeight, screenDpiY()), m_toolbar->sizeHint().height());
}

void CoolBar::setLogoBand(const QSize& size)
{
    if (size.isValid() && size != m_logoBox->size())
        m_logoBox->setFixedSize(size);
}

void CoolBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->oldSize().height() != event->size().height())
        Q_EMIT heightChanged();
}

}  // namespace shell
