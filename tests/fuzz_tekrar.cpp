// Replays every seed file of a corpus folder through a fuzz entry point, so
// that an ordinary build keeps the seeds as a regression test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *veri, size_t boyut);

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    int sayi = 0;
    for (const auto &girdi : std::filesystem::directory_iterator(argv[1])) {
        if (!girdi.is_regular_file())
            continue;
        std::ifstream dosya(girdi.path(), std::ios::binary);
        const std::vector<char> baytlar{std::istreambuf_iterator<char>(dosya), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(baytlar.data()), baytlar.size());
        ++sayi;
    }
    std::printf("%d seed(s) replayed\n", sayi);
    return sayi > 0 ? 0 : 1;
}
