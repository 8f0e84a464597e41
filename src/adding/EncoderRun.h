#pragma once

#include "platform/ToolRunner.h"

#include <QString>

#include <functional>
#include <memory>

namespace sonorelle {

// One run of the stream encoder for one item of an add run. Items alternate between two
// pairs of work names, so the next item can be encoded while this one is stored: the
// even items use "negotovo.!!!" and "gotovo.!!!", the odd ones "negotovo.1.!!!" and
// "gotovo.1.!!!". Destroying the run stops an encoder that still works.
class EncoderRun {
public:
    EncoderRun(const QString& programDir, const QString& workDir, qsizetype item);

    // Removes the item's work files (an output of an earlier run must never pass for this
    // one's), copies source to the input and starts the encoder. False with *error set
    // when a work file could not be removed or written.
    bool start(const QString& source, QString* error);
    bool started() const { return process_ != nullptr; }

    // Waits for the started encoder to end, polling cancelRequested (Cancel stops it).
    RunResult wait(const std::function<bool()>& cancelRequested);

    // Where the encoder writes the stream.
    const QString& output() const { return output_; }

private:
    QString program_;
    QString input_;
    QString output_;
    std::unique_ptr<ToolProcess> process_;
};

}  // namespace sonorelle
