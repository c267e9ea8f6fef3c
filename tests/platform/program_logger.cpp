#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A binary program item: logs how it was started (its own path, how many arguments followed and
// its working folder) to "program" in the folder named by RUNVOY_TEST_LOGS.
int main(int argc, char **argv) {
    const char *logs = std::getenv("RUNVOY_TEST_LOGS");
    if (logs == nullptr)
        return 2;
    const std::filesystem::path log = std::filesystem::path(logs) / "program";
    const std::filesystem::path part = std::filesystem::path(logs) / "program.part";
    {
        std::ofstream out(part);
        out << "self=" << argv[0] << "\ncount=" << argc - 1
            << "\ncwd=" << std::filesystem::current_path().string() << '\n';
    }
    std::filesystem::rename(part, log);
    return 0;
}
