#include "songdata/SongListWriter.h"

#include "app/Feedback.h"
#include "app/SharedValues.h"
#include "platform/FileReplace.h"
#include "platform/ToolRunner.h"
#include "songdata/SlotList.h"
#include "songdata/SongListFile.h"

#include <QFile>
#include <QDir>
#include <QRegularExpression>

#include <optional>

namespace sonorelle {

namespace {

std::optional<QByteArray> currentContent(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString toolFailure(const RunResult& run)
{
    QString reason = run.waitResult == RunResult::Ended
                         ? QStringLiteral("the archive tool ended with exit code %1").arg(run.exitCode)
                         : QStringLiteral("the archive tool could not be run");
    if (!run.error.isEmpty())
        reason += QStringLiteral(": ") + run.error;
    return reason;
}

// Puts the list that was there before back in place; returns "" or what went wrong.
QString restore(const QString& path, const std::optional<QByteArray>& previous)
{
    QString error;
    if (previous) {
        if (!ReplaceFileAtomically(path, *previous, &error))
            return error;
    } else {
        QFile file(path);
        if (file.exists() && !file.remove())
            return file.errorString();
    }
    return {};
}

// Earlier versions wrote the list through "songlist.bin.XXXXXX"; one left by an
// interrupted save matches the put-back's "songlist.*" and would become a member.
void removeStaleListTemporaries(const AudioFolder& folder)
{
    static const QRegularExpression stale(QStringLiteral("^songlist\\.bin\\.[A-Za-z0-9]{6}$"),
                                          QRegularExpression::CaseInsensitiveOption);
    QDir dir(folder.path());
    for (const QString& name : dir.entryList({QStringLiteral("songlist.bin.*")}, QDir::Files | QDir::System)) {
        if (stale.match(name).hasMatch())
            dir.remove(name);
    }
}

}  // namespace

bool SongListWriter::SaveList(const SlotList& slotList, const SongDataContext& context)
{
    const AudioFolder folder = context.audioFolder();
    QList<SongListRecord> written;
    for (const SongListRecord& entry : slotList.entries()) {
        if (folder.hasStream(entry.storedStreamName()))
            written.append(entry);
    }

    const QString listPath = folder.songListPath();
    const std::optional<QByteArray> previous = currentContent(listPath);
    QString error;
    if (listPath.isEmpty())
        error = QStringLiteral("the game's audio folder is not known");
    if (!error.isEmpty() || !ReplaceFileAtomically(listPath, SongListFile::encode(written), &error)) {
        context.reportError(TextOr(context.texts, QStringLiteral("msgListNotWritten"),
                                   QStringLiteral("The song list could not be written:"))
                            + QStringLiteral("\n%1\n%2").arg(listPath, error));
        return false;
    }

    removeStaleListTemporaries(folder);
    const RunResult run = RunAndWait(context.shared.ProgramDir + QStringLiteral("/addon2"),
                                     {QStringLiteral("-ar"), folder.archivePath(),
                                      folder.filePath(QStringLiteral("songlist.*"))},
                                     WindowStyle::Hidden, -1);
    if (!run.succeeded()) {
        QString text = TextOr(context.texts, QStringLiteral("msgListNotArchived"),
                              QStringLiteral("The song list could not be put back into the game archive; "
                                             "the game keeps its previous list:"))
                       + QStringLiteral("\n%1\n%2").arg(folder.archivePath(), toolFailure(run));
        const QString restoreError = restore(listPath, previous);
        if (!restoreError.isEmpty())
            text += QStringLiteral("\n%1: %2").arg(listPath, restoreError);
        context.reportError(text);
        return false;
    }
    context.feedback.setStatus(QStringLiteral("OK"));
    return true;
}

}  // namespace sonorelle
