#include "adding/FileCopy.h"

#include <QFile>

namespace sonorelle {

namespace {

constexpr qint64 ChunkBytes = 1 << 20;

QString failure(const QFile& file)
{
    return file.fileName() + QStringLiteral(": ") + file.errorString();
}

}  // namespace

bool CopyIntoNewFile(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        *error = failure(source);
        return false;
    }
    // Unbuffered: a short write shows in write()'s result, not later in a lost flush.
    QFile target(to);
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        *error = failure(target);
        return false;
    }
    QByteArray chunk(ChunkBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(chunk.data(), ChunkBytes);
        if (got < 0) {
            *error = failure(source);
            break;
        }
        if (got == 0)
            return true;
        if (target.write(chunk.constData(), got) != got) {
            *error = failure(target);
            break;
        }
    }
    target.remove();
    return false;
}

bool RemoveIfPresent(const QString& path, QString* error)
{
    QFile file(path);
    if (file.exists() && !file.remove()) {
        *error = QStringLiteral("%1 could not be removed: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace sonorelle
