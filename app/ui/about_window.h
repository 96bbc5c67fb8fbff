#pragma once

#include <QColor>
#include <QWidget>

class QLabel;

namespace scrivlet {

class Platform;
class StyledButton;

// The About window: name and version, copyright, the web site as a link that opens in the browser,
// the contact address and OK, which closes (and deletes) the window. Built from forms/form2.json.
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *kSiteAddress = "https://scrivlet.example.org/";

    explicit AboutWindow(Platform &platform, QWidget *parent = nullptr);

    QLabel *label(const QString &name) const; // "Label3", "lblCopyright", "Label1", "Label4"
    StyledButton *okButton() const { return m_ok; }

    // What a click on the site link does.
    void linkClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void followPalette(); // the link: its stored colour, or the palette's Link on a dark palette

    Platform &m_platform;
    QLabel *m_link = nullptr;
    StyledButton *m_ok = nullptr;
    bool m_centred = false;
    QColor m_storedLinkColor;
};

} // namespace scrivlet
