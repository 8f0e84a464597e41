#pragma once

#include "platform/FileStamp.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QIODevice>
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
    // For files read only as far as needed.
    using Reader = std::function<Parsed(QFile&)>;

    explicit ParsedFileCache(Parser parse, qsizetype capacity = 16)
        : read_([parse = std::move(parse)](QFile& file) { return parse(file.readAll()); }), capacity_(capacity)
    {
    }

    explicit ParsedFileCache(Reader read, qsizetype capacity = 16)
        : read_(std::move(read)), capacity_(capacity)
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
        auto parsed = std::make_shared<const Parsed>(read_(file));
        QMutexLocker lock(&mutex_);
        if (!isSettled(stamp)) {
            entries_.remove(path);
            return parsed;
        }
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

    // File times advance in coarse steps: a file changed twice within one step at the
    // same size would look unchanged. Only a file untouched for a while is kept.
    static bool isSettled(const FileStamp& stamp)
    {
        constexpr qint64 settleNs = 1'000'000'000;
        return stamp.isValid() && stamp.modifiedNs < QDateTime::currentMSecsSinceEpoch() * 1'000'000 - settleNs;
    }

    void forget(const QString& path)
    {
        QMutexLocker lock(&mutex_);
        entries_.remove(path);
    }

    Reader read_;
    qsizetype capacity_;
    QMutex mutex_;
    QHash<QString, Entry> entries_;
};

}  // namespace sonorelle
