#pragma once

#include <QString>
#include <QStringList>

namespace sonorelle {

// The desktop's system-information program: the first of a short list of known
// programs that is found on PATH.
class SystemInformation {
public:
    // The programs looked for, by preference.
    static const QStringList& candidates();

    // Full path of the first candidate found on PATH; "" when there is none.
    static QString find();

    // Starts it on its own, not waiting for it; false when none is found or it
    // could not be started.
    static bool start();
};

}  // namespace sonorelle
