#include "adding/AddRun.h"

#include "adding/CdTrackSource.h"
#include "adding/EncoderRun.h"
#include "adding/FileCopy.h"
#include "adding/SourceTags.h"
#include "adding/StagedStream.h"
#include "app/Feedback.h"
#include "app/SharedValues.h"
#include "platform/ToolRunner.h"
#include "songdata/SongListDocument.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace sonorelle {

namespace {

// The CD ripper's work file; the encoder's are EncoderRun's.
const QString RippedTrack = QStringLiteral("negotovo.wav");

constexpr qint64 ShortestSong = 128;  // 127 bytes or fewer hold no song
constexpr qint64 ShortestRip = 100;

const QString ProgramTitle = QStringLiteral("Sonorelle");
const QString UntaggedAlbum = QStringLiteral(" ");

}  // namespace

struct AddRun::ItemEnd {
    enum class Kind { Added, Skipped, Failed, EndsRun, Cancelled };

    Kind kind;
    QString detail;  // the new stream name when added, otherwise why not

    static ItemEnd failed(const QString& why) { return {Kind::Failed, why}; }
};

AddRun::AddRun(SongListDocument& document, const SharedValues& shared, TextLookup texts, QStringList sources,
               CdTrackSource* cdTracks)
    : document_(document)
    , shared_(shared)
    , texts_(std::move(texts))
    , sources_(std::move(sources))
    , cdTracks_(cdTracks)
{
}

AddRun::~AddRun() = default;

AddRun::SourceKind AddRun::kindOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1).toLower();
    static const QStringList converted{QStringLiteral("mp3"), QStringLiteral("wav"), QStringLiteral("mp2"),
                                       QStringLiteral("aif"), QStringLiteral("aiff")};
    if (converted.contains(extension))
        return SourceKind::Conversion;
    if (extension == u"str" || extension == u"asf")
        return SourceKind::Copy;
    if (extension == u"cda")
        return SourceKind::CdTrack;
    return SourceKind::Unsupported;
}

OperationResult AddRun::run(Feedback& feedback)
{
    feedback_ = &feedback;
    report_ = AddReport{};
    cancelled_ = false;
    if (sources_.isEmpty()) {
        feedback.message(text(QStringLiteral("msg1")), text(QStringLiteral("msgcap1")), MessageIcon::Critical);
        return result();
    }
    bool endedEarly = false;
    QString notProcessed;
    for (item_ = 0; item_ < sources_.size() && !endedEarly && !cancelled_; ++item_) {
        const QString& source = sources_.at(item_);
        if (feedback.cancelRequested()) {
            cancelled_ = true;
            break;
        }
        feedback.showProgress();
        if (ahead_ && aheadItem_ == item_)
            current_ = std::move(ahead_);
        encodeAhead(item_ + 1);
        const ItemEnd end = addOne(source);
        current_.reset();
        // The list box shows what the game now holds, also after a failure.
        document_.NameExpert();
        feedback.hideProgress();
        switch (end.kind) {
        case ItemEnd::Kind::Added: {
            AddedSong song{source, -1, end.detail, {}};
            const SlotList& slotList = document_.slotList();
            for (qsizetype i = 0; i < slotList.lastIndex() && song.index < 0; ++i) {
                if (slotList.at(i).streamName == end.detail)
                    song = AddedSong{source, static_cast<int>(i), end.detail, document_.lines().value(i)};
            }
            report_.added.append(song);
            break;
        }
        case ItemEnd::Kind::Skipped:
            report_.problems.append({source, AddProblem::Kind::Skipped, end.detail});
            break;
        case ItemEnd::Kind::EndsRun:
            endedEarly = true;
            notProcessed = QStringLiteral("not processed: the run ended at %1").arg(source);
            report_.problems.append({source, AddProblem::Kind::Failed, end.detail});
            break;
        case ItemEnd::Kind::Cancelled:
            cancelled_ = true;
            report_.problems.append({source, AddProblem::Kind::Failed, end.detail});
            break;
        case ItemEnd::Kind::Failed:
            report_.problems.append({source, AddProblem::Kind::Failed, end.detail});
            break;
        }
    }
    // An early end stops the encoder of the next file; nothing of it is added.
    ahead_.reset();
    if (cancelled_)
        notProcessed = QStringLiteral("not processed: the run was cancelled");
    for (qsizetype rest = item_; rest < sources_.size(); ++rest)
        report_.problems.append({sources_.at(rest), AddProblem::Kind::NotProcessed, notProcessed});
    report_.ranToEnd = !endedEarly && !cancelled_;
    return result();
}

AddRun::ItemEnd AddRun::addOne(const QString& source)
{
    if (shared_.GameAudioDir.isEmpty() || shared_.TempDir.isEmpty())
        return ItemEnd::failed(QStringLiteral("the game's audio folder or the work folder is not known"));
    switch (kindOf(source)) {
    case SourceKind::Conversion:
        return addConverted(source);
    case SourceKind::Copy:
        return addCopied(source);
    case SourceKind::CdTrack:
        return addCdTrack(source);
    case SourceKind::Unsupported:
        break;
    }
    return {ItemEnd::Kind::Skipped,
            QStringLiteral("skipped: not a type that can be added (mp3, wav, mp2, aif, aiff, str, asf, cda)")};
}

