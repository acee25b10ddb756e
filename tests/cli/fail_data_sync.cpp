// Loaded with LD_PRELOAD into tavrenna-map by the tests: every fdatasync fails as a failing disk makes it
// fail, so that a save whose bytes never reached the disk can be seen.
#include <cerrno>

extern "C" int fdatasync(int) {
    errno = EIO;
    return -1;
}
