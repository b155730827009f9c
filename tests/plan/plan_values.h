// A plan written as its five values, for tables of worked cases.
#pragma once

#include "plan/plan_fields.h"

namespace quorvel::test {

inline PlanFields Plan(double fs, double ifc, double ifBw, double rfBw, int h) {
    PlanFields p;
    p.m_fs = fs;
    p.m_if = ifc;
    p.m_ifBw = ifBw;
    p.m_rfBw = rfBw;
    p.m_harmonics = h;
    return p;
}

}  // namespace quorvel::test
