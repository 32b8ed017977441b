#pragma once

#include "platform/app_paths.h"

#include <QString>

namespace camvista
{

// Makes the folders the program keeps the user's files in: the shots folder, and for an
// installed program the configuration folder too. The portable form says nothing, whatever
// happens; an installed program tells where the shots folder was made on the first start and
// names every folder that could not be made, with the reason.
struct FolderNotice {
    QString text; // empty when there is nothing to tell
    bool failed = false;
};
FolderNotice prepareUserFolders(const AppPaths &paths);

} // namespace camvista
