#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace sonorelle {

class Session;

namespace CliExit {
constexpr int Success = 0;
constexpr int Failure = 1;  // the command could not do what was asked; stderr says why
constexpr int Usage = 2;    // the command line itself is wrong; the usage text follows
}  // namespace CliExit

// What a command works on once start-up has run.
struct CommandCall {
    Session& session;
    // The song the command names, or for a command without one the selection that
    // start-up leaves (the first song, -1 when there is none).
    int slot;
    QStringList arguments;  // the words after the command's name
    QTextStream& out;
};

// One command of sonorelle-cli.
struct CliCommand {
    // The parameter that names a song by its index in `list`.
    static inline const QString SlotParameter = QStringLiteral("N");

    QString name;
    QString parameters;  // as the usage text shows them, e.g. "N TITLE ARTIST"
    QString summary;
    int (*run)(const CommandCall& call);
    // The file tag commands work on a file of the person's: they run without the game
    // and without the Setup, so neither a missing game nor a damaged song gets in
    // their way.
    bool needsGame = true;

    QStringList parameterNames() const { return parameters.split(u' ', Qt::SkipEmptyParts); }
    bool namesSlot() const { return parameterNames().value(0) == SlotParameter; }
    // "FILE...": the last parameter may be given once or more.
    bool repeatsLast() const { return parameters.endsWith(QStringLiteral("...")); }
};

}  // namespace sonorelle
