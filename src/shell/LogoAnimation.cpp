#include "LogoAnimation.h"

#include "Pictures.h"

#include <QLabel>
#include <QTimer>

namespace shell {

LogoAnimation::LogoAnimation(QLabel* image, QObject* parent)
    : QObject(parent), m_image(image), m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("TimRuvLogo"));
    m_frames.reserve(LogoFrameCount);
    for (int n = 1; n <= LogoFrameCount; ++n)
        m_frames.push_back(logoFrame(n));
    connect(m_timer, &QTimer::timeout, this, &LogoAnimation::tick);
    m_timer->start(IntervalMs);
}

void LogoAnimation::showPicture(int n)
{
    if (n < 1 || n > LogoFrameCount)
        return;
    m_shown = n;
    m_image->setPixmap(m_frames[size_t(n - 1)]);
}

void LogoAnimation::tick()
{
    m_frame = quint8((m_frame + 1) % LogoFrameCount);
    showPicture(m_frame + 1);
}

}  // namespace shell
