#include "Patience.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    printf("This machine launches the stand-in %.1f times as slowly as a fast host: each wait is "
           "scaled by that.\n",
           MeasureSlowness());
    return RUN_ALL_TESTS();
}
