#include "platform/MachineValueScanner.h"

#include "platform/KeyLineTargets.h"
#include "platform/ParsedFileCache.h"
#include "platform/RegFile.h"
#include "platform/RegKeyLine.h"
#include "platform/Registry.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace sonorelle {

namespace {

const QByteArray wineHeader = QByteArrayLiteral("WINE REGISTRY Version 2");
constexpr qint64 chunkSize = 256 * 1024;
// Plenty for every prefix a person keeps; a full cache starts over.
constexpr qsizetype remembered = 512;

// The lines of a device, read a chunk at a time as they are asked for. A line stays
// valid until the next call.
class ChunkedLines {
public:
    explicit ChunkedLines(QIODevice& device) : device_(device) {}

    bool next(QByteArrayView& line)
    {
        for (;;) {
            const qsizetype end = buffer_.indexOf('\n', searchFrom_);
            if (end >= 0 || (atEnd_ && pos_ < buffer_.size())) {
                const qsizetype stop = end >= 0 ? end : buffer_.size();
                line = QByteArrayView(buffer_).sliced(pos_, stop - pos_);
                if (line.endsWith('\r'))
                    line.chop(1);
                pos_ = searchFrom_ = stop + 1;
                return true;
            }
            if (atEnd_)
                return false;
            refill();
        }
    }

    bool failed() const { return failed_; }

private:
    void refill()
    {
        buffer_.remove(0, pos_);
        pos_ = 0;
        searchFrom_ = buffer_.size();
        const qsizetype kept = buffer_.size();
        buffer_.resize(kept + chunkSize);
        const qint64 got = device_.read(buffer_.data() + kept, chunkSize);
        buffer_.resize(kept + std::max<qint64>(got, 0));
        atEnd_ = got <= 0;
        failed_ = got < 0;
    }

    QIODevice& device_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype searchFrom_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

}  // namespace

struct MachineValueScanner::Target {
    QString valueName;
    QStringList views;  // normalized key paths, in lookup order
    KeyLineTargets keyLines;

    Answer read(QIODevice& file) const
    {
        ChunkedLines lines(file);
        QByteArrayView line;
        if (!lines.next(line) || line.trimmed() != QByteArrayView(wineHeader))
            return {lines.failed() ? Answer::Unreadable : Answer::Damaged, {}};

        QList<std::optional<QString>> found(views.size());
        qsizetype collecting = -1;
        QByteArray section;
        const auto finishSection = [&] {
            if (collecting < 0)
                return;
            const RegFile parsed = RegFile::parse(section);
            if (const RegFile::Value* value = parsed.findValue(views[collecting], valueName))
                found[collecting] = value->string();
            collecting = -1;
        };
        bool continued = false;  // the line goes on a hex value broken over lines
        while (lines.next(line)) {
            const QByteArrayView text = WithoutLeadingBlanks(line);
            if (continued || !text.startsWith('[')) {
                if (collecting >= 0)
                    section.append(line).append('\n');
                continued = line.endsWith('\\') && (continued || text.indexOf("hex") > 0);
                continue;
            }
            finishSection();
            // The first view settles it; later ones only count when it holds no value.
            if (found.front())
                return {Answer::Found, *found.front()};
            collecting = keyLines.indexOf(text);
            if (collecting >= 0 && found[collecting])
                collecting = -1;
            if (collecting >= 0)
                section = wineHeader + '\n' + text.toByteArray() + '\n';
        }
        if (lines.failed())
            return {Answer::Unreadable, {}};
        finishSection();
        const auto first = std::find_if(found.cbegin(), found.cend(), [](const auto& text) { return text.has_value(); });
        return first != found.cend() ? Answer{Answer::Found, **first} : Answer{Answer::Missing, {}};
    }
};

MachineValueScanner::MachineValueScanner(const QString& key, QString valueName)
{
    auto target = std::make_shared<Target>();
    target->valueName = std::move(valueName);
    target->views = Registry::wineMachineKeyViews(key);
    target->keyLines = KeyLineTargets(target->views);
    target_ = target;
    answers_ = std::make_shared<ParsedFileCache<Answer>>(
        ParsedFileCache<Answer>::Reader([target](QIODevice& file) { return target->read(file); }), remembered);
}

MachineValueScanner::~MachineValueScanner() = default;

MachineValueScanner::Answer MachineValueScanner::scan(const QString& systemRegPath) const
{
    const std::shared_ptr<const Answer> answer = answers_->get(systemRegPath);
    return answer ? *answer : Answer{Answer::Unreadable, {}};
}

}  // namespace sonorelle
