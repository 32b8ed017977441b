#pragma once

namespace camvista
{

// Makes the program's font the application's: Segoe UI at 8.25 points, which the windows were
// laid out for. Where it is missing, a face of similar width stands in so the captions stay
// inside their controls.
void useProgramFont();

} // namespace camvista
