#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace sonorelle {

class Registry;

// The window that is up while start-up runs: the program's picture and a line naming
// the translator of the chosen language, a click on which starts a mail to them.
class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(const Registry& registry, QWidget* parent = nullptr);

    // Shows itself, fills label1 from the chosen language file and waits a second
    // with events running, so the line can be read.
    void load();

    // The picture, drawn rather than stored.
    static QPixmap picture();

private:
    const Registry& registry_;
    QLabel* picture_;
    QLabel* label1_;
};

}  // namespace sonorelle
