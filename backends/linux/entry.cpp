// The Linux program's composition root: installs every backend and runs the start
// procedure.
#include "backends/backends.h"
#include "host/startup.h"

int main(int argc, char** argv) {
    auto backends = platform::InstallPlatformBackends(argc, argv);
    return mMain::RunProcess(backends->Host());
}
