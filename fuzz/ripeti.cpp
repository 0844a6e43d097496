// Runs a fuzz target once on each input it is given, outside libFuzzer: every
// argument is a file or a directory of files. Any fault found by fuzzing
// stays a test this way.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> ingressi;
  for (int i = 1; i < argc; ++i) {
    const fs::path p = argv[i];
    if (fs::is_directory(p)) {
      for (const auto& e : fs::directory_iterator(p))
        if (e.is_regular_file()) ingressi.push_back(e.path());
    } else if (fs::exists(p)) {
      ingressi.push_back(p);
    } else {
      std::fprintf(stderr, "non trovato: %s\n", p.string().c_str());
      return 1;
    }
  }
  std::sort(ingressi.begin(), ingressi.end());
  for (const fs::path& p : ingressi) {
    std::ifstream f(p, std::ios::binary);
    const std::string dati((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::printf("%s\n", p.filename().string().c_str());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(dati.data()), dati.size());
  }
  std::printf("%zu ingressi\n", ingressi.size());
  return 0;
}
