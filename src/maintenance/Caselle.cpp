// The entry boxes: editing rules, ControllaEstrazione, stored wheel texts.
#include "maintenance/Caselle.h"

#include <vector>

namespace maintenance {

using archive::cifra;

namespace {

std::string nomeCasella(int indice)
{
    const int w = (indice - 1) / 5;
    const int p = (indice - 1) % 5 + 1;
    return std::string(archive::NomiRuote[static_cast<std::size_t>(w)]) + ", posizione " + std::to_string(p);
}

}

int valoreCasella(std::string_view testo)
{
    std::size_t i = 0;
    while (i < testo.size() && testo[i] == ' ')
        ++i;
    int v = 0;
    for (; i < testo.size() && cifra(testo[i]); ++i) {
        if (v > 1000000)
            return v;   // already far beyond any number a box accepts
        v = v * 10 + (testo[i] - '0');
    }
    return v;
}

std::string testoAmmesso(std::string_view testo)
{
    if (testo == "99")
        return std::string(testo);
    if (testo.size() > 2)
        return {};
    for (char c : testo)
        if (!cifra(c))
            return {};
    if (valoreCasella(testo) > 90)
        return {};
    return std::string(testo);
}

std::string rifiutoCasella(int indice, std::string_view testo)
{
    if (testo.size() != 2 || !cifra(testo[0]) || !cifra(testo[1]) || valoreCasella(testo) <= 90)
        return {};
    return "Il numero " + std::string(testo) + " non è un numero del Lotto: i numeri vanno da 1 a 90 (" + nomeCasella(indice)
        + ").";
}

std::string formatoUscita(std::string_view testo)
{
    std::string s(testo);
    if (s.size() == 1 && cifra(s[0]))
        s.insert(s.begin(), '0');
    return s;
}

int casellaSuccessiva(int indice, Tasto tasto)
{
    switch (tasto) {
    case Tasto::Invio:
        return indice == NumeroCaselle ? 1 : indice + 1;
    case Tasto::Destra:
        return indice % 5 == 0 ? indice - 4 : indice + 1;
    case Tasto::Sinistra:
        return indice % 5 == 1 ? indice + 4 : indice - 1;
    case Tasto::Su:
        return indice <= 5 ? indice + 50 : indice - 5;
    case Tasto::Giu:
        return indice >= 51 ? indice - 50 : indice + 5;
    }
    return indice;
}

EffettoTasto effettoTasto(int indice, std::string_view testo, Tasto tasto)
{
    if (tasto == Tasto::Invio) {
        if (valoreCasella(testo) == 0)
            return {std::string(), indice};
        return {formatoUscita(testo), casellaSuccessiva(indice, tasto)};
    }
    // An arrow keeps what was typed as Enter does: one digit gets its leading zero ("3" -> "03"),
    // a lone 0 is no number and leaves the box empty; anything else a box cannot hold is emptied.
    if (testo.size() == 1 && cifra(testo[0]))
        return {valoreCasella(testo) == 0 ? std::string() : formatoUscita(testo), casellaSuccessiva(indice, tasto)};
    if (!testo.empty() && testo.size() != 2)
        return {std::string(), indice};
    return {std::string(testo), casellaSuccessiva(indice, tasto)};
}

Caselle caselleDiEstrazione(const archive::Archivio& a, int d)
{
    Caselle c;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        for (int p = 1; p <= 5; ++p)
            c[static_cast<std::size_t>(casella(w, p))] = archive::dueCifre(a.numero(d, w, p));
    return c;
}

std::string differenzeEstrazione(const archive::Archivio& a, int d, const Caselle& caselle)
{
    const Caselle prima = caselleDiEstrazione(a, d);
    const auto testo = [](const Caselle& c, int w) {
        const std::string campo = campoRuota(c, w);
        return campo.empty() || campo == "00-00-00-00-00" ? std::string("nessun numero") : campo;
    };
    std::string r;
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        bool diversa = false;
        for (int p = 1; p <= 5; ++p)
            diversa = diversa || valoreCasella(prima[static_cast<std::size_t>(casella(w, p))])
                != valoreCasella(caselle[static_cast<std::size_t>(casella(w, p))]);
        if (diversa)
            r += std::string(archive::NomiRuote[static_cast<std::size_t>(w)]) + ": " + testo(prima, w) + " -> "
                + testo(caselle, w) + "\n";
    }
    return r;
}

