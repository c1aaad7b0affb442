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

// A result row's formula, ready to be evaluated on many draws.
struct FormulaRiga {
    explicit FormulaRiga(const RigaEsito& r) : riga(r), indice(engine::IndiceOperatore(r.formula)) {}

    // The formula's number on draw d, or nothing when it cannot be computed there.
    std::optional<int> numero(int d, const archive::Archivio& a) const
    {
        engine::CampiOperatore c;
        c.EstrazioneCalcolo = static_cast<std::int16_t>(d);
        c.R1 = static_cast<std::int16_t>(riga.r1.value_or(0));
        c.P1 = static_cast<std::int16_t>(riga.p1.value_or(0));
        c.R2 = static_cast<std::int16_t>(riga.r2.value_or(0));
        c.P2 = static_cast<std::int16_t>(riga.p2.value_or(0));
        // Class 6 shows in Val the number it gave on the last case, not a parameter.
        const int valore = riga.tipo == 6 ? 0 : riga.val.value_or(0);
        c.ValoreFisso = static_cast<std::int16_t>(valore);
        try {
            if (!engine::preparaIngressi(riga.tipo, c, d, valore, a))
                return std::nullopt;
            // An unknown code gives no number, as the evaluator leaves its result at 0.
            if (indice < 0)
                return 0;
            return engine::Valuta(indice, engine::valoriDi(c), a);
        } catch (const engine::ErroreCalcolo&) {
            return std::nullopt;
        }
    }

    const RigaEsito& riga;
    int indice;
};

// An enabled case with what its chance needs besides the formula, worked out once for
// every row: its draw, its numbers in play, and the chance of being covered by a set of
// m numbers (m = 1 for an ambata; 0..6 for the pair search: five numbers and the formula's).
struct CasoCaso {
    int d = 0;
    std::array<bool, 91> giocato{};
    int giocati = 0;
    std::array<double, 7> copertura{};
};

std::vector<CasoCaso> casiAbilitati(const ImpostazioniRicerca& imp, const archive::Archivio& a)
{
    std::vector<CasoCaso> casi;
    for (const auto& c : imp.casi) {
        if (!casoAbilitato(imp, a, c))
            continue;
        CasoCaso k;
        k.d = c.estrazione;
        for (int n : c.giocati)
            if (n >= 1 && n <= 90 && !k.giocato[static_cast<std::size_t>(n)]) {
                k.giocato[static_cast<std::size_t>(n)] = true;
                ++k.giocati;
            }
        const auto ruote = ruoteEstratteNeiColpi(a, c.estrazione, imp.colpi, imp.riferimento, imp.ruote);
        for (int m = 0; m <= 6; ++m) {
            const double q = imp.sorte == 0 ? (m >= 1 ? ProbabilitaAmbataSuRuota : 0.0) : probabilitaSorteSuRuota(m, imp.sorte);
            k.copertura[static_cast<std::size_t>(m)] = probabilitaCopertura(ruote, q);
        }
        casi.push_back(k);
    }
    return casi;
}

std::vector<double> probabilita(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                                const std::vector<CasoCaso>& casi, const RigaEsito& riga)
{
    const FormulaRiga formula(riga);
    std::vector<double> p;
    p.reserve(casi.size());
    for (const auto& caso : casi) {
        const auto numero = formula.numero(caso.d, a);
        if (!numero) {
            p.push_back(0);
            continue;
        }
        const bool estraibile = *numero >= 1 && *numero <= 90;
        int m = 0;
        if (imp.sorte == 0)
            m = estraibile ? 1 : 0;
        else
            m = caso.giocati + (estraibile && !caso.giocato[static_cast<std::size_t>(*numero)] ? 1 : 0);
        p.push_back(caso.copertura[static_cast<std::size_t>(m)]);
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
        // Only the top Cop is wanted, and a list of one row keeps it: a candidate whose Cop
        // exceeds the top always enters (its Tot is at least its Cop), whatever the list size.
        casuale.lista = 1;
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
