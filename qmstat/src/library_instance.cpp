#include "library_instance.h"

namespace qmstat {

StatusLibrary& libraryInstance() {
  // Zero-filled at load without running code, as DllMain needs it.
  static constinit StatusLibrary instance;
  return instance;
}

}  // namespace qmstat
