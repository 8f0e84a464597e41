#pragma once

#include <QDialog>
#include <QPixmap>
#include <QUrl>

class QLabel;
class QPushButton;

namespace sonorelle {

class ClickableImage;
class Feedback;
class ccXPButton;

// The About box: the program's version, the maker's picture that opens the maker's
// web page, a button that starts the system-information program, and OK.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(Feedback& feedback, QWidget* parent = nullptr);

    // "major.minor.revision", each a plain decimal number.
    static QString versionText(int major, int minor, int revision);

    // The maker's web page that the picture opens.
    static QUrl makerAddress();

    // The maker's picture, drawn rather than stored.
    static QPixmap picture();

    // Starts the system-information program; tells the person when there is none.
    void StartSysInfo();

private:
    void openMakerPage();

    Feedback& feedback_;
    ClickableImage* Image6_;
    QLabel* lblTitle_;
    QLabel* Label2_;
    QLabel* lblMaker_;
    QPushButton* cmdSysInfo_;
    ccXPButton* cmdOK_;
};

}  // namespace sonorelle
