// Runs a fuzz target's entry point over the given files (folders are walked), without
// libFuzzer. The normal build compiles every target with this driver and replays its
// seeds as a test, so a target that no longer compiles, or a seed that breaks one of its
// properties, is caught by ./test.sh and not only by the clang fuzzing pass.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool replayFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    int files = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(arg)) {
                if (entry.is_regular_file()) {
                    ok = replayFile(entry.path()) && ok;
                    ++files;
                }
            }
        } else {
            ok = replayFile(arg) && ok;
            ++files;
        }
    }
    if (files == 0) {
        std::fprintf(stderr, "replay: no input files\n");
        return 2;
    }
    std::printf("replay: %d inputs\n", files);
    return ok ? 0 : 1;
}
