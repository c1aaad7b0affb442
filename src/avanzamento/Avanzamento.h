// Progress and stop of a long command (load, import, search, update, export): the one interface every layer shares.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <stdexcept>

namespace avanzamento {

// Thrown by a long command that gave up because a stop was requested. A command that
// has a result to return says "stopped" in its result instead (the searches do).
class Interrotto : public std::runtime_error {
public:
    Interrotto() : std::runtime_error("Operazione interrotta") {}
};

// What a long command shares with whoever shows it and may stop it. The command
// reports how far it is on one or two bars and checks for a stop often (at least every
// few milliseconds of work); the caller reads the bars and requests the stop. Both
// sides may be on any thread: the state is atomic, so a window polls it from its own
// thread while the command runs on a worker, and the command's own worker threads may
// report as well.
//
//   avanzamento::Avanzamento av;                       // or a subclass that watches segnala()
//   std::thread t([&] { archive::CaricaArchivio(a, percorso, &av); });
//   ... av.stato(1) to draw the bar, av.ferma() to stop ...
//
// Commands take it as `Avanzamento*`, null when nobody watches (the CLI, most tests).
class Avanzamento {
public:
    // Bar 1: the whole command (draws loaded, operator rows tried). Bar 2: the step in
    // progress (the candidates of the current operator scored).
    static constexpr int Barre = 2;

    struct Stato {
        int valore = 0;
        int massimo = 0;
    };

    Avanzamento() = default;
    Avanzamento(const Avanzamento&) = delete;
    Avanzamento& operator=(const Avanzamento&) = delete;
    virtual ~Avanzamento() = default;

    // --- the command's side ---

    // Bar `barra` (1 or 2; others are ignored) now stands at `valore` of 0..`massimo`.
    void imposta(int barra, int valore, int massimo)
    {
        if (barra < 1 || barra > Barre)
            return;
        // One word, so that a reader never sees the value of one call with the maximum of another.
        const std::uint64_t parola = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(massimo)) << 32)
                                     | static_cast<std::uint32_t>(valore);
        barre_[static_cast<std::size_t>(barra - 1)].store(parola, std::memory_order_relaxed);
        segnala(barra, valore, massimo);
    }
    // True once a stop was requested: the command stops as soon as it can.
    bool fermato() const noexcept { return fermo_.load(std::memory_order_relaxed); }
    // Throws Interrotto when a stop was requested.
    void controlla() const
    {
        if (fermato())
            throw Interrotto();
    }

    // --- the caller's side ---

    // Requests the stop; the command notices it at its next check.
    void ferma() noexcept { fermo_.store(true, std::memory_order_relaxed); }
    // Where bar `barra` stands (0 of 0 before the command reported anything).
    Stato stato(int barra) const noexcept
    {
        if (barra < 1 || barra > Barre)
            return {};
        const std::uint64_t parola = barre_[static_cast<std::size_t>(barra - 1)].load(std::memory_order_relaxed);
        return {static_cast<int>(static_cast<std::uint32_t>(parola)), static_cast<int>(parola >> 32)};
    }

protected:
    // Called by every imposta() on the thread that reported: a hook for a caller that
    // wants each step (tests, a console). It must be quick and thread-safe.
    virtual void segnala(int /*barra*/, int /*valore*/, int /*massimo*/) {}

private:
    std::array<std::atomic<std::uint64_t>, Barre> barre_{};
    std::atomic<bool> fermo_{false};
};

// The calls a command makes on an optional Avanzamento.
inline void imposta(Avanzamento* av, int barra, int valore, int massimo)
{
    if (av)
        av->imposta(barra, valore, massimo);
}
inline void controlla(const Avanzamento* av)
{
    if (av)
        av->controlla();
}

}
