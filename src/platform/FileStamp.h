#pragma once

#include <QtGlobal>

#include <sys/types.h>

namespace sonorelle {

// What tells one version of a file from the next without reading it: a file
// replaced by rename gets a new inode, one rewritten in place a new size or time.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;

    // The stamp of an open file descriptor; an invalid stamp when fstat fails.
    static FileStamp ofDescriptor(int fd);

    bool isValid() const { return size >= 0; }
    bool operator==(const FileStamp&) const = default;
};

}  // namespace sonorelle
