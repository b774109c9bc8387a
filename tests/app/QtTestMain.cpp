#include <QCoreApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

// The tests of the program's layers over Qt run inside an application object, as the program
// does.
int main(int argc, char** argv)
{
#ifdef SEALVANE_TEST_LOCALE
    // A fixed system language, so that defaults derived from it can be checked.
    qputenv("LC_ALL", SEALVANE_TEST_LOCALE);
#endif
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
