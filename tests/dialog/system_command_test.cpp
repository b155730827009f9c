// Which system commands open the About box: the low 16 bits with the lowest four cleared.
#include <gtest/gtest.h>

#include "dialog/system_command.h"

namespace quorvel {
namespace {

struct Command {
    const char* name;
    std::uint32_t nID;
    bool opensAbout;
};

class SystemCommandTest : public ::testing::TestWithParam<Command> {};

TEST_P(SystemCommandTest, MasksTheCommandBeforeComparing) {
    EXPECT_EQ(IsAboutBoxCommand(GetParam().nID), GetParam().opensAbout);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SystemCommandTest,
    ::testing::Values(Command{"About", 0x0010, true}, Command{"AboutWithLowBits", 0x001F, true},
                      Command{"AboutWithHighBits", 0xABCD0013u, true},
                      Command{"BelowAbout", 0x000F, false}, Command{"AboveAbout", 0x0020, false},
                      Command{"Close", 0xF060, false}, Command{"Minimise", 0xF020, false},
                      Command{"Maximise", 0xF030, false},
                      Command{"Move", 0xF010, false},  // masks to 0xF010, not 0x0010
                      Command{"HighBitsOnly", 0x00100000u, false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
