#pragma once
// A fresh directory for one test, removed with the object.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace scenario::test {

class CartellaTemporanea {
 public:
  CartellaTemporanea() {
    std::random_device rd;
    percorso_ =
        std::filesystem::temp_directory_path() / ("scenario_test_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(percorso_);
  }
  ~CartellaTemporanea() {
    std::error_code ec;
    std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(percorso_, ec);
  }
  CartellaTemporanea(const CartellaTemporanea&) = delete;
  CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

  const std::filesystem::path& percorso() const { return percorso_; }
  std::filesystem::path operator/(const std::string& nome) const { return percorso_ / nome; }

 private:
  std::filesystem::path percorso_;
};

inline std::string leggi_file(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void scrivi_file(const std::filesystem::path& p, const std::string& byte) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f << byte;
}

}  // namespace scenario::test
