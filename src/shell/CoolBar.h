#pragma once
// `CB`: the top cool bar. Band 1 holds the main toolbar, band 2 the logo box
// `PicLogo` with the logo image `Image2`, band 3 (on its own row) the caption
// "Адрес:" and the address box. It tells the window when its height changes.
#include <QWidget>

class QLabel;
class QLineEdit;

namespace shell {

class MainToolbar;

class CoolBar : public QWidget {
    Q_OBJECT
public:
    explicit CoolBar(QWidget* parent = nullptr);

    MainToolbar* toolbar() const { return m_toolbar; }
    QWidget* logoBox() const { return m_logoBox; }
    QLabel* logoImage() const { return m_logo; }
    QLineEdit* address() const { return m_address; }
    // Height of band 1 in pixels (at least its designed minimum).
    int band1Height() const;
    // Size of band 2 (the logo band) in pixels, as the layout pass sets it.
    void setLogoBand(const QSize& size);

Q_SIGNALS:
    void heightChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    MainToolbar* m_toolbar;
    QWidget* m_logoBox;
    QLabel* m_logo;
    QLineEdit* m_address;
};

}  // namespace shell
