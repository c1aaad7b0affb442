// A progress that records every step and can stop its own command: how tests watch long commands.
#pragma once

#include "avanzamento/Avanzamento.h"

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace testsupport {

class AvanzamentoRegistrato : public avanzamento::Avanzamento {
public:
    struct Passo {
        int barra = 0;
        int valore = 0;
        int massimo = 0;
    };

    // Called at every step, on the command's thread; may request the stop or throw.
    std::function<void(AvanzamentoRegistrato&, const Passo&)> allaChiamata;

    std::vector<Passo> passi() const
    {
        const std::lock_guard<std::mutex> l(guardia_);
        return passi_;
    }
    // (valore, massimo) of every step of bar `barra`, in order.
    std::vector<std::pair<int, int>> barra(int barra) const
    {
        std::vector<std::pair<int, int>> b;
        for (const Passo& p : passi())
            if (p.barra == barra)
                b.emplace_back(p.valore, p.massimo);
        return b;
    }

protected:
    void segnala(int barra, int valore, int massimo) override
    {
        const Passo p{barra, valore, massimo};
        {
            const std::lock_guard<std::mutex> l(guardia_);
            passi_.push_back(p);
        }
        if (allaChiamata)
            allaChiamata(*this, p);
    }

private:
    mutable std::mutex guardia_;
    std::vector<Passo> passi_;
};

}
