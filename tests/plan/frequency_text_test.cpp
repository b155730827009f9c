#include "plan/frequency_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvel {
namespace {

struct TextRow {
    const char* text;
    std::optional<double> mhz;
};

class FrequencyTextTest : public testing::TestWithParam<TextRow> {};

TEST_P(FrequencyTextTest, ReadsUnitsAndProductsOrNothing) {
    EXPECT_EQ(ParseFrequencyText(GetParam().text), GetParam().mhz) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FrequencyTextTest,
    testing::Values(
        // Plain numbers are MHz, read as the fields always read them.
        TextRow{"737.28", 737.28}, TextRow{" -1e3 ", -1000.0}, TextRow{"3 GHz", 3000.0},
        TextRow{"3ghz", 3000.0}, TextRow{"2.4 GHz/2", 1200.0}, TextRow{"245.76*12", 2949.12},
        TextRow{"3e3/4", 750.0}, TextRow{"245.76 MS/s * 12", 2949.12},
        TextRow{"122.88 Msps", 122.88}, TextRow{"1.5 GS/s", 1500.0}, TextRow{"100 kHz", 0.1},
        TextRow{"1e9 Hz", 1000.0}, TextRow{"5e6 sps", 5.0}, TextRow{"1e6 S/s", 1.0},
        TextRow{"12 * 245.76 MHz", 2949.12}, TextRow{"1e3ms/s", 1000.0},
        // Refused: what the fields have always refused, and units that make no frequency.
        TextRow{"3 G", std::nullopt}, TextRow{"GHz", std::nullopt}, TextRow{"", std::nullopt},
        TextRow{"1 GHz * 2 GHz", std::nullopt}, TextRow{"1000 / 1 GHz", std::nullopt},
        TextRow{"1/0", std::nullopt}, TextRow{"1e308*10", std::nullopt},
        TextRow{"2 */ 3", std::nullopt}, TextRow{"nan", std::nullopt},
        TextRow{"1 xhz", std::nullopt}, TextRow{"0x10", std::nullopt}));

}  // namespace
}  // namespace quorvel
