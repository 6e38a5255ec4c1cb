// Every test program runs inside a private state folder, so no test touches
// the user's registry store or another test program's lock files.
#include <gtest/gtest.h>

#include "tests/support/temp_home.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testsupport::TempHome home;
    return RUN_ALL_TESTS();
}