EsitoControllo ControllaEstrazione(const Caselle& caselle)
{
    auto valore = [&](int i) { return valoreCasella(caselle[static_cast<std::size_t>(i)]); };

    // Every empty position of wheel w, said once: "mancano tutti e cinque i numeri", "mancano i numeri delle posizioni 1, 2 e 4".
    const auto posizioniMancanti = [&](int w) {
        std::vector<int> vuote;
        for (int p = 1; p <= 5; ++p)
            if (valore(casella(w, p)) == 0)
                vuote.push_back(p);
        if (vuote.size() == 5)
            return std::string("mancano tutti e cinque i numeri");
        if (vuote.size() == 1)
            return "manca il numero della posizione " + std::to_string(vuote[0]);
        std::string r = "mancano i numeri delle posizioni ";
        for (std::size_t k = 0; k < vuote.size(); ++k)
            r += (k == 0 ? "" : k + 1 == vuote.size() ? " e " : ", ") + std::to_string(vuote[k]);
        return r;
    };

    // 1. Repeated numbers (two empty boxes count as equal) on Bari..Venezia.
    for (int w = 0; w < RuoteControllate; ++w)
        for (int j = 1; j <= 4; ++j)
            for (int k = j + 1; k <= 5; ++k)
                if (valore(casella(w, j)) == valore(casella(w, k))) {
                    // Where the fault is: the wheel and both positions.
                    const std::string ruota(archive::NomiRuote[static_cast<std::size_t>(w)]);
                    const std::string dove = valore(casella(w, j)) == 0
                        ? ruota + ": " + posizioniMancanti(w)
                        : ruota + ": il numero " + archive::dueCifre(valore(casella(w, j))) + " è sia in posizione "
                            + std::to_string(j) + " sia in posizione " + std::to_string(k);
                    return {false,
                            "ANOMALIA: Mancano dei dati o sono stati introdotti numeri uguali in una ruota: CORREGGERE !\n("
                                + dove + ")",
                            casella(w, j)};
                }
    // 2. Missing numbers on Bari..Venezia.
    for (int i = 1; i <= casella(RuoteControllate - 1, 5); ++i)
        if (valore(i) < 1)
            return {false,
                    "Mancano dei dati nelle estrazioni, provvedere a completare l'inserimento dei numeri estratti\n("
                        + std::string(archive::NomiRuote[static_cast<std::size_t>((i - 1) / 5)]) + ": "
                        + posizioniMancanti((i - 1) / 5) + ")",
                    i};
    // 3. A number outside 1..90 (the box lets "99" through) would enter every analysis.
    for (int i = 1; i <= NumeroCaselle; ++i)
        if (valore(i) > 90)
            return {false,
                    "ANOMALIA: il numero " + caselle[static_cast<std::size_t>(i)] + " (" + nomeCasella(i)
                        + ") non è un numero del Lotto. I numeri vanno da 1 a 90: CORREGGERE !",
                    i};
    // 4. The Nazionale: absent, or complete with five different numbers.
    const int nz = archive::NumeroRuote - 1;
    bool vuota = true;
    for (int p = 1; p <= 5; ++p)
        vuota = vuota && valore(casella(nz, p)) == 0;
    if (!vuota) {
        const std::string messaggio =
            "ANOMALIA: la ruota Nazionale va lasciata vuota (o tutta a 00) se non è stata estratta, altrimenti "
            "richiede cinque numeri diversi da 1 a 90: CORREGGERE !";
        for (int j = 1; j <= 5; ++j) {
            if (valore(casella(nz, j)) < 1)
                return {false, messaggio, casella(nz, j)};
            for (int k = j + 1; k <= 5; ++k)
                if (valore(casella(nz, j)) == valore(casella(nz, k)))
                    return {false, messaggio, casella(nz, j)};
        }
    }
    return {};
}

std::string campoRuota(const Caselle& caselle, int w)
{
    if (w == archive::NumeroRuote - 1) {
        bool vuota = true;
        for (int p = 1; p <= 5; ++p)
            vuota = vuota && valoreCasella(caselle[static_cast<std::size_t>(casella(w, p))]) == 0;
        if (vuota)
            return {};
    }
    std::string campo;
    for (int p = 1; p <= 5; ++p) {
        if (p > 1)
            campo += '-';
        // Loading reads fixed two-character groups: every group is written with two digits.
        campo += archive::dueCifre(valoreCasella(caselle[static_cast<std::size_t>(casella(w, p))]));
    }
    return campo;
}

[[nodiscard]] std::optional<int> leggiIndice(std::string_view testo, int minimo, int massimo)
{
    while (!testo.empty() && testo.front() == ' ')
        testo.remove_prefix(1);
    while (!testo.empty() && testo.back() == ' ')
        testo.remove_suffix(1);
    if (testo.empty() || testo.size() > 9)
        return std::nullopt;
    int v = 0;
    for (char c : testo) {
        if (!cifra(c))
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v < minimo || v > massimo)
        return std::nullopt;
    return v;
}

}
