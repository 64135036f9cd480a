// Started by the play-time tests as a stand-in for an emulator: runs for the
// milliseconds its first argument gives (a second when that is a file name,
// as an emulator is given), then ends.

#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    long ms = 1000;
    if (argc > 1) {
        char* end = nullptr;
        const long given = std::strtol(argv[1], &end, 10);
        if (end != argv[1] && *end == '\0')
            ms = given;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 0;
}