void AddRun::encodeAhead(qsizetype item)
{
    if (item >= sources_.size() || kindOf(sources_.at(item)) != SourceKind::Conversion
        || shared_.GameAudioDir.isEmpty() || shared_.TempDir.isEmpty())
        return;
    // A file that fails the checks of its turn is left to them, so they speak in order.
    const QFileInfo info(sources_.at(item));
    if (!info.isFile() || !info.isReadable() || info.size() < ShortestSong)
        return;
    ahead_ = std::make_unique<EncoderRun>(shared_.ProgramDir, shared_.TempDir, item);
    aheadItem_ = item;
    QString error;
    if (!ahead_->start(sources_.at(item), &error))
        ahead_.reset();
}

std::unique_ptr<EncoderRun> AddRun::takeEncoder()
{
    if (current_)
        return std::move(current_);
    return std::make_unique<EncoderRun>(shared_.ProgramDir, shared_.TempDir, item_);
}

AddRun::ItemEnd AddRun::addConverted(const QString& source)
{
    const std::unique_ptr<EncoderRun> encoder = takeEncoder();
    status(text(QStringLiteral("sost1")));
    const QFileInfo info(source);
    if (!info.isFile() || !info.isReadable())
        return ItemEnd::failed(info.exists() ? QStringLiteral("not a file that can be read")
                                             : QStringLiteral("does not exist"));
    if (info.size() < ShortestSong) {
        feedback_->message(text(QStringLiteral("msg2")), ProgramTitle, MessageIcon::None);
        return {ItemEnd::Kind::EndsRun,
                QStringLiteral("too short to be a song (127 bytes or fewer); the run ended here")};
    }
    const SourceTags tags = ReadSourceTags(source, shared_.TagCodePage);
    status(text(QStringLiteral("sost2")));
    QString error;
    if (!encoder->started() && !encoder->start(source, &error))
        return ItemEnd::failed(error);
    StagedStream staged(shared_.GameAudioDir);
    if (const std::optional<ItemEnd> stop = encode(*encoder, staged))
        return *stop;
    status(text(QStringLiteral("sost4")));
    return storeTagged(staged, tags, source, UntaggedAlbum);
}

AddRun::ItemEnd AddRun::storeTagged(StagedStream& staged, const SourceTags& tags, const QString& source,
                                    const QString& untaggedAlbum)
{
    if (!tags.any())
        return store(staged, std::nullopt, untaggedAlbum);
    // The list entry takes the full texts; the record what its code page can hold.
    const SourceTags recorded = tags.encodableIn(shared_.TagCodePage);
    if (recorded.texts() != tags.texts())
        feedback_->setStatus(QStringLiteral("%1: characters that code page %2 cannot hold are left out of the "
                                            "stream's tag record; the song list keeps them")
                                 .arg(QFileInfo(source).fileName())
                                 .arg(shared_.TagCodePage.number()));
    if (!document_.SaveStrInfo(staged.path(), recorded.title, recorded.artist, recorded.album, recorded.year,
                               recorded.comment, false, -1))
        return ItemEnd::failed(QStringLiteral("its tags could not be written into the new stream"));
    return store(staged, tags, untaggedAlbum);
}

AddRun::ItemEnd AddRun::addCopied(const QString& source)
{
    status(text(QStringLiteral("sost1")));
    StagedStream staged(shared_.GameAudioDir);
    status(text(QStringLiteral("sost2")));
    QString error;
    if (!staged.stage(source, &error))
        return ItemEnd::failed(QStringLiteral("could not be copied into the game: ") + error);
    const ItemEnd end = store(staged, ReadStreamTags(staged.path(), shared_.TagCodePage), UntaggedAlbum);
    if (end.kind == ItemEnd::Kind::Added)
        status(QStringLiteral("OK"));
    return end;
}

AddRun::ItemEnd AddRun::addCdTrack(const QString& source)
{
    status(text(QStringLiteral("sost7")));
    if (!cdTracks_)
        return ItemEnd::failed(QStringLiteral("CD tracks can not be added yet: there is no CD reader to rip them"));
    QString error;
    if (!removeWorkFile(RippedTrack, &error))
        return ItemEnd::failed(error);
    SourceTags tags;
    switch (cdTracks_->ripTrack(source, workFile(RippedTrack), *feedback_, &error, &tags)) {
    case CdTrackSource::Outcome::Ripped:
        break;
    case CdTrackSource::Outcome::Cancelled:
        return {ItemEnd::Kind::Cancelled, QStringLiteral("cancelled while ripping; nothing of it was added")};
    case CdTrackSource::Outcome::Failed:
        return ItemEnd::failed(QStringLiteral("the track could not be ripped: ") + error);
    }
    status(text(QStringLiteral("sost1")));
    status(text(QStringLiteral("sost8")));
    if (QFileInfo(workFile(RippedTrack)).size() < ShortestRip) {
        report_.wrongCdDrive = true;
        feedback_->message(QStringLiteral("Wrong CD Drive selected for ripping. Please select your CDROM Drive in "
                                          "Options dialog!"),
                           ProgramTitle, MessageIcon::None);
        return {ItemEnd::Kind::EndsRun, QStringLiteral("the track could not be read; the run ended here")};
    }
    status(text(QStringLiteral("sost2")));
    EncoderRun encoder(shared_.ProgramDir, shared_.TempDir, item_);
    if (!encoder.start(workFile(RippedTrack), &error))
        return ItemEnd::failed(error);
    StagedStream staged(shared_.GameAudioDir);
    if (const std::optional<ItemEnd> stop = encode(encoder, staged))
        return *stop;
    status(text(QStringLiteral("sost5")));
    // A disc with CD-Text names the song; without it the song goes by its slot name.
    const ItemEnd end = storeTagged(staged, tags, source, QString());
    if (end.kind == ItemEnd::Kind::Added)
        status(QStringLiteral("OK"));
    return end;
}

