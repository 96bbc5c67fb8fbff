#pragma once

#include <QColor>
#include <QWidget>

class QLabel;

namespace scrivlet {

class Platform;
class StyledButton;

// The About window: name and version, copyright, a link, the contact address and OK, which closes
// (and deletes) the window. Built from forms/about_window.json. The link shows and opens the project's web
// address (the build setting SCRIVLET_WEB_ADDRESS); while that is empty it reads "Help" and opens
// the help page.
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    explicit AboutWindow(Platform &platform, QWidget *parent = nullptr);

    // The controls, by their roles (their design names are in forms/about_window.json).
    QLabel *versionLabel() const { return m_version; }
    QLabel *copyrightLabel() const { return m_copyright; }
    QLabel *siteLink() const { return m_link; }
    QLabel *contactLabel() const { return m_contact; }
    StyledButton *okButton() const { return m_ok; }

    // What a click on the link does.
    void linkClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildFromDesign();
    void followPalette(); // the link: its stored colour, or the palette's Link on a dark palette

    Platform &m_platform;
    QLabel *m_version = nullptr;
    QLabel *m_copyright = nullptr;
    QLabel *m_link = nullptr;
    QLabel *m_contact = nullptr;
    StyledButton *m_ok = nullptr;
    bool m_centred = false;
    QColor m_storedLinkColor;
};

} // namespace scrivlet
