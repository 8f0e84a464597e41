#include "audio/CopyFileSection.h"

#include <QFile>
#include <QSaveFile>

namespace sonorelle {

bool CopyFileSection(const QString& source, const QString& destination, qint64 start, qint64& length)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = in.size();
    if (start >= size)
        return true;
    const qint64 remaining = size - start;
    if (length <= 0 || length > remaining)
        length = 0;
    qint64 left = length > 0 ? length : remaining;
    QSaveFile out(destination);
    if (!in.seek(start) || !out.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 Chunk = 1 << 20;
    while (left > 0) {
        const QByteArray bytes = in.read(qMin(Chunk, left));
        if (bytes.isEmpty() || out.write(bytes) != bytes.size())
            return false;
        left -= bytes.size();
    }
    return out.commit();
}

}  // namespace sonorelle
