#include "memory_tuning.h"

#include <cstdlib> // defines __GLIBC__ where it applies

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace camvista
{

void keepFreedPictureMemory()
{
#ifdef __GLIBC__
    // The mmap threshold cannot be raised above 32 MB, so big blocks stay on the heap only when
    // mmap is not used for them at all.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
}

} // namespace camvista
