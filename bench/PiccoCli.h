// velmora-cli run in a process of its own, as a player runs it, for the benchmarks that measure its peak memory.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace banco {

// The exit code of `velmora-cli argomenti...` (standard output and error to /dev/null) and its peak
// resident memory in MB; the program is the one built beside the benchmark.
inline std::pair<int, double> piccoDiMemoria(const std::vector<std::string>& argomenti)
{
    static const std::string cli = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "velmora-cli").string();
    std::vector<char*> argv{const_cast<char*>(cli.c_str())};
    for (const auto& a : argomenti)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        const int nullo = ::open("/dev/null", O_WRONLY);
        ::dup2(nullo, 1);
        ::dup2(nullo, 2);
        ::execv(cli.c_str(), argv.data());
        ::_exit(127);
    }
    int stato = 0;
    rusage uso{};
    ::wait4(figlio, &stato, 0, &uso);
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, static_cast<double>(uso.ru_maxrss) / 1024.0};
}

}
