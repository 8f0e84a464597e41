#pragma once

#include "adding/AddReport.h"
#include "adding/SourceTags.h"
#include "app/Operation.h"
#include "songdata/TextLookup.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace sonorelle {

class CdTrackSource;
class EncoderRun;
class Feedback;
class SongListDocument;
class StagedStream;
struct SharedValues;

// Adds audio files to the game as new songs, one after another in the given order:
// MP3, WAV, MP2, AIF and AIFF through the stream encoder, game streams (.str, .asf)
// copied as they are, CD tracks (.cda) ripped first. Each song is stored under the
// first free slot name, listed in the song list's free entry, and the list is saved
// into the game's archive before the next file starts, so an interrupted run keeps the
// songs before it. A file that fails leaves the game as it was, and the run goes on.
//
// While one file is encoded and stored, the next file to convert is already encoded
// beside it; it still becomes a song only in its turn, after the files before it are
// stored or reported, and a run that ends early (a file too short, a track not read,
// Cancel) stops that encoder and adds nothing of it.
//
// The caller holds the OperationGate, stops CD playback first, and afterwards shows the
// result (summary and one line per file not added) and, when report().ranToEnd, stores
// the browser's folder as "LastWorkDir".
class AddRun : public Operation {
public:
    enum class SourceKind { Conversion, Copy, CdTrack, Unsupported };

    // document (loaded, as start-up leaves it), shared and cdTracks belong to the caller
    // and must outlive the run. Without cdTracks every CD track fails with a message.
    AddRun(SongListDocument& document, const SharedValues& shared, TextLookup texts, QStringList sources,
           CdTrackSource* cdTracks = nullptr);

    ~AddRun() override;

    OperationResult run(Feedback& feedback) override;

    // What the last run added and what it did not, in detail.
    const AddReport& report() const { return report_; }

    // By the file name's extension after its last dot, in any case.
    static SourceKind kindOf(const QString& path);

private:
    struct ItemEnd;

    ItemEnd addOne(const QString& source);
    ItemEnd addConverted(const QString& source);
    ItemEnd addCopied(const QString& source);
    ItemEnd addCdTrack(const QString& source);
    // Starts the encoder for that item ahead of its turn when it is a file to convert.
    void encodeAhead(qsizetype item);
    // The current item's encoder run: the one started ahead, or a new one not started yet.
    std::unique_ptr<EncoderRun> takeEncoder();
    // Waits for the started encoder and stages its stream; nothing when it did.
    std::optional<ItemEnd> encode(EncoderRun& encoder, StagedStream& staged);
    // The staged stream under the first free name, listed in the free entry with the
    // tags (or with its name and untaggedAlbum), and the list saved.
    ItemEnd store(StagedStream& staged, const std::optional<SourceTags>& tags, const QString& untaggedAlbum);
    // The same, with the tags also written as the new stream's record when there are any.
    ItemEnd storeTagged(StagedStream& staged, const SourceTags& tags, const QString& source,
                        const QString& untaggedAlbum);

    // The text followed by " (n/total)".
    void status(const QString& statusText);
    QString text(const QString& key) const;
    QString workFile(const QString& name) const;
    bool removeWorkFile(const QString& name, QString* error) const;
    OperationResult result() const;

    SongListDocument& document_;
    const SharedValues& shared_;
    TextLookup texts_;
    QStringList sources_;
    CdTrackSource* cdTracks_;
    Feedback* feedback_ = nullptr;
    qsizetype item_ = 0;
    std::unique_ptr<EncoderRun> current_;  // the current item's, when started ahead
    std::unique_ptr<EncoderRun> ahead_;
    qsizetype aheadItem_ = -1;
    bool cancelled_ = false;
    AddReport report_;
};

}  // namespace sonorelle
