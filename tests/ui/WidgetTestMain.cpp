#include "ui/widgets/Artwork.h"

#include <QApplication>

#include <gtest/gtest.h>

// The window tests run in a real application object on the offscreen platform.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Artwork::Load();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
