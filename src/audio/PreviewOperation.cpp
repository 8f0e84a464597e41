#include "audio/PreviewOperation.h"

#include "app/Feedback.h"
#include "audio/PreviewPlayer.h"
#include "songdata/SongDataContext.h"

#include <utility>

namespace sonorelle {

PreviewOperation::PreviewOperation(const SharedValues& shared, TextLookup texts, PreviewPlayer& player,
                                   QString stream, StreamDecoder::TagRecordCut cut)
    : shared_(shared)
    , texts_(std::move(texts))
    , player_(player)
    , stream_(std::move(stream))
    , cut_(cut)
{
}

OperationResult PreviewOperation::run(Feedback& feedback)
{
    feedback.showProgress();
    feedback.setStatus(texts_(QStringLiteral("sost2")));
    feedback.processEvents();
    const StreamDecoder decoder(shared_);
    decoded_ = decoder.decode(stream_, cut_, feedback);
    feedback.hideProgress();
    if (decoded_.cancelled)
        return {OperationResult::Outcome::Cancelled, decoded_.problem, {}};
    if (!decoded_.decoded) {
        SongDataContext{shared_, feedback, texts_}.reportError(decoded_.problem);
        return {OperationResult::Outcome::Failed, decoded_.problem, {decoded_.problem}};
    }
    player_.MciPlayFile(decoder.wavFile());
    return {};
}

}  // namespace sonorelle