std::optional<AddRun::ItemEnd> AddRun::encode(EncoderRun& encoder, StagedStream& staged)
{
    status(text(QStringLiteral("sost3")));
    const RunResult run = encoder.wait([this] { return feedback_->cancelRequested(); });
    if (run.cancelled)
        return ItemEnd{ItemEnd::Kind::Cancelled, QStringLiteral("cancelled while encoding; nothing of it was added")};
    if (!run.succeeded())
        return ItemEnd::failed(QStringLiteral("the stream encoder failed: ") + run.error);
    if (!QFileInfo(encoder.output()).isFile())
        return ItemEnd::failed(QStringLiteral("the stream encoder wrote no stream"));
    QString error;
    if (!staged.stage(encoder.output(), &error))
        return ItemEnd::failed(QStringLiteral("the stream could not be stored in the game: ") + error);
    return std::nullopt;
}

AddRun::ItemEnd AddRun::store(StagedStream& staged, const std::optional<SourceTags>& tags,
                              const QString& untaggedAlbum)
{
    QString error;
    const QString name = staged.place(&error);
    if (name.isEmpty())
        return ItemEnd::failed(QStringLiteral("the stream could not be stored in the game: ") + error);

    SlotList& slotList = document_.slotList();
    if (slotList.lastIndex() == 0)
        slotList.freeEntry() = SongListRecord{};
    SongListRecord& entry = slotList.freeEntry();
    entry.title = tags ? tags->title : name;
    entry.artist = tags ? tags->artist : name;
    entry.album = tags ? tags->album : untaggedAlbum;
    entry.streamName = name;
    status(text(QStringLiteral("sost5")));
    if (!document_.SaveList()) {
        // The list on disk does not name the stream: the folder must not keep it either.
        QFile::remove(document_.streamFileOf(static_cast<int>(slotList.lastIndex())));
        return ItemEnd::failed(
            QStringLiteral("the song list could not be saved, so the new stream was removed again"));
    }
    return {ItemEnd::Kind::Added, name};
}

void AddRun::status(const QString& statusText)
{
    feedback_->setStatus(QStringLiteral("%1 (%2/%3)").arg(statusText).arg(item_ + 1).arg(sources_.size()));
}

QString AddRun::text(const QString& key) const
{
    return TextOr(texts_, key, key);
}

QString AddRun::workFile(const QString& name) const
{
    return shared_.TempDir + u'/' + name;
}

bool AddRun::removeWorkFile(const QString& name, QString* error) const
{
    return RemoveIfPresent(workFile(name), error);
}

OperationResult AddRun::result() const
{
    OperationResult result;
    if (sources_.isEmpty()) {
        result.outcome = OperationResult::Outcome::Failed;
        result.summary = QStringLiteral("Nothing to add: no file was chosen.");
        return result;
    }
    int skipped = 0;
    int failed = 0;
    int notProcessed = 0;
    for (const AddProblem& problem : report_.problems) {
        result.problems.append(problem.text());
        skipped += problem.kind == AddProblem::Kind::Skipped ? 1 : 0;
        failed += problem.kind == AddProblem::Kind::Failed ? 1 : 0;
        notProcessed += problem.kind == AddProblem::Kind::NotProcessed ? 1 : 0;
    }
    result.summary = QStringLiteral("%1 of %2 file(s) added as songs").arg(report_.added.size()).arg(sources_.size());
    if (skipped)
        result.summary += QStringLiteral(", %1 skipped (not a type that can be added)").arg(skipped);
    if (failed)
        result.summary += QStringLiteral(", %1 failed").arg(failed);
    if (notProcessed)
        result.summary += QStringLiteral(", %1 not processed").arg(notProcessed);
    result.summary += u'.';
    if (cancelled_)
        result.outcome = OperationResult::Outcome::Cancelled;
    else if (report_.problems.isEmpty())
        result.outcome = OperationResult::Outcome::Done;
    else
        result.outcome
            = report_.added.isEmpty() ? OperationResult::Outcome::Failed : OperationResult::Outcome::Partly;
    return result;
}

}  // namespace sonorelle
