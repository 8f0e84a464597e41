#include "ui/PanelLayout.h"

#include "controls/ccXPButton.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sonorelle {

void LayOutPanel(QWidget& panel, QGroupBox& strip, std::initializer_list<ccXPButton*> buttons, QLayout* lists,
                 QGroupBox& tags)
{
    auto* row = new QHBoxLayout(&strip);
    row->setContentsMargins(6, 4, 6, 6);
    for (ccXPButton* button : buttons)
        row->addWidget(button);
    auto* column = new QVBoxLayout(&panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(&strip);
    column->addLayout(lists, 1);
    column->addWidget(&tags);
}

}  // namespace sonorelle
