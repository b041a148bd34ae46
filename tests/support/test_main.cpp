// tests/support/test_main.cpp: the main of every test program.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The real clock runs a thread: death tests must re-execute rather than fork a live thread.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
