// A fresh, empty working folder for the length of a test; the program's files
// (RunLog.txt, config.inf) land there.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace torvik::testing {

class ScratchFolder {
public:
    // A new folder, or (with a path) an existing one that another test object owns.
    explicit ScratchFolder(const std::string& existing = "") : owned_(existing.empty()) {
        char pattern[] = "/tmp/torvik-test-XXXXXX";
        if (owned_ && !mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
        path_ = owned_ ? std::string(pattern) : existing;
        char here[4096];
        previous_ = getcwd(here, sizeof here) ? here : "/";
        if (chdir(path_.c_str()) != 0) throw std::runtime_error("chdir failed");
    }
    ~ScratchFolder() {
        if (chdir(previous_.c_str()) != 0 || !owned_) return;
        std::string command = "rm -rf '" + path_ + "'";
        (void)std::system(command.c_str());
    }
    const std::string& path() const { return path_; }

    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static bool Exists(const std::string& name) { return std::ifstream(name).good(); }
    static void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }

private:
    bool owned_;
    std::string path_;
    std::string previous_;
};

}  // namespace torvik::testing
