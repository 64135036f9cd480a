// Started by the play-time tests as a stand-in for an emulator: runs for the
// milliseconds its first argument gives, then ends.

#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    const long ms = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 0;
}
