#include <QCoreApplication>
#include <gtest/gtest.h>

// Visualiza looks for the viewer in the program's folder, which needs the application object.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
