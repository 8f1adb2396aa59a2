// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

struct ScratchDir {
    std::filesystem::path path;

    ScratchDir() {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do {
            path = base / ("tembrix-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path));
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const {
        return (path / name).string();
    }
};
