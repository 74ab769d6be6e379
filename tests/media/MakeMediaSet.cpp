// Fills the media cache before the tests that share it start, so that no
// test spends its own time limit generating clips.
#include "MediaSet.h"

#include <cstdio>

int main()
{
    if (mvtest::MakeAllMedia())
        return 0;
    std::fprintf(stderr, "some test media could not be generated (is ffmpeg installed?)\n");
    return 1;
}
