#pragma once

#include "platform/FileStamp.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QString>

#include <functional>
#include <memory>

namespace sonorelle {

// Parsed files kept between reads: a file is read and parsed again only when its
// stamp changed, so asking for hundreds of keys of one file costs one parse.
template <typename Parsed>
class ParsedFileCache {
public:
    using Parser = std::function<Parsed(const QByteArray&)>;

    explicit ParsedFileCache(Parser parse, qsizetype capacity = 16)
        : parse_(std::move(parse)), capacity_(capacity)
    {
    }

    // The parsed content of path, or nullptr when the file cannot be read.
    std::shared_ptr<const Parsed> get(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            forget(path);
            return nullptr;
        }
        const FileStamp stamp = FileStamp::ofDescriptor(file.handle());
        {
            QMutexLocker lock(&mutex_);
            const auto found = entries_.constFind(path);
            if (stamp.isValid() && found != entries_.cend() && found->stamp == stamp)
                return found->parsed;
        }
        auto parsed = std::make_shared<const Parsed>(parse_(file.readAll()));
        QMutexLocker lock(&mutex_);
        if (entries_.size() >= capacity_ && !entries_.contains(path))
            entries_.clear();
        entries_.insert(path, Entry{stamp, parsed});
        return parsed;
    }

private:
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const Parsed> parsed;
    };

    void forget(const QString& path)
    {
        QMutexLocker lock(&mutex_);
        entries_.remove(path);
    }

    Parser parse_;
    qsizetype capacity_;
    QMutex mutex_;
    QHash<QString, Entry> entries_;
};

}  // namespace sonorelle
