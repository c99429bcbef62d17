// The end-to-end program: the tests in a directory of their own, removed if they pass.
#include "harness.h"

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    start_headless_library();
    // Windows come and go under the harness's queries: X errors are ignored.
    XSetErrorHandler([](Display *, XErrorEvent *) {
        return 0;
    });
    char tmp[] = "/tmp/talvon-e2e-XXXXXX";
    root = mkdtemp(tmp);
    // A game a failed test left running ends on its own with the display, which dies with us.
    return RUN_ALL_TESTS() || std::filesystem::remove_all(root) == 0;
}
