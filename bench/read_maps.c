/* The floor for checking a map pack: walk a folder and open, read and close every *.map file in it,
   nothing else. bench/pack_check.sh times `tavrenna-map check FOLDER` against this. */
#define _XOPEN_SOURCE 700
#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static unsigned long files, bytes;

static int visit(const char* path, const struct stat* info, int type, struct FTW* where) {
    (void)info;
    (void)where;
    size_t length = strlen(path);
    if (type != FTW_F || length < 5 || strcmp(path + length - 4, ".map") != 0)
        return 0;
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char buffer[2306];
    ssize_t got = read(fd, buffer, sizeof buffer);
    close(fd);
    if (got > 0)
        bytes += (unsigned long)got;
    ++files;
    return 0;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: read_maps FOLDER\n");
        return 2;
    }
    if (nftw(argv[1], visit, 64, FTW_PHYS) != 0)
        return 2;
    printf("%lu files, %lu bytes\n", files, bytes);
    return 0;
}
