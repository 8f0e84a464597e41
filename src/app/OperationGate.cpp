#include "app/OperationGate.h"

#include "app/Feedback.h"

namespace sonorelle {

OperationGate::Pass::Pass(OperationGate& gate)
    : gate_(&gate)
{
    gate.busy_ = true;
    if (gate.controls_)
        gate.controls_->Upr_Disabled();
}

OperationGate::Pass::Pass(Pass&& other) noexcept
    : gate_(other.gate_)
{
    other.gate_ = nullptr;
}

OperationGate::Pass::~Pass()
{
    if (gate_)
        gate_->leave();
}

std::optional<OperationGate::Pass> OperationGate::enter(Feedback& feedback, const QString& busyText)
{
    if (busy_) {
        feedback.message(busyText, QStringLiteral("Sonorelle"), MessageIcon::Warning);
        return std::nullopt;
    }
    return Pass(*this);
}

void OperationGate::leave()
{
    busy_ = false;
    if (controls_)
        controls_->Upr_Enabled();
}

}  // namespace sonorelle
