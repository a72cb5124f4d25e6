// A directory of its own for one benchmark process's run files, removed when the process is done.
#ifndef CORVANE_BENCH_OVERHEAD_SCRATCH_DIRECTORY_H
#define CORVANE_BENCH_OVERHEAD_SCRATCH_DIRECTORY_H

#include <stdlib.h>

#include <filesystem>
#include <string>

class ScratchDirectory {
  public:
    explicit ScratchDirectory(const char* prefix) {
        std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    bool made() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

#endif
