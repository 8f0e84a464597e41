#include "adding/StagedStream.h"

#include "adding/FileCopy.h"
#include "platform/FileMoves.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>

namespace sonorelle {

namespace {

constexpr int NameAttempts = 100;

QString hiddenName()
{
    return QStringLiteral(".sonorelle-%1.tmp").arg(QRandomGenerator::global()->generate64(), 0, 36);
}

}  // namespace

QString FreeSlotName(const QString& audioDir)
{
    QSet<QString> taken;
    for (const QString& name : QDir(audioDir).entryList(QDir::Files | QDir::Hidden | QDir::System))
        taken.insert(name.toLower());
    for (int k = 1;; ++k) {
        const QString name = QStringLiteral("s%1").arg(k, 2, 10, QLatin1Char('0'));
        if (!taken.contains(name + QStringLiteral(".sng")))
            return name;
    }
}

StagedStream::StagedStream(QString audioDir)
    : audioDir_(std::move(audioDir))
{
    if (!audioDir_.endsWith(u'/'))
        audioDir_ += u'/';
}

StagedStream::~StagedStream()
{
    if (!path_.isEmpty() && !placed_)
        QFile::remove(path_);
}

bool StagedStream::stage(const QString& from, QString* error)
{
    // 64 random bits: the new file is made exclusively, and a clash is not worth a retry.
    const QString candidate = audioDir_ + hiddenName();
    if (!CopyIntoNewFile(from, candidate, error))
        return false;
    path_ = candidate;
    return true;
}

QString StagedStream::place(QString* error)
{
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QString name = FreeSlotName(audioDir_);
        switch (MoveWithoutReplacing(path_, audioDir_ + name + QStringLiteral(".sng"), error)) {
        case MoveOutcome::Moved:
            placed_ = true;
            return name;
        case MoveOutcome::TargetExists:
            continue;
        case MoveOutcome::Failed:
            *error = audioDir_ + name + QStringLiteral(".sng: ") + *error;
            return {};
        }
    }
    *error = QStringLiteral("no free stream name in %1").arg(audioDir_);
    return {};
}

}  // namespace sonorelle
