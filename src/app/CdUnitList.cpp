#include "app/CdUnitList.h"

namespace sonorelle {

void CdUnitList::fill(const QList<CdUnit>& units)
{
    units_ = units;
    selection_ = -1;
}

void CdUnitList::select(int index)
{
    selection_ = index >= 0 && index < units_.size() ? index : -1;
}

QStringList CdUnitList::labels() const
{
    QStringList labels;
    for (const CdUnit& unit : units_)
        labels.append(unit.label);
    return labels;
}

const CdUnit* CdUnitList::selected() const
{
    return selection_ >= 0 ? &units_.at(selection_) : nullptr;
}

}  // namespace sonorelle
