#pragma once

#include <QString>

namespace sonorelle {

// Every control carries its name from the window design as objectName: language files
// and tests find it by that name.
template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace sonorelle
