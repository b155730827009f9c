// Writes the results file the plan results test compares with:
//   write_plan_results tests/app/results/plan_results.txt
// Run it on Linux after a change that means to change the results, and check the diff.
#include <fstream>
#include <iostream>

#include "plan_results.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_plan_results FILE\n";
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << quorvel::test::PlanResultsText();
    return file.flush() ? 0 : 1;
}
