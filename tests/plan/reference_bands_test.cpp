#include "plan/reference_bands.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

PlanFields Plan(double fs, double ifc, double ifBw, double rfBw) {
    PlanFields plan;
    plan.m_fs = fs;
    plan.m_if = ifc;
    plan.m_ifBw = ifBw;
    plan.m_rfBw = rfBw;
    return plan;
}

struct ZoneRow {
    const char* name;
    double fs, ifc, ifBw, rfBw;
    double ifLo, ifHi, rfLo, rfHi;
    const char* note;
};

class UnderSampledIf : public testing::TestWithParam<ZoneRow> {};

TEST_P(UnderSampledIf, ReferencesStandAtTheirImagesWithTheZoneNamed) {
    const ZoneRow& r = GetParam();
    const PlanFields plan = Plan(r.fs, r.ifc, r.ifBw, r.rfBw);
    const ChartReferences refs = PlaceChartReferences(plan);
    EXPECT_TRUE(refs.atImages);
    EXPECT_EQ(refs.ifLo, r.ifLo);
    EXPECT_EQ(refs.ifHi, r.ifHi);
    EXPECT_EQ(refs.rfLo, r.rfLo);
    EXPECT_EQ(refs.rfHi, r.rfHi);
    EXPECT_EQ(NyquistZoneNote(plan), r.note);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, UnderSampledIf,
    testing::Values(ZoneRow{"SecondZone", 3000, 1800, 100, 400, 1150, 1250, 1000, 1400,
                            "IF band in Nyquist zone 2, spectrum inverted"},
                    ZoneRow{"ThirdZone", 100, 130, 10, 20, 25, 35, 20, 40,
                            "IF band in Nyquist zone 3, spectrum upright"},
                    // The RF band reaches across Fs: its image runs from 0.
                    ZoneRow{"RfAcrossFs", 100, 90, 10, 40, 5, 15, 0, 30,
                            "IF band in Nyquist zone 2, spectrum inverted"},
                    ZoneRow{"StraddlesFs", 100, 95, -20, 60, 0, 15, 0, 35,
                            "IF band spans Nyquist zones 2 to 3"},
                    ZoneRow{"FarZone", 1, 1e6 + 0.25, 0.125, 0.25, 0.1875, 0.3125, 0.125, 0.375,
                            "IF band in Nyquist zone 2000001, spectrum upright"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
