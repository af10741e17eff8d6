#include <afxwin.h>

#include <gtest/gtest.h>

// The dialogs load their icon through the application object, as in the program.
static CWinApp testApp;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
