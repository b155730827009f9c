#include "planfile/plan_file_values.h"

namespace quorvel {

PlanFileValues PlanFileValues::FromPlan(const PlanFields& plan) {
    PlanFileValues values;
    values.fs = plan.m_fs;
    values.ifCentre = plan.m_if;
    values.ifBw = plan.m_ifBw;
    values.rfBw = plan.m_rfBw;
    values.harmonics = plan.m_harmonics;
    if (plan.m_sliderVariable == kSliderDrivesFs || plan.m_sliderVariable == kSliderDrivesIf) {
        values.sliderVariable = plan.m_sliderVariable;
    }
    return values;
}

void PlanFileValues::ApplyTo(PlanFields& plan) const {
    plan.m_fs = fs.value_or(plan.m_fs);
    plan.m_if = ifCentre.value_or(plan.m_if);
    plan.m_ifBw = ifBw.value_or(plan.m_ifBw);
    plan.m_rfBw = rfBw.value_or(plan.m_rfBw);
    plan.m_harmonics = harmonics.value_or(plan.m_harmonics);
    plan.m_sliderVariable = sliderVariable.value_or(plan.m_sliderVariable);
}

}  // namespace quorvel
