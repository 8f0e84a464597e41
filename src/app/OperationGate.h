#pragma once

#include <QString>

#include <optional>

namespace sonorelle {

class Feedback;

// The window side of a running operation: its working controls off, then on again.
class WorkingControls {
public:
    virtual ~WorkingControls() = default;
    virtual void Upr_Disabled() = 0;
    virtual void Upr_Enabled() = 0;
};

// One operation at a time. Tool runs wait in a local event loop, so a click can
// arrive while an operation writes the game's files; the gate turns such a second
// operation away instead of letting it interleave.
class OperationGate {
public:
    // Held for the length of one operation: the controls are off while it lives.
    class Pass {
    public:
        Pass(Pass&& other) noexcept;
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        Pass& operator=(Pass&&) = delete;
        ~Pass();

    private:
        friend class OperationGate;
        explicit Pass(OperationGate& gate);
        OperationGate* gate_;
    };

    void setControls(WorkingControls* controls) { controls_ = controls; }

    // A pass when nothing runs; otherwise nothing, and the person is told so.
    std::optional<Pass> enter(Feedback& feedback, const QString& busyText);
    bool isBusy() const { return busy_; }

private:
    void leave();

    WorkingControls* controls_ = nullptr;
    bool busy_ = false;
};

}  // namespace sonorelle
