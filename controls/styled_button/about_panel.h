#pragma once
// AboutPanel: the button's About window. It shows the control's name, its version, a credit line,
// a web link and a drawn "Close" button; pressing the mouse on it presses that button and a click
// hides the panel.
#include <QString>
#include <QWidget>

namespace scrivlet {

class AboutPanel : public QWidget
{
    Q_OBJECT
public:
    explicit AboutPanel(const QString &version);

    // Makes the panel a top-most window of its own and shows it.
    void showPanel();
    bool closePressed() const { return m_pressed; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRect closeButton() const;

    QString m_version;
    bool m_pressed = false;
};

} // namespace scrivlet
