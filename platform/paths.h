#pragma once
// Where the suite keeps its state and finds its installed files.
#include <string>

namespace platform::paths {

// $VELKA_TA_HOME, else $XDG_STATE_HOME/velka-ta, else ~/.local/state/velka-ta.
// Created on first use.
std::string homeDir();
// $XDG_RUNTIME_DIR/velka-ta, else <homeDir>/run. Created on first use.
std::string runtimeDir();
std::string registryDbPath();  // <homeDir>/registry.db

// The installed tree: $VELKA_TA_INSTALL_DIR, else ../share/velka-ta beside the
// running program, else the source tree this build came from.
std::string installDir();
std::string dataDir();      // <install>/data
std::string helpDir();      // <install>/data/help
std::string profilesDir();  // <homeDir>/profiles
std::string firmwareDir();  // <install>/data/firmware

}  // namespace platform::paths
