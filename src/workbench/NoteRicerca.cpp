// The lines in words of the searches and of Convalida: nothing verifiable, ties, settings that tell nothing, wheels not drawn, the verdict.
#include "workbench/NoteRicerca.h"

#include "grid/Grid.h"
#include "workbench/Casi.h"
#include "workbench/Casualita.h"
#include "workbench/ConfrontoCaso.h"

#include <algorithm>

namespace workbench {

namespace {

bool casoLeggibile(const ImpostazioniRicerca& imp, const archive::Archivio& a, const CasoRicerca& c)
{
    return c.abilitato && c.estrazione >= 1 && c.estrazione <= a.NumeroEstrazioni && c.estrazione <= imp.riferimento;
}

// A blind number comes out, on average over the cases with a colpo, with a chance of at least SogliaIndistinguibile.
bool indistinguibili(const ImpostazioniRicerca& imp, const archive::Archivio& a)
{
    if (descrizione(imp.tipo).abbina)
        return false;
    int casi = 0;
    double somma = 0;
    for (const auto& c : imp.casi) {
        if (!casoLeggibile(imp, a, c))
            continue;
        const auto ruote = ruoteEstratteNeiColpi(a, c.estrazione, imp.colpi, imp.riferimento, imp.ruote);
        if (ruote.empty())
            continue;
        somma += probabilitaCopertura(ruote, ProbabilitaAmbataSuRuota);
        ++casi;
    }
    return casi > 0 && somma / casi >= SogliaIndistinguibile;
}

// "NZ non estratta in 12 casi su 12 e nel riferimento", one per wheel missing somewhere.
std::vector<std::string> ruoteMancanti(const ImpostazioniRicerca& imp, const archive::Archivio& a)
{
    std::vector<std::string> righe;
    int casi = 0;
    std::array<int, archive::NumeroRuote> mancanze{};
    for (const auto& c : imp.casi) {
        if (!casoLeggibile(imp, a, c))
            continue;
        ++casi;
        for (int w = 0; w < archive::NumeroRuote; ++w)
            mancanze[static_cast<std::size_t>(w)] += !a.ruotaEstratta(c.estrazione, w);
    }
    const bool riferimento = imp.riferimento >= 1 && imp.riferimento <= a.NumeroEstrazioni;
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        const int n = mancanze[static_cast<std::size_t>(w)];
        const bool nelRiferimento = riferimento && !a.ruotaEstratta(imp.riferimento, w);
        if (n == 0 && !nelRiferimento)
            continue;
        std::string t = std::string(archive::SigleRuote[static_cast<std::size_t>(w)]) + " non estratta";
        if (n > 0)
            t += " in " + std::to_string(n) + (n == 1 ? " caso" : " casi") + " su " + std::to_string(casi);
        if (nelRiferimento)
            t += n > 0 ? " e nel riferimento" : " nel riferimento";
        righe.push_back(t);
    }
    return righe;
}

std::string unisci(const std::vector<std::string>& parti, const std::string& sep)
{
    std::string t;
    for (const auto& p : parti)
        t += (t.empty() ? "" : sep) + p;
    return t;
}

}

std::string motivoNessunCaso(const ImpostazioniRicerca& imp, const archive::Archivio& a)
{
    if (casiVerificabili(imp, a) > 0)
        return {};
    if (imp.casi.empty())
        return "Nessun caso da verificare: la base dati è vuota (RICAVA ESTRAZIONI non ha trovato casi).";
    const bool abilitati = std::any_of(imp.casi.begin(), imp.casi.end(), [](const auto& c) { return c.abilitato; });
    if (!abilitati)
        return "Nessun caso da verificare: tutti i casi sono segnati come già coperti (\"Casi scoperti\").";
    return "Nessun caso da verificare: nessuno dei " + std::to_string(imp.casi.size()) +
           " casi ha un colpo estratto entro il riferimento " + std::to_string(imp.riferimento) +
           " (un caso che è il riferimento stesso non ha colpi: con \"Mensile\" e N° casi 1 il solo caso è il "
           "riferimento).";
}

std::vector<std::string> noteRicerca(const ImpostazioniRicerca& imp, const RisultatoRicerca& r,
                                     const archive::Archivio& a)
{
    if (const std::string motivo = motivoNessunCaso(imp, a); !motivo.empty())
        return {motivo};
    std::vector<std::string> note;
    if (const std::string pari = testoPariMerito(r.pari, imp.tipo); !pari.empty())
        note.push_back("In testa: " + pari + " (stessi Cop e Tot; l'elenco le ordina come il catalogo).");
    // The catalogue's own fixed numbers (class 4) are listed, and named for what they are.
    std::vector<std::string> fissi;
    for (const auto& riga : r.righe)
        if (!riga.vuota() && riga.tipo == 4 && std::find(fissi.begin(), fissi.end(), riga.formula) == fissi.end())
            fissi.push_back(riga.formula);
    if (!fissi.empty())
        note.push_back("Numero fisso: " + unisci(fissi, ", ") +
                       " (tipo 4) gioca lo stesso numero in ogni caso, qualunque sia l'estrazione.");
    if (indistinguibili(imp, a))
        note.push_back("Con queste ruote e questi colpi anche un numero a caso esce in quasi ogni caso (almeno il " +
                       grid::conVirgola(100 * SogliaIndistinguibile, 0) +
                       "%): queste impostazioni non distinguono una formula dall'altra.");
    if (const auto mancanti = ruoteMancanti(imp, a); !mancanti.empty())
        note.push_back(unisci(mancanti, "; ") +
                       ": le formule che leggono una ruota non estratta non si calcolano su quell'estrazione "
                       "(nessuna vincita sul caso, nessuna ambata sul riferimento).");
    return note;
}

