#include "Patience.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    printf("Each wait is scaled by %.1f, how slowly this machine launches.\n", MeasureSlowness());
    return RUN_ALL_TESTS();
}
