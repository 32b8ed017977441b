#pragma once

class QWidget;

namespace camvista
{

// Start-up timestamps for bench/startup.sh. When the environment variable CAMVISTA_STARTUP_LOG
// names a file, each mark appends a line "<event> <milliseconds>" to it, on the monotonic clock;
// without it nothing is done.
void markStartup(const char *event);

// Marks `event` once, when the top-level window is first mapped and exposed on the screen.
void markWhenExposed(QWidget *window, const char *event);

} // namespace camvista
