// Reads the resources of the program named on the command line as Windows does and checks
// what the saver relies on: in its manifest, awareness of each monitor's scaling (old and
// new forms) and the common controls of version 6; in its version resource, the product's
// name, description, copyright and the given version as file and product version, in
// text and in numbers. Exit code 0 when all are there.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Expect(bool holds, const std::string& failure) {
    if (holds) return;
    std::fprintf(stderr, "%s\n", failure.c_str());
    ++failures;
}

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

void CheckManifest(const char* program) {
    const std::string manifest = ManifestOf(program);
    Expect(!manifest.empty(), std::string(program) + " carries no manifest");
    for (const char* wanted : {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
                               "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2</dpiAwareness>",
                               "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""}) {
        Expect(manifest.find(wanted) != std::string::npos, std::string("the manifest lacks ") + wanted);
    }
}

// The version resource's text under the language and code page it declares first.
std::string VersionText(const std::vector<char>& info, const char* name) {
    struct Translation {
        WORD language, codePage;
    };
    Translation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof *translation)
        return {};
    char path[96];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                  translation->codePage, name);
    char* text = nullptr;
    if (!VerQueryValueA(info.data(), path, reinterpret_cast<void**>(&text), &size) || !size) return {};
    return text;
}

void CheckVersion(const char* program, const std::string& version) {
    std::vector<char> info(GetFileVersionInfoSizeA(program, nullptr));
    Expect(!info.empty() && GetFileVersionInfoA(program, 0, static_cast<DWORD>(info.size()), info.data()),
           std::string(program) + " carries no version resource");
    if (info.empty()) return;
    for (const char* name : {"FileVersion", "ProductVersion"})
        Expect(VersionText(info, name) == version,
               std::string(name) + " is '" + VersionText(info, name) + "', not " + version);
    Expect(VersionText(info, "ProductName") == "Kelvora", "ProductName is '" + VersionText(info, "ProductName") + "'");
    for (const char* name : {"FileDescription", "LegalCopyright"})
        Expect(!VersionText(info, name).empty(), std::string("the version resource has no ") + name);
    Expect(VersionText(info, "LegalCopyright").find("Kelvora developers") != std::string::npos,
           "LegalCopyright is '" + VersionText(info, "LegalCopyright") + "'");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    Expect(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size) && fixed,
           "the version resource has no numbers");
    if (!fixed) return;
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%lu.%lu.%lu", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS));
    Expect(numbers == version && fixed->dwFileVersionMS == fixed->dwProductVersionMS &&
               fixed->dwFileVersionLS == fixed->dwProductVersionLS,
           std::string("the version numbers are ") + numbers);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: resource_check PROGRAM VERSION\n");
        return 2;
    }
    CheckManifest(argv[1]);
    CheckVersion(argv[1], argv[2]);
    return failures == 0 ? 0 : 1;
}
