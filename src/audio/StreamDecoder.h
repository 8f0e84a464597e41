#pragma once

#include <QString>

namespace sonorelle {

class Feedback;
struct SharedValues;

// Decodes a game stream into TempDir/playwav.wav for preview and export: the stream
// is copied to playwav.sng, its trailing tag record optionally cut off into
// playwavt.sng, and addon3 -wave decodes the copy.
class StreamDecoder {
public:
    enum class TagRecordCut { Never, WhenPresent };

    struct Result {
        bool decoded = false;
        bool cancelled = false;
        QString input;    // the work file addon3 decoded
        QString problem;  // names the step that failed
    };

    explicit StreamDecoder(const SharedValues& shared);

    // A work file of TempDir by name ("playwav.wav").
    QString workFile(const QString& name) const;
    QString wavFile() const { return workFile(QStringLiteral("playwav.wav")); }

    Result decode(const QString& stream, TagRecordCut cut, Feedback& feedback) const;

private:
    const SharedValues& shared_;
};

}  // namespace sonorelle
