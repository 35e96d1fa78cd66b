#include "ui/qt/ReleaseMemory.h"

#include <cstdlib> // defines __GLIBC__ there

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
