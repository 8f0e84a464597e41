#include "platform/FileStamp.h"

#include <sys/stat.h>

namespace sonorelle {

FileStamp FileStamp::ofDescriptor(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return {};
    FileStamp stamp;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    return stamp;
}

}  // namespace sonorelle
