// Writes the program's sound bank:  make_sound_bank <output file>
// The bytes depend on nothing but this source, so every build writes the same
// bank. The file is written beside its destination and renamed over it, so an
// interrupted build never leaves half a bank.
#include "sound_bank_content.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sound_bank <output file>\n");
        return 2;
    }
    const std::string target = argv[1];
    const std::string temp = target + ".tmp";
    try {
        const std::vector<uint8_t> bytes = soundbank::Encode(BuildSoundBank());
        FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) {
            std::perror(temp.c_str());
            return 1;
        }
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        if (std::fclose(f) != 0 || !written || std::rename(temp.c_str(), target.c_str()) != 0) {
            std::perror(target.c_str());
            std::remove(temp.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sound_bank: %s\n", e.what());
        return 1;
    }
    return 0;
}
