// Chance figures of the search results and the random-case runs.
#include "workbench/ConfrontoCaso.h"

#include "engine/Operatori.h"
#include "engine/Piramide.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

namespace workbench {

namespace {
bool casoAbilitato(const ImpostazioniRicerca& imp, const archive::Archivio& a, const CasoRicerca& c)
{
    return c.abilitato && c.estrazione >= 1 && c.estrazione <= a.NumeroEstrazioni && c.estrazione <= imp.riferimento;
}

// The formula's number on draw d, or nothing when it cannot be computed there.
std::optional<int> numeroFormula(const RigaEsito& r, int d, const archive::Archivio& a)
{
    engine::CampiOperatore c;
    c.CodiceOperatore = r.formula;
    c.EstrazioneCalcolo = static_cast<std::int16_t>(d);
    c.R1 = static_cast<std::int16_t>(r.r1.value_or(0));
    c.P1 = static_cast<std::int16_t>(r.p1.value_or(0));
    c.R2 = static_cast<std::int16_t>(r.r2.value_or(0));
    c.P2 = static_cast<std::int16_t>(r.p2.value_or(0));
    // Class 6 shows in Val the number it gave on the last case, not a parameter.
    const int valore = r.tipo == 6 ? 0 : r.val.value_or(0);
    c.ValoreFisso = static_cast<std::int16_t>(valore);
    try {
        if (!engine::preparaIngressi(r.tipo, c, d, valore, a))
            return std::nullopt;
        engine::ElaboraPPP2(c, a);
    } catch (const engine::ErroreCalcolo&) {
        return std::nullopt;
    }
    return c.Risultato;
}
}

namespace {
// The enabled cases with what their chance needs besides the formula: draw, numbers in
// play, and the wheel draws of their colpi (which no row changes).
struct CasoCaso {
    const CasoRicerca* caso;
    std::vector<int> ruote;
};

std::vector<CasoCaso> casiAbilitati(const ImpostazioniRicerca& imp, const archive::Archivio& a)
{
    std::vector<CasoCaso> casi;
    for (const auto& c : imp.casi)
        if (casoAbilitato(imp, a, c))
            casi.push_back({&c, ruoteEstratteNeiColpi(a, c.estrazione, imp.colpi, imp.riferimento, imp.ruote)});
    return casi;
}

std::vector<double> probabilita(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                                const std::vector<CasoCaso>& casi, const RigaEsito& riga)
{
    std::vector<double> p;
    p.reserve(casi.size());
    for (const auto& [caso, ruote] : casi) {
        const auto numero = numeroFormula(riga, caso->estrazione, a);
        if (!numero) {
            p.push_back(0);
            continue;
        }
        const bool estraibile = *numero >= 1 && *numero <= 90;
        if (imp.sorte == 0) {
            p.push_back(estraibile ? probabilitaCopertura(ruote, ProbabilitaAmbataSuRuota) : 0.0);
            continue;
        }
        std::set<int> insieme;
        for (int n : caso->giocati)
            if (n >= 1 && n <= 90)
                insieme.insert(n);
        if (estraibile)
            insieme.insert(*numero);
        p.push_back(probabilitaCopertura(ruote, probabilitaSorteSuRuota(static_cast<int>(insieme.size()), imp.sorte)));
    }
    return p;
}
}

std::vector<double> probabilitaCasiRiga(const ImpostazioniRicerca& imp, const archive::Archivio& a, const RigaEsito& riga)
{
    return probabilita(imp, a, casiAbilitati(imp, a), riga);
}

std::vector<Confronto> confrontaRighe(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                                      const std::vector<RigaEsito>& righe)
{
    const auto casi = casiAbilitati(imp, a);
    std::vector<Confronto> esito;
    esito.reserve(righe.size());
    for (const auto& r : righe)
        esito.push_back(r.vuota() ? Confronto{} : confrontaConIlCaso(probabilita(imp, a, casi, r), r.cop));
    return esito;
}

ConfrontoCasuale miglioreACaso(const ImpostazioniRicerca& imp, const archive::Archivio& a, int copReale, int prove,
                               std::uint64_t seme, archive::Avanzamento* avanzamento)
{
    ConfrontoCasuale esito;
    esito.copReale = copReale;
    std::vector<const CasoRicerca*> reali;
    for (const auto& c : imp.casi)
        if (casoAbilitato(imp, a, c))
            reali.push_back(&c);
    const int ultimo = std::min(imp.riferimento, a.NumeroEstrazioni) - imp.colpi;
    const int k = static_cast<int>(reali.size());
    if (prove < 1 || k == 0 || ultimo < k)
        return esito;

    std::mt19937_64 generatore(seme);
    std::vector<int> tetti;
    for (int prova = 0; prova < prove; ++prova) {
        // One run takes a few tens of milliseconds: checking between runs stops in time.
        archive::controlla(avanzamento);
        archive::imposta(avanzamento, 1, prova, prove);
        ImpostazioniRicerca casuale = imp;
        casuale.casi.clear();
        casuale.confrontoCaso = false;
        std::set<int> scelti;
        std::uniform_int_distribution<int> estrazione(1, ultimo);
        while (static_cast<int>(scelti.size()) < k)
            scelti.insert(estrazione(generatore));
        // The order of the draws does not matter to the score; shuffled, the real rows'
        // numbers in play do not follow the draws' date order.
        std::vector<int> ordine(scelti.begin(), scelti.end());
        std::shuffle(ordine.begin(), ordine.end(), generatore);
        for (int i = 0; i < k; ++i) {
            CasoRicerca c = *reali[static_cast<std::size_t>(i)];
            c.estrazione = ordine[static_cast<std::size_t>(i)];
            c.abilitato = true;
            casuale.casi.push_back(c);
        }
        const RisultatoRicerca r = cercaFormule(casuale, a);
        tetti.push_back(r.righe.empty() || r.righe.front().vuota() ? 0 : r.righe.front().cop);
    }
    archive::imposta(avanzamento, 1, prove, prove);
    std::sort(tetti.begin(), tetti.end());
    esito.prove = prove;
    esito.casi = k;
    const auto meta = static_cast<std::size_t>(prove / 2);
    esito.mediana = prove % 2 ? tetti[meta] : (tetti[meta - 1] + tetti[meta]) / 2.0;
    esito.massimo = tetti.back();
    esito.quota = static_cast<double>(std::count_if(tetti.begin(), tetti.end(), [&](int t) { return t >= copReale; })) / prove;
    return esito;
}

std::string testoMiglioreACaso(const ConfrontoCasuale& c)
{
    if (c.prove == 0)
        return "Migliore a caso: non calcolabile (nessun caso o estrazioni insufficienti prima del riferimento)";
    std::string mediana = std::to_string(static_cast<int>(c.mediana));
    if (c.mediana != std::floor(c.mediana))
        mediana += ",5";
    return "Migliore a caso (" + std::to_string(c.prove) + " prove su " + std::to_string(c.casi) + " casi): mediana " +
           mediana + ", massimo " + std::to_string(c.massimo) + "; raggiunge " + std::to_string(c.copReale) +
           " nel " + std::to_string(static_cast<int>(std::lround(c.quota * 100))) + "% delle prove";
}

ConfrontoVerifica confrontaVerifica(const Banco& b, const archive::Archivio& a, const engine::Formula& f)
{
    // The verification reads every case, whatever MARCA left.
    ImpostazioniRicerca imp = leggiImpostazioniRicerca(b, 0);
    for (auto& c : imp.casi)
        c.abilitato = true;
    RigaEsito riga;
    riga.formula = f.codice;
    riga.tipo = f.tipo;
    riga.p1 = f.P1;
    riga.r1 = f.R1;
    riga.p2 = f.P2;
    riga.r2 = f.R2;
    riga.val = f.valore;
    const std::vector<double> p = probabilitaCasiRiga(imp, a, riga);
    std::set<std::string> coperti;
    for (int r = 1; r < b.FgL.righe(); ++r)
        if (b.FgL.testo(r, engine::colL::S) == "1")
            coperti.insert(b.FgL.testo(r, engine::colL::Rif));
    ConfrontoVerifica c;
    c.casi = b.FgEv.righe() - 1;
    c.coperti = static_cast<int>(coperti.size());
    c.caso = confrontaConIlCaso(p, c.coperti);
    return c;
}

std::string testoConfrontoVerifica(const ConfrontoVerifica& c)
{
    return "Casi coperti: " + std::to_string(c.coperti) + " su " + std::to_string(c.casi) +
           "; attesi a caso: " + testoAttesi(c.caso.attesi) + "; p: " + testoProbabilita(c.caso.p);
}

}
