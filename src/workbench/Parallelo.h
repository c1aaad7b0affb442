// Independent pieces of one long command spread over the cores: the searches' scoring and the random-case runs.
#pragma once

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace workbench {

// The cores of the machine (at least 1).
inline int coreDisponibili()
{
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Runs corpo(i) for every i in [0, n) on at most `fili` threads, the calling one
// included; fili <= 1 runs them in order on the calling thread. Each i must write only
// its own results. The first exception of any corpo is thrown back to the caller once
// every thread has stopped; after it the other threads take no more work.
template <typename F>
void perOgni(int n, int fili, F&& corpo)
{
    if (fili <= 1 || n < 2) {
        for (int i = 0; i < n; ++i)
            corpo(i);
        return;
    }
    std::atomic<int> prossimo{0};
    std::mutex guardia;
    std::exception_ptr fallimento;
    // An exception must not leave a worker thread (that would end the program).
    auto lavora = [&] {
        try {
            for (int i = prossimo++; i < n; i = prossimo++)
                corpo(i);
        } catch (...) {
            const std::lock_guard<std::mutex> l(guardia);
            if (!fallimento)
                fallimento = std::current_exception();
            prossimo = n;
        }
    };
    std::vector<std::thread> altri;
    const int quanti = std::min(fili, n);
    altri.reserve(static_cast<std::size_t>(quanti - 1));
    for (int t = 1; t < quanti; ++t) {
        // A thread that cannot be started leaves the work to the others; letting the
        // exception out would destroy the running ones unjoined and end the program.
        try {
            altri.emplace_back(lavora);
        } catch (const std::system_error&) {
            break;
        }
    }
    lavora();
    for (auto& f : altri)
        f.join();
    if (fallimento)
        std::rethrow_exception(fallimento);
}

}
