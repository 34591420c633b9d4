// Sends the running saver the power broadcast the system sends when the console display
// changes state: power_driver off | on | dim. The setting travels by pointer, so it is
// written into the saver's own memory first, as the system's copy would be.
//   exit 0: delivered; 1: no saver window; 2: usage; 3: the saver's memory was refused.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

int Usage() {
    std::fprintf(stderr, "usage: power_driver off|on|dim\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Usage();
    DWORD state = 0;
    if (std::strcmp(argv[1], "off") == 0)
        state = 0;
    else if (std::strcmp(argv[1], "on") == 0)
        state = 1;
    else if (std::strcmp(argv[1], "dim") == 0)
        state = 2;
    else
        return Usage();

    HWND saver = FindWindowA("KelvoraSaverWindow", nullptr);
    if (!saver) {
        std::fprintf(stderr, "no saver window\n");
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(saver, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    std::vector<unsigned char> setting(offsetof(POWERBROADCAST_SETTING, Data) + sizeof state);
    auto* header = reinterpret_cast<POWERBROADCAST_SETTING*>(setting.data());
    header->PowerSetting = kConsoleDisplayState;
    header->DataLength = sizeof state;
    std::memcpy(setting.data() + offsetof(POWERBROADCAST_SETTING, Data), &state, sizeof state);
    // Left in the saver for its life: the message may be read at any later time.
    void* remote = process ? VirtualAllocEx(process, nullptr, setting.size(), MEM_COMMIT, PAGE_READWRITE) : nullptr;
    if (!remote || !WriteProcessMemory(process, remote, setting.data(), setting.size(), nullptr)) {
        std::fprintf(stderr, "cannot write into the saver's memory\n");
        return 3;
    }
    PostMessageA(saver, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(remote));
    CloseHandle(process);
    std::printf("sent display %s\n", argv[1]);
    return 0;
}
