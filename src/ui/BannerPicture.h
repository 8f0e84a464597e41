#pragma once

#include <QFont>
#include <QWidget>

namespace sonorelle {

// The banner across the top of the main window: a painted picture with the
// program's name that holds the window's image commands.
class BannerPicture : public QWidget {
    Q_OBJECT

public:
    explicit BannerPicture(QWidget* parent = nullptr);

    // Where the painted name and its wave end: nothing laid on the banner may cover them.
    int nameWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int NameLeft = 12;
    static constexpr int WaveEnd = 190;

    QFont titleFont() const;
};

}  // namespace sonorelle
