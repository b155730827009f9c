// The values a plan file holds. A file may set only some of them, so that values given
// elsewhere (the command line, the window) can fill or override the rest.
#pragma once

#include "plan/finder_settings.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

#include <optional>

namespace quorvel {

/// The plan values of a plan file; an empty optional means the file does not set it.
struct PlanFileValues {
    std::optional<double> fs;           ///< sample rate Fs, MHz
    std::optional<double> ifCentre;     ///< centre of the IF band, MHz
    std::optional<double> ifBw;         ///< width of the IF band, MHz
    std::optional<double> rfBw;         ///< width of the RF band, MHz
    std::optional<int> harmonics;       ///< H, the highest harmonic
    std::optional<int> sliderVariable;  ///< kSliderDrivesFs or kSliderDrivesIf
    FinderSettings finder;
    /// The converter's spur model; a file without one has none.
    std::optional<SpurModel> model;

    /// Every plan value of the plan, and the slider variable when it drives Fs or the IF.
    static PlanFileValues FromPlan(const PlanFields& plan);

    /// Sets the fields that these values set; leaves the others as they are.
    void ApplyTo(PlanFields& plan) const;

    friend bool operator==(const PlanFileValues&, const PlanFileValues&) = default;
};

}  // namespace quorvel
