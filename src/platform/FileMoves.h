#pragma once

#include <QString>

namespace sonorelle {

enum class MoveOutcome {
    Moved,
    TargetExists,  // `to` exists (even one that appeared a moment ago); nothing moved
    Failed,
};

// Gives the file `from` the name `to` in the same file system, never replacing a file
// that has that name. The data is made durable first, so a name that a list already
// points at never holds a file whose data a crash can lose. *error says why it failed.
MoveOutcome MoveWithoutReplacing(const QString& from, const QString& to, QString* error);

}  // namespace sonorelle
