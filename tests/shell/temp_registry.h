#pragma once
// A temporary folder with its own registry store file for one test: KORVENT_REGISTRY points into
// the folder for the test's lifetime, so no test touches the user's own settings.
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace kv::testing {

class TTempRegistry {
public:
  TTempRegistry() {
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() / ("kv-cfg-test-" + std::to_string(random()));
    std::filesystem::create_directories(dir_);
    if (const char* old = std::getenv("KORVENT_REGISTRY")) saved_ = old, had_ = true;
    setenv("KORVENT_REGISTRY", File().c_str(), 1);
  }
  ~TTempRegistry() {
    if (had_)
      setenv("KORVENT_REGISTRY", saved_.c_str(), 1);
    else
      unsetenv("KORVENT_REGISTRY");
    std::error_code error;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(dir_, error);
  }
  TTempRegistry(const TTempRegistry&) = delete;
  TTempRegistry& operator=(const TTempRegistry&) = delete;

  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path File() const { return dir_ / "registry.sqlite"; }

private:
  std::filesystem::path dir_;
  std::string saved_;
  bool had_ = false;
};

}  // namespace kv::testing
