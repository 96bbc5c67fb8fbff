#pragma once

#include <QWidget>

class QLabel;

namespace scrivlet {

class Platform;
class StyledButton;

// The About window: name and version, copyright, a link, the contact address and OK, which closes
// (and deletes) the window. Built from forms/form2.json. The link shows and opens the project's web
// address (the build setting SCRIVLET_WEB_ADDRESS); while that is empty it reads "Help" and opens
// the help page.
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    explicit AboutWindow(Platform &platform, QWidget *parent = nullptr);

    QLabel *label(const QString &name) const; // "Label3", "lblCopyright", "Label1", "Label4"
    StyledButton *okButton() const { return m_ok; }

    // What a click on the link does.
    void linkClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Platform &m_platform;
    QLabel *m_link = nullptr;
    StyledButton *m_ok = nullptr;
    bool m_centred = false;
};

} // namespace scrivlet
