// Reads the manifest that the program named on the command line carries as its resource
// and checks the declarations the saver relies on: awareness of each monitor's scaling
// (old and new forms) and the common controls of version 6. Exit code 0 when all are there.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string ManifestOf(const char* program) {
    HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST)) {
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: manifest_check PROGRAM\n");
        return 2;
    }
    const std::string manifest = ManifestOf(argv[1]);
    if (manifest.empty()) {
        std::fprintf(stderr, "%s carries no manifest\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const char* wanted : {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
                               "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2</dpiAwareness>",
                               "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""}) {
        if (manifest.find(wanted) == std::string::npos) {
            std::fprintf(stderr, "the manifest lacks %s\n", wanted);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
