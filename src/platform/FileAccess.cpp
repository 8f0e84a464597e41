#include "platform/FileAccess.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonorelle {

bool UserMayModifyFile(const QString& path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    struct stat status {};
    if (::stat(nativePath.constData(), &status) != 0)
        return false;
    const uid_t user = ::geteuid();
    if (user == 0 || status.st_uid == user)
        return true;
    return ::faccessat(AT_FDCWD, nativePath.constData(), W_OK, AT_EACCESS) == 0;
}

}  // namespace sonorelle
