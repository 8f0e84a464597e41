#include "platform/SystemInformation.h"

#include <QProcess>
#include <QStandardPaths>

namespace sonorelle {

const QStringList& SystemInformation::candidates()
{
    // Graphical programs only: a console tool started without a terminal shows nothing.
    static const QStringList programs = {
        QStringLiteral("hardinfo2"),  QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
        QStringLiteral("gnome-system-monitor"), QStringLiteral("mate-system-monitor"),
        QStringLiteral("xfce4-taskmanager"),
    };
    return programs;
}

QString SystemInformation::find()
{
    for (const QString& program : candidates()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool SystemInformation::start()
{
    const QString program = find();
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

}  // namespace sonorelle
