// Independent pieces of one long command spread over the cores: the searches' scoring and the random-case runs.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
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

// Threads kept for a long run of short parallel loops (one per reference of a replay).
// Each loop's items go to whichever thread is free, the calling one included, and the
// caller waits only for the items taken: a helper the system has not scheduled yet (a
// busy machine) takes none and holds nobody up, where starting and joining threads for
// every loop would wait for it each time.
class Squadra {
public:
    explicit Squadra(int fili)
    {
        for (int t = 1; t < fili; ++t) {
            try {
                aiutanti_.emplace_back([this] { aiuta(); });
            } catch (const std::system_error&) {
                break;   // fewer helpers: the caller does their share
            }
        }
    }
    ~Squadra()
    {
        {
            const std::lock_guard<std::mutex> l(guardia_);
            fine_ = true;
        }
        sveglia_.notify_all();
        for (auto& f : aiutanti_)
            f.join();
    }
    Squadra(const Squadra&) = delete;
    Squadra& operator=(const Squadra&) = delete;

    // Runs corpo(i) for every i in [0, n); each i must write only its own results. The first
    // exception of any corpo is thrown back once every item taken has ended; the items not yet
    // begun are then skipped.
    void perOgni(int n, const std::function<void(int)>& corpo)
    {
        {
            const std::lock_guard<std::mutex> l(guardia_);
            corpo_ = &corpo;
            n_ = n;
            prossimo_ = 0;
            finiti_ = 0;
            fallito_ = false;
            fallimento_ = nullptr;
            ++giro_;
        }
        sveglia_.notify_all();
        lavora(corpo, n);
        std::unique_lock<std::mutex> l(guardia_);
        finito_.wait(l, [&] { return finiti_ == n_ && attivi_ == 0; });
        corpo_ = nullptr;
        n_ = 0;
        if (fallimento_)
            std::rethrow_exception(std::exchange(fallimento_, nullptr));
    }

private:
    void lavora(const std::function<void(int)>& corpo, int n)
    {
        for (int i = prossimo_++; i < n; i = prossimo_++) {
            try {
                if (!fallito_.load())
                    corpo(i);
            } catch (...) {
                const std::lock_guard<std::mutex> l(guardia_);
                if (!fallimento_)
                    fallimento_ = std::current_exception();
                fallito_ = true;
            }
            if (++finiti_ == n) {
                const std::lock_guard<std::mutex> l(guardia_);
                finito_.notify_all();
            }
        }
    }
    void aiuta()
    {
        long visto = 0;
        std::unique_lock<std::mutex> l(guardia_);
        for (;;) {
            sveglia_.wait(l, [&] { return fine_ || giro_ != visto; });
            if (fine_)
                return;
            visto = giro_;
            if (!corpo_)
                continue;   // woke after its loop had ended
            const std::function<void(int)>& corpo = *corpo_;
            const int n = n_;
            ++attivi_;
            l.unlock();
            lavora(corpo, n);
            l.lock();
            --attivi_;
            finito_.notify_all();
        }
    }

    std::vector<std::thread> aiutanti_;
    std::mutex guardia_;
    std::condition_variable sveglia_;
    std::condition_variable finito_;
    const std::function<void(int)>* corpo_ = nullptr;
    int n_ = 0;
    std::atomic<int> prossimo_{0};
    std::atomic<int> finiti_{0};
    std::atomic<bool> fallito_{false};
    std::exception_ptr fallimento_;
    long giro_ = 0;
    int attivi_ = 0;
    bool fine_ = false;
};

}
