#pragma once

namespace camvista
{

// Pictures of tens of megabytes come and go with every commit. Keep freed buffers for reuse
// instead of handing them back to the system and paying for fresh pages each time (glibc gives
// blocks above 32 MB straight back by default). Call once, before any picture is made.
void keepFreedPictureMemory();

} // namespace camvista
