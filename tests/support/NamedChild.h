#pragma once

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace sonorelle::test {

// The control of that objectName and type that belongs to window itself: windows own
// other windows with controls of the same names, which are passed over. A test
// failure is recorded when there is none.
template <typename T>
T* NamedChild(QWidget& window, const char* name)
{
    const auto found = window.findChildren<T*>(QString::fromLatin1(name));
    for (T* widget : found) {
        if (widget->window() == &window)
            return widget;
    }
    ADD_FAILURE() << "no " << name << " in " << window.objectName().toStdString();
    return nullptr;
}

}  // namespace sonorelle::test
