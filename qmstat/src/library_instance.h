// The one status library of a loaded QmStat.dll or QnStat.dll. The exports
// carry no context, so the DLL keeps its instance here and nowhere else.
#pragma once
#include "status_library.h"

namespace qmstat {

StatusLibrary& libraryInstance();

}  // namespace qmstat
