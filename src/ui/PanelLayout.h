#pragma once

#include <initializer_list>

class QGroupBox;
class QLayout;
class QWidget;

namespace sonorelle {

class ccXPButton;

// One half of the main window, top to bottom: its button strip, its lists and its
// tag panel.
void LayOutPanel(QWidget& panel, QGroupBox& strip, std::initializer_list<ccXPButton*> buttons, QLayout* lists,
                 QGroupBox& tags);

}  // namespace sonorelle