namespace {
std::string dataDi(int d, const archive::Archivio& a)
{
    return d >= 1 && d <= a.NumeroEstrazioni ? " (" + a.DateEstrazioni[static_cast<std::size_t>(d)] + ")" : "";
}

// Base wheel, wheels, K, C and the detection, as both tags start.
std::string impostazioniComuni(const ImpostazioniCasi& i, bool mensileDelRiferimento)
{
    const auto sigla = [](int w) {
        return w >= 0 && w < archive::NumeroRuote ? std::string(archive::SigleRuote[static_cast<std::size_t>(w)]) : "?";
    };
    std::vector<std::string> ruote;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        if (i.ruote[static_cast<std::size_t>(w)])
            ruote.push_back(sigla(w));
    const auto r = static_cast<std::size_t>(i.rilevazione);
    std::string rilevazione = r < NomiRilevazione.size() ? std::string(NomiRilevazione[r]) : "?";
    if (i.rilevazione != Rilevazione::Mensile)
        rilevazione += " " + i.numeri;
    else if (mensileDelRiferimento)
        rilevazione += " del riferimento";
    else if (i.mensile == 0)
        rilevazione += " U";
    else
        rilevazione.append(" ").append(std::to_string(i.mensile));
    return "ruota base " + sigla(i.ruotaBase) + "; ruote " +
           (ruote.size() == archive::NumeroRuote ? std::string("tutte") : unisci(ruote, ", ")) + "; N° casi " +
           std::to_string(i.numeroCasi) + "; colpi " + std::to_string(i.colpi) + "; " + rilevazione;
}
}

std::string testoFormula(const RigaEsito& e)
{
    if (e.vuota())
        return {};
    const auto cella = [](const std::optional<int>& r, const std::optional<int>& p) {
        if (!r || *r < 0 || *r >= archive::NumeroRuote)
            return std::string();
        std::string c(" ");
        c.append(archive::SigleRuote[static_cast<std::size_t>(*r)]);
        if (p)
            c.append(std::to_string(*p));
        return c;
    };
    std::string t = e.formula + cella(e.r1, e.p1) + cella(e.r2, e.p2);
    if (e.val && e.tipo != 6)
        t += " Val " + std::to_string(*e.val);
    return t;
}

std::string testoImpostazioniCasi(const ImpostazioniCasi& i, const archive::Archivio& a)
{
    return impostazioniComuni(i, false) + "; riferimento " + std::to_string(i.riferimento) + dataDi(i.riferimento, a);
}

std::string testoImpostazioniConvalida(const ImpostazioniConvalida& imp, const archive::Archivio& a)
{
    return impostazioniComuni(imp.casi, imp.mensileDalRiferimento) + "; riferimenti dal " +
           std::to_string(imp.dal) + dataDi(imp.dal, a) + " al " + std::to_string(imp.al) + dataDi(imp.al, a);
}

std::string verdettoConvalida(const RisultatoConvalida& r)
{
    if (r.righe.empty())
        return {};
    const TotaliConvalida& t = r.totali;
    if (t.riferimenti == 0) {
        const bool formule = std::any_of(r.righe.begin(), r.righe.end(), [](const auto& x) { return x.giocata(); });
        if (!formule)
            return "Nessun riferimento conta: in nessuno la ricerca ha trovato un'ambata da giocare (nessun caso "
                   "verificabile, per esempio \"Mensile\" con N° casi 1, o nessuna formula calcolabile).";
        return "Nessun riferimento conta ancora: le ambate giocate non hanno tutti i colpi nell'archivio.";
    }
    const std::string confronto = std::to_string(t.uscite) + " uscite su " + std::to_string(t.riferimenti) +
                                  " contro " + testoAttesi(t.attese) + " attese a caso; p = " + testoProbabilita(t.p);
    std::string v;
    if (t.uscite > t.attese && t.p < 0.05)
        v = "Verdetto: il metodo è uscito più spesso del caso (" + confronto +
            ": per puro caso capita di rado).";
    else if (t.uscite > t.attese)
        v = "Verdetto: il metodo è uscito un po' più spesso del caso (" + confronto +
            "), ma il caso da solo fa spesso altrettanto: nessuna prova che funzioni.";
    else
        v = "Verdetto: il metodo non è uscito più spesso del caso (" + confronto + ").";
    return v + " La copertura media nei casi (" + grid::conVirgola(100.0 * t.coperturaMedia, 1) +
           "%) è misurata sui casi stessi con cui la formula è stata scelta, quindi è ottimista; le uscite qui "
           "sono fuori campione.";
}

}
