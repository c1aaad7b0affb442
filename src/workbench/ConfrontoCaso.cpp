// Chance figures of the search results and the random-case runs.
#include "workbench/ConfrontoCaso.h"

#include "engine/Formula.h"
#include "workbench/Parallelo.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>
#include <set>

namespace workbench {

namespace {
bool casoAbilitato(const ImpostazioniRicerca& imp, const archive::Archivio& a, const CasoRicerca& c)
{
    return c.abilitato && c.estrazione >= 1 && c.estrazione <= a.NumeroEstrazioni && c.estrazione <= imp.riferimento;
}

// A formula ready to be evaluated on many draws: its fields converted once.
struct FormulaPronta {
    explicit FormulaPronta(const engine::Formula& f) : formula(f), indice(engine::IndiceOperatore(f.codice))
    {
        try {
            campi = engine::campiDi(f);
        } catch (const engine::ErroreCalcolo&) {
            // A field beyond 16 bits: computable on no draw.
        }
    }

    // The formula's number on draw d, or nothing when it cannot be computed there.
    std::optional<int> numero(int d, const archive::Archivio& a) const
    {
        if (!campi || engine::leggeRuotaNonEstratta(formula, d, a))
            return std::nullopt;
        engine::CampiOperatore c = *campi;
        try {
            if (!engine::preparaSu(formula, c, d, a))
                return std::nullopt;
            // An unknown code gives no number, as the evaluator leaves its result at 0.
            if (indice < 0)
                return 0;
            return engine::Valuta(indice, c, a);
        } catch (const engine::ErroreCalcolo&) {
            return std::nullopt;
        }
    }

    const engine::Formula& formula;
    int indice;
    std::optional<engine::CampiOperatore> campi;
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
            const double q = imp.sorte() == 0 ? (m >= 1 ? ProbabilitaAmbataSuRuota : 0.0) : probabilitaSorteSuRuota(m, imp.sorte());
            k.copertura[static_cast<std::size_t>(m)] = probabilitaCopertura(ruote, q);
        }
        casi.push_back(k);
    }
    return casi;
}

std::vector<double> probabilita(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                                const std::vector<CasoCaso>& casi, const engine::Formula& f)
{
    const FormulaPronta formula(f);
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
        if (imp.sorte() == 0)
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
    return probabilita(imp, a, casiAbilitati(imp, a), formulaDellaRiga(riga));
}

std::vector<Confronto> confrontaRighe(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                                      const std::vector<RigaEsito>& righe)
{
    const auto casi = casiAbilitati(imp, a);
    std::vector<Confronto> esito;
    esito.reserve(righe.size());
    for (const auto& r : righe)
        esito.push_back(r.vuota() ? Confronto{} : confrontaConIlCaso(probabilita(imp, a, casi, formulaDellaRiga(r)), r.cop));
    return esito;
}

namespace {
// The colpi a case at draw d can have before the reference draw `ultimo`: C, fewer near
// the reference, none for the reference itself.
int colpiDisponibili(int d, int colpi, int ultimo)
{
    return std::clamp(ultimo - d, 0, colpi);
}
}

std::vector<ImpostazioniRicerca> proveACaso(const ImpostazioniRicerca& imp, const archive::Archivio& a, int prove,
                                            std::uint64_t seme)
{
    std::vector<const CasoRicerca*> reali;
    for (const auto& c : imp.casi)
        if (casoAbilitato(imp, a, c))
            reali.push_back(&c);
    const int ultimo = std::min(imp.riferimento, a.NumeroEstrazioni);
    // The rows with every colpo get a random draw among those with every colpo before the
    // reference (d + C <= R); the others keep their own, the one draw with that many.
    std::vector<std::size_t> pieni;
    for (std::size_t i = 0; i < reali.size(); ++i)
        if (colpiDisponibili(reali[i]->estrazione, imp.colpi, ultimo) == imp.colpi)
            pieni.push_back(i);
    const int scelta = ultimo - imp.colpi;
    const int k = static_cast<int>(pieni.size());
    // With no row to draw, the runs would only repeat the real search.
    if (prove < 1 || k == 0 || scelta < k)
        return {};

    ImpostazioniRicerca base = imp;
    base.casi.clear();
    base.confrontoCaso = false;
    // Only the top Cop is wanted, and a list of two rows keeps it as the real list does:
    // the candidate with the highest Cop enters (its Tot is at least its Cop) unless a row
    // with as much is there already, and only the last row ever leaves. One row would not
    // do: a later candidate whose Tot beats that row's Cop takes its place even with a
    // lower Cop, and chance would be shown doing worse than it does.
    base.lista = 2;
    for (const CasoRicerca* c : reali) {
        base.casi.push_back(*c);
        base.casi.back().abilitato = true;
    }
    std::mt19937_64 generatore(seme);
    std::vector<ImpostazioniRicerca> esito(static_cast<std::size_t>(prove), base);
    for (auto& prova : esito) {
        std::set<int> scelti;
        std::uniform_int_distribution<int> estrazione(1, scelta);
        while (static_cast<int>(scelti.size()) < k)
            scelti.insert(estrazione(generatore));
        // The order of the draws does not matter to the score; shuffled, the real rows'
        // numbers in play do not follow the draws' date order.
        std::vector<int> ordine(scelti.begin(), scelti.end());
        std::shuffle(ordine.begin(), ordine.end(), generatore);
        for (std::size_t j = 0; j < pieni.size(); ++j)
            prova.casi[pieni[j]].estrazione = ordine[j];
    }
    return esito;
}

