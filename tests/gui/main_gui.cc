// Test entry point for the tests that need a display: the toolkit is set up
// once, before any test runs.
#include <gtest/gtest.h>
#include <gtkmm/main.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    Gtk::Main kit(argc, argv, true);
    return RUN_ALL_TESTS();
}
