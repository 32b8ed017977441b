// The libFuzzer entry of one target; CMake names the target's body in CAMVISTA_FUZZ_TARGET.

#include "targets/fuzz_targets.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt's picture plugins are found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return camvista::fuzz::CAMVISTA_FUZZ_TARGET(data, size);
}