int casiVerificabili(const ImpostazioniRicerca& imp, const archive::Archivio& a)
{
    const int ultimo = std::min(imp.riferimento, a.NumeroEstrazioni);
    int n = 0;
    for (const auto& c : imp.casi)
        if (casoAbilitato(imp, a, c) && colpiDisponibili(c.estrazione, imp.colpi, ultimo) > 0)
            ++n;
    return n;
}

int copMigliore(const RisultatoRicerca& r)
{
    return r.righe.empty() || r.righe.front().vuota() ? 0 : r.righe.front().cop;
}

ConfrontoCasuale riassumiProve(std::vector<int> tetti, int casi, int verificabili, int copReale)
{
    ConfrontoCasuale esito;
    esito.copReale = copReale;
    if (tetti.empty())
        return esito;
    esito.prove = static_cast<int>(tetti.size());
    esito.casi = casi;
    esito.verificabili = verificabili;
    esito.tetti = tetti;
    std::sort(tetti.begin(), tetti.end());
    const auto meta = tetti.size() / 2;
    esito.mediana = tetti.size() % 2 ? tetti[meta] : (tetti[meta - 1] + tetti[meta]) / 2.0;
    esito.massimo = tetti.back();
    esito.quota = static_cast<double>(std::count_if(tetti.begin(), tetti.end(), [&](int t) { return t >= copReale; })) /
                  static_cast<double>(tetti.size());
    return esito;
}

ConfrontoCasuale miglioreACaso(const ImpostazioniRicerca& imp, const archive::Archivio& a, int copReale, int prove,
                               std::uint64_t seme, avanzamento::Avanzamento* avanzamento)
{
    std::vector<ImpostazioniRicerca> prova = proveACaso(imp, a, prove, seme);
    if (prova.empty())
        return riassumiProve({}, 0, 0, copReale);
    // As many runs at once as there are cores, each search on its share of them: never
    // more threads than cores. With more cores than runs each run has a thread of its own
    // and the cores left over go to the first runs' searches.
    const int core = coreDisponibili();
    const int insieme = std::min(core, prove);
    for (std::size_t i = 0; i < prova.size(); ++i)
        prova[i].fili = core / insieme + (static_cast<int>(i) < core % insieme ? 1 : 0);
    std::vector<int> tetti(prova.size(), 0);
    std::atomic<int> fatte{0};
    avanzamento::imposta(avanzamento, 1, 0, prove);
    perOgni(prove, insieme, [&](int i) {
        // A run takes a few tens of milliseconds: checking before each stops in time.
        avanzamento::controlla(avanzamento);
        tetti[static_cast<std::size_t>(i)] = copMigliore(cercaFormule(prova[static_cast<std::size_t>(i)], a));
        avanzamento::imposta(avanzamento, 1, ++fatte, prove);
    });
    const int casi = static_cast<int>(prova.front().casi.size());
    return riassumiProve(std::move(tetti), casi, casiVerificabili(imp, a), copReale);
}

std::string testoMiglioreACaso(const ConfrontoCasuale& c)
{
    if (c.prove == 0)
        return "Migliore a caso: non calcolabile (nessun caso o estrazioni insufficienti prima del riferimento)";
    std::string mediana = std::to_string(static_cast<int>(c.mediana));
    if (c.mediana != std::floor(c.mediana))
        mediana += ",5";
    const std::string verificabili =
        c.verificabili == c.casi ? "tutti verificabili" : std::to_string(c.verificabili) + " verificabili";
    return "Migliore a caso (" + std::to_string(c.prove) + " prove su " + std::to_string(c.casi) + " casi, " +
           verificabili + "): mediana " +
           mediana + ", massimo " + std::to_string(c.massimo) + "; raggiunge " + std::to_string(c.copReale) +
           " nel " + std::to_string(static_cast<int>(std::lround(c.quota * 100))) + "% delle prove";
}

ConfrontoVerifica confrontaVerifica(const Banco& b, const archive::Archivio& a, const engine::Formula& f)
{
    // The verification reads every case, whatever MARCA left.
    ImpostazioniRicerca imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    for (auto& c : imp.casi)
        c.abilitato = true;
    const std::vector<double> p = probabilita(imp, a, casiAbilitati(imp, a), f);
    ConfrontoVerifica c;
    c.casi = numeroCasi(b);
    // A case opens with its head row (its Rif); a second wheel hit in the same colpo
    // follows on a row with an empty Rif, and belongs to the same case.
    bool coperto = false;
    for (const engine::RigaVerifica& riga : b.righeVerifica) {
        if (riga.caso != 0) {
            c.coperti += coperto ? 1 : 0;
            coperto = false;
        }
        coperto = coperto || riga.colpo != 0;
    }
    c.coperti += coperto ? 1 : 0;
    // The reference draw itself, when it is a case, has no colpo after it.
    const int ultimo = std::min(imp.riferimento, a.NumeroEstrazioni);
    for (const auto& caso : imp.casi)
        if (caso.estrazione >= 1 && caso.estrazione < ultimo)
            ++c.verificabili;
    c.caso = confrontaConIlCaso(p, c.coperti);
    return c;
}

std::string testoConfrontoVerifica(const ConfrontoVerifica& c)
{
    std::string su = std::to_string(c.casi);
    if (c.verificabili != c.casi)
        su = std::to_string(c.verificabili) + " verificabili (" + su + " casi)";
    return "Casi coperti: " + std::to_string(c.coperti) + " su " + su +
           "; attesi a caso: " + testoAttesi(c.caso.attesi) + "; p: " + testoProbabilita(c.caso.p);
}

}
