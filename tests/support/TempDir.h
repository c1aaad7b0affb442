// A temporary folder per test, removed with everything in it.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace testsupport {

class CartellaTemporanea {
public:
    CartellaTemporanea()
    {
        static std::atomic<int> contatore{0};
        percorso_ = std::filesystem::temp_directory_path()
            / ("velmora-test-" + std::to_string(::getpid()) + "-" + std::to_string(contatore++));
        std::filesystem::remove_all(percorso_);
        std::filesystem::create_directories(percorso_);
    }
    ~CartellaTemporanea()
    {
        std::error_code ec;
        std::filesystem::remove_all(percorso_, ec);
    }
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }
    std::string file(const std::string& nome) const { return (percorso_ / nome).string(); }
    std::string scrivi(const std::string& nome, const std::string& contenuto) const
    {
        std::ofstream f(percorso_ / nome, std::ios::binary);
        f << contenuto;
        return file(nome);
    }

private:
    std::filesystem::path percorso_;
};

}
