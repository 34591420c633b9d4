// The toolkit's process services on Windows.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <memory>
#include <random>
#include <string>

#include <cstdio>

#include "backends/windows/windows_backends.h"
#include "backends/windows/window_failure.h"

namespace platform {

namespace {

class Win32Toolkit : public Toolkit {
public:
    Win32Toolkit();

    std::string CommandLineArguments() override;
    std::string ApplicationFolder() override;
    char PathSeparator() override;
    std::string UserSettingsFolder() override;
    bool FileWritable(const std::string& path) override;
    SeedOutcome SeedFileFrom(const std::string& to, const std::string& from) override;
    bool PreviousInstanceRunning() override;
    double TimeOfDay() override;
    float Random() override;
    void DoEvents() override;
    void RunWhileWindowsOpen() override;
    void ShowMessageBox(const std::string& text, int style, const std::string& caption) override;
    [[noreturn]] void EndProcess(int exitCode) override;

private:
    bool previousInstance_ = false;
    std::mt19937 random_;
};


// Every instance, whatever its mode, creates the same named mutex and keeps it for its
// whole life; finding it already there means another instance is running.
bool TakeInstanceMutex() {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Local\\KelvoraScreenSaverInstance");
    return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

// The command line after the program name and the one blank that separates them.
std::string ArgumentsAfterProgramName(const char* line) {
    const char* p = line;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    if (*p == ' ' || *p == '\t') ++p;
    return p;
}

bool ThreadHasVisibleWindow() {
    bool found = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            if (!IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<bool*>(result) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The wide path in the ANSI code page that the profile functions take; empty when a
// character of it has no place there, since a stand-in would name another folder.
std::string AnsiPath(const wchar_t* wide) {
    BOOL lossy = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr,
                                   &lossy);
    if (size <= 1 || lossy) return "";
    std::string path(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, path.data(), size, nullptr,
                        nullptr);
    path.resize(static_cast<std::size_t>(size - 1));
    return path;
}

// The folder a file lies in; a drive root keeps its backslash ("C:\\"), since "C:" alone
// names the drive's current folder.
std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    std::string folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder and every missing one above it; true when the path is a folder afterwards.
bool MakeFolders(const std::string& folder) {
    const char* separators = "\\/";
    for (std::size_t slash = folder.find_first_of(separators);;
         slash = folder.find_first_of(separators, slash + 1)) {
        // Drive roots and the starts of network paths exist or cannot be made anyway.
        CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
        if (slash == std::string::npos) break;
    }
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

Win32Toolkit::Win32Toolkit() : previousInstance_(TakeInstanceMutex()) {}

std::string Win32Toolkit::CommandLineArguments() { return ArgumentsAfterProgramName(GetCommandLineA()); }

std::string Win32Toolkit::ApplicationFolder() {
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    std::size_t slash = folder.find_last_of("\\/");
    folder.erase(slash == std::string::npos ? 0 : slash);
    // A drive root keeps its backslash ("C:\").
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

char Win32Toolkit::PathSeparator() { return '\\'; }

std::string Win32Toolkit::UserSettingsFolder() {
    PWSTR roaming = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming)))
        folder = AnsiPath(roaming);
    CoTaskMemFree(roaming);
    return folder.empty() ? folder : folder + "\\Kelvora";
}

bool Win32Toolkit::FileWritable(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
        // Opening for writing asks the read-only attribute and the access rules at once,
        // and changes nothing.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    // Only making a file shows whether the folder's access rules allow one.
    char probe[MAX_PATH];
    if (GetTempFileNameA(FolderOf(path).c_str(), "kel", 0, probe) == 0) return false;
    DeleteFileA(probe);
    return true;
}

SeedOutcome Win32Toolkit::SeedFileFrom(const std::string& to, const std::string& from) {
    const std::string folder = FolderOf(to);
    const bool folderWasThere = Exists(folder);
    if (!MakeFolders(folder)) return GetLastError() == ERROR_DISK_FULL ? SeedOutcome::DiskFull : SeedOutcome::Failed;
    if (Exists(to)) return SeedOutcome::Ready;
    DWORD fromAttributes = GetFileAttributesA(from.c_str());
    if (fromAttributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return SeedOutcome::Ready;
    } else if (fromAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        return SeedOutcome::SourceNoFile;
    }
    if (CopyFileA(from.c_str(), to.c_str(), TRUE)) {
        // The copy takes the original's attributes, the read-only one too.
        DWORD attributes = GetFileAttributesA(to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
            return SeedOutcome::Ready;
    }
    SeedOutcome outcome = GetLastError() == ERROR_DISK_FULL ? SeedOutcome::DiskFull : SeedOutcome::Failed;
    DeleteFileA(to.c_str());
    // A first save that fails leaves no empty folder behind.
    if (!folderWasThere) RemoveDirectoryA(folder.c_str());
    return outcome;
}

bool Win32Toolkit::PreviousInstanceRunning() { return previousInstance_; }

double Win32Toolkit::TimeOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

float Win32Toolkit::Random() {
    // 24 random bits make every value exactly representable and below 1.
    return static_cast<float>(random_() >> 8) * (1.0f / 16777216.0f);
}

void Win32Toolkit::DoEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        RethrowWindowFailure();
    }
}

void Win32Toolkit::RunWhileWindowsOpen() {
    while (ThreadHasVisibleWindow()) {
        MSG message;
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
        // Tab, the arrows and the mnemonics move between a window's controls.
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (!root || !IsDialogMessageA(root, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        RethrowWindowFailure();
    }
    RethrowWindowFailure();
}

void Win32Toolkit::ShowMessageBox(const std::string& text, int style, const std::string& caption) {
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), static_cast<UINT>(style));
}

void Win32Toolkit::EndProcess(int exitCode) {
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(exitCode));
}

std::unique_ptr<Toolkit> NewWin32Toolkit() { return std::make_unique<Win32Toolkit>(); }

}  // namespace platform
