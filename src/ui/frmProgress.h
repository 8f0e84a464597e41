#pragma once

#include <QLocale>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace sonorelle {

// The one progress window of long operations: a status line, a bar with the
// percentage in the caption, a detail line and Cancel. The detail line is empty until
// an operation reports progress, and is cleared whenever the window is hidden.
class frmProgress : public QWidget {
    Q_OBJECT

public:
    explicit frmProgress(QWidget* owner);

    // The status line, repainted at once so it is on screen before a blocking step.
    void setStatus(const QString& text);

    void ChangeProgress(const QString& detail, double done, double total);

    // "Progress 33.33 %": at least two integer digits, two decimals, the locale's
    // decimal separator.
    static QString progressCaption(double done, double total, const QLocale& locale);

    bool RipCancel() const { return ripCancel_; }
    void clearCancel() { ripCancel_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void layoutBar();

    QLabel* lblSost_;
    QFrame* picProgress1_;
    QFrame* picProgress2_;
    QLabel* lblStatus_;
    QPushButton* Command1_;
    double fraction_ = 0.0;
    bool ripCancel_ = false;
};

}  // namespace sonorelle
