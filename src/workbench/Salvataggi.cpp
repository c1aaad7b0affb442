// Saved pyramid configurations: ELENCO, save, load, delete, Resetta and the brick editor.
#include "workbench/Salvataggi.h"

#include "engine/Formula.h"
#include "engine/Piramide.h"
#include "workbench/Casi.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"

#include <cmath>
#include <cstdio>

namespace workbench {

namespace {

using namespace engine::colF;

constexpr const char* SqlElenco =
    "SELECT PiramidiElenco.IDPiramide as Cod, PiramidiElenco.Denominazione, PiramidiElenco.Estrazione, "
    "PiramidiElenco.Ruota, PiramidiElenco.RuoteG, PiramidiElenco.Colpi, PiramidiElenco.Posizioni, "
    "PiramidiElenco.Numeri, PiramidiElenco.QN, PiramidiElenco.NumCasi, PiramidiElenco.TipoRil, "
    "PiramidiElenco.Mensile "
    "From PiramidiElenco "
    // Names in alphabetical order whatever their case, as the player reads them
    // (SQLite alone would put "Zeta" before "alfa"); equal names in the order saved.
    "ORDER BY PiramidiElenco.Denominazione COLLATE NOCASE, PiramidiElenco.IDPiramide";

constexpr const char* SqlComposizione =
    "SELECT PiramideComposizione.Idrec, PiramideComposizione.IdPiramide, PiramideComposizione.riga, "
    "PiramideComposizione.Tras, PiramideComposizione.Tipo, "
    "PiramideComposizione.E1, PiramideComposizione.R1, PiramideComposizione.E2, PiramideComposizione.R2, "
    "PiramideComposizione.valore "
    "From PiramideComposizione "
    "Where (((PiramideComposizione.IdPiramide) = ?1)) "
    "ORDER BY PiramideComposizione.riga";

const char* const MessaggioSalvataggio = "Attenzione !, probabile anomalia nella selezione dei parametri";
const char* const MessaggioCaricamento = "Attenzione !, probabile anomalia";

// Characters of a UTF-8 text (continuation bytes not counted).
std::size_t caratteri(const std::string& s)
{
    std::size_t n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

// A stored number as the grid shows it: whole values without decimals.
std::string testoNumero(double v)
{
    if (std::floor(v) == v && std::fabs(v) < 1e15)
        return std::to_string(static_cast<long long>(v));
    char s[32];
    std::snprintf(s, sizeof s, "%g", v);
    return s;
}

// A grid cell as a database value: NULL for an empty cell (E2 and R2 of one-reference bricks).
void legaCella(storage::Istruzione& st, int indice, const std::string& testo)
{
    if (testo.empty())
        st.legaNull(indice);
    else
        st.lega(indice, testo);
}

// A stored whole number; none when missing or not whole ("3.5", "abc").
std::optional<int> intero(const std::string& t)
{
    try {
        std::size_t letti = 0;
        const int v = std::stoi(t, &letti);
        if (letti == t.size())
            return v;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

int campoIntero(const std::optional<int>& v)
{
    if (!v)
        throw std::runtime_error("valore non intero");
    return *v;
}

// A list index read back into a control that has `voci` items.
int indiceLista(int indice, int voci)
{
    if (indice < 0 || indice >= voci)
        throw std::runtime_error("indice di lista fuori intervallo");
    return indice;
}

std::string siglaDi(const std::string& indice)
{
    std::size_t letti = 0;
    const int w = std::stoi(indice, &letti);
    if (letti != indice.size() || w < 0 || w >= archive::NumeroRuote)
        throw std::runtime_error("ruota fuori intervallo: " + indice);
    return std::string(archive::SigleRuote[static_cast<std::size_t>(w)]);
}

// Highlights the references of brick row `riga` in FgEstratti (the wheel's row, the position's column).
void evidenziaRiferimenti(Banco& b, int riga)
{
    togliRiferimentiEvidenziati(b);
    const engine::Mattone& m = b.mattone(riga);
    auto cella = [&](const std::optional<int>& p, const std::optional<int>& w, int RigaEstratti::*evidenziata) {
        if (p && w && *p >= 1 && *p <= 5 && *w >= 0 && *w < archive::NumeroRuote)
            b.estratti[static_cast<std::size_t>(*w)].*evidenziata = *p;
    };
    cella(m.E1, m.R1, &RigaEstratti::primo);
    cella(m.E2, m.R2, &RigaEstratti::secondo);
}

// Which references a type takes: the first (E1, R1), the second (E2, R2), the value.

}

std::string testoConfigurazione(const ConfigurazioneSalvata& c, int colonna)
{
    auto numero = [](const std::optional<int>& v) { return v ? std::to_string(*v) : std::string(); };
    switch (colonna) {
    case 1: return std::to_string(c.cod);
    case 2: return c.denominazione;
    case 3: return numero(c.estrazione);
    case 4: return numero(c.ruota);
    case 5: return c.ruoteG;
    case 6: return numero(c.colpi);
    case 7: return c.posizioni;
    case 8: return c.numeri;
    case 9: return numero(c.qn);
    case 10: return numero(c.numCasi);
    case 11: return numero(c.tipoRil);
    case 12: return numero(c.mensile);
    default: return {};
    }
}

void elencaConfigurazioni(storage::Database& db, PannelloPiramidi& p)
{
    auto st = db.prepara(SqlElenco);
    std::vector<ConfigurazioneSalvata> elenco;
    while (st.avanza()) {
        auto testo = [&](int c) { return st.nullo(c) ? std::string() : st.testo(c); };
        ConfigurazioneSalvata c;
        c.cod = st.intero(0);
        c.denominazione = testo(1);
        c.estrazione = intero(testo(2));
        c.ruota = intero(testo(3));
        c.ruoteG = testo(4);
        c.colpi = intero(testo(5));
        c.posizioni = testo(6);
        c.numeri = testo(7);
        c.qn = intero(testo(8));
        c.numCasi = intero(testo(9));
        c.tipoRil = intero(testo(10));
        c.mensile = intero(testo(11));
        elenco.push_back(std::move(c));
    }
    p.configurazioni = std::move(elenco);
    p.configurazioneScelta = 0;
}

Esito salvaConfigurazione(const Banco& b, PannelloPiramidi& p, storage::Database& db)
{
    Esito esito;
    try {
        if (caratteri(p.Txt_Denominazione) > MaxDenominazione)
            throw std::runtime_error("denominazione troppo lunga");
        std::string ruoteG;
        for (int w = 0; w < archive::NumeroRuote; ++w)
            ruoteG += ruotaInGioco(b, w) ? '1' : '0';
        std::string posizioni;
        for (bool scelta : b.posizioni)
            posizioni += scelta ? '1' : '0';

        // One transaction: a save that fails half-way leaves nothing behind.
        storage::Transazione t(db);
        auto elenco = db.prepara(
            "INSERT INTO PiramidiElenco (Denominazione, Estrazione, Ruota, RuoteG, Colpi, Posizioni, Numeri, QN, "
            "NumCasi, TipoRil, Mensile) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
        elenco.lega(1, p.Txt_Denominazione)
            .lega(2, b.riferimento)
            .lega(3, b.ruotaBase)
            .lega(4, ruoteG)
            .lega(5, b.colpi - 1)
            .lega(6, posizioni)
            .lega(7, b.numeri)
            .lega(8, b.qn - 1)
            .lega(9, b.numeroCasi - 1)
            .lega(10, static_cast<int>(b.rilevazione))
            .lega(11, b.mensile);
        elenco.esegui();
        // The key of the record just inserted, not of whatever record comes last.
        const std::int64_t id = db.ultimoId();

        auto mattone = db.prepara(
            "INSERT INTO PiramideComposizione (IDPiramide, Riga, Tras, tipo, E1, R1, E2, R2, valore) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
        for (const engine::Mattone& m : b.FgF) {
            if (m.vuoto())
                continue;
            mattone.riavvolgi();
            mattone.lega(1, id).lega(2, m.numero).lega(3, m.codice);
            legaCella(mattone, 4, engine::testoMattone(m, Tipo));
            legaCella(mattone, 5, engine::testoMattone(m, E1));
            legaCella(mattone, 6, engine::testoMattone(m, R1));
            legaCella(mattone, 7, engine::testoMattone(m, E2));
            legaCella(mattone, 8, engine::testoMattone(m, R2));
            mattone.lega(9, static_cast<double>(m.valore.value_or(0)));
            mattone.esegui();
        }
        t.conferma();
    } catch (const std::exception&) {
        esito = Messaggio{MessaggioSalvataggio, "Avviso", Icona::Critico};
    }
    try {
        elencaConfigurazioni(db, p);
    } catch (const std::exception&) {
        if (!esito)
            esito = Messaggio{MessaggioSalvataggio, "Avviso", Icona::Critico};
    }
    return esito;
}

namespace {
const ConfigurazioneSalvata* configurazione(const PannelloPiramidi& p, int riga)
{
    if (riga < 1 || riga > static_cast<int>(p.configurazioni.size()))
        return nullptr;
    return &p.configurazioni[static_cast<std::size_t>(riga - 1)];
}
}

std::optional<std::string> domandaCancellazione(const PannelloPiramidi& p)
{
    const ConfigurazioneSalvata* c = configurazione(p, p.configurazioneScelta);
    if (!c)
        return std::nullopt;
    return "Cancellare la riga: " + std::to_string(c->cod) + " ?";
}

Esito eliminaConfigurazione(PannelloPiramidi& p, storage::Database& db)
{
    const ConfigurazioneSalvata* c = configurazione(p, p.configurazioneScelta);
    if (!c)
        return std::nullopt;
    const std::int64_t chiave = c->cod;
    Esito esito;
    try {
        // The configuration and its bricks go together: a brick left behind would be
        // attached to whatever configuration later received the same key.
        storage::Transazione t(db);
        auto mattoni = db.prepara("DELETE FROM PiramideComposizione WHERE IDPiramide = ?1");
        mattoni.lega(1, chiave);
        mattoni.esegui();
        auto elenco = db.prepara("DELETE FROM PiramidiElenco WHERE IDPiramide = ?1");
        elenco.lega(1, chiave);
        elenco.esegui();
        const bool eliminato = db.modificate() > 0;
        t.conferma();
        if (eliminato)
            esito = Messaggio{"Record eliminato.", std::string(TitoloCancellazione), Icona::Informazione};
        elencaConfigurazioni(db, p);
    } catch (const std::exception&) {
        esito = Messaggio{std::string(TestoErroreImprevisto), std::string(TitoloCancellazione), Icona::Critico};
    }
    return esito;
}

void svuotaPiramide(Banco& b, PannelloPiramidi& p)
{
    for (auto& etichetta : b.Lbl0)
        etichetta.clear();
    for (auto& m : b.FgF)
        m.svuota();
    p.mattoneEvidenziato = 0;
    b.mattoneCorrente = 0;
}

std::vector<Messaggio> caricaConfigurazione(Banco& b, PannelloPiramidi& p, storage::Database& db,
                                            const archive::Archivio& a, int riga)
{
    std::vector<Messaggio> messaggi;
    bool fallito = false;
    // Every step traps its own failure and the load goes on, as the window always did.
    auto passo = [&](auto&& corpo) {
        try {
            corpo();
        } catch (const std::exception&) {
            fallito = true;
        }
    };
    const ConfigurazioneSalvata* trovata = configurazione(p, riga);
    if (!trovata)
        return messaggi;
    // Resetta below does not touch the list, but the copy keeps the load independent of it.
    const ConfigurazioneSalvata salvata = *trovata;

    svuotaPiramide(b, p);
    passo([&] {
        auto st = db.prepara(SqlComposizione);
        st.lega(1, salvata.cod);
        // A damaged brick record costs that brick only: the others still load.
        while (st.avanza()) {
            passo([&] {
                const int m = static_cast<int>(st.intero(2));
                if (m < 1 || m > engine::NumeroMattoni)
                    throw std::runtime_error("mattone fuori intervallo");
                auto testo = [&](int c) { return st.nullo(c) ? std::string() : st.testo(c); };
                engine::Mattone& mattone = b.mattone(m);
                engine::impostaCella(mattone, Tras, testo(3));
                engine::impostaCella(mattone, Tipo, testo(4));
                engine::impostaCella(mattone, E1, testo(5));
                engine::impostaCella(mattone, R1, testo(6));
                if (!testo(6).empty())
                    mattone.RU1 = siglaDi(testo(6));
                if (!st.nullo(4) && st.intero(4) > 2 && !st.nullo(9))
                    engine::impostaCella(mattone, VAL, testoNumero(st.reale(9)));
                engine::impostaCella(mattone, E2, testo(7));
                if (!testo(8).empty()) {
                    engine::impostaCella(mattone, R2, testo(8));
                    mattone.RU2 = siglaDi(testo(8));
                }
            });
        }
    });
    passo([&] {
        const int d = campoIntero(salvata.estrazione);
        if (d < 1 || d > a.NumeroEstrazioni)
            throw std::runtime_error("estrazione fuori archivio");
        impostaRiferimento(b, a, d);
    });
    passo([&] { b.ruotaBase = indiceLista(campoIntero(salvata.ruota), archive::NumeroRuote); });
    passo([&] { b.numeri = salvata.numeri; });
    passo([&] { b.colpi = indiceLista(campoIntero(salvata.colpi), 20) + 1; });
    passo([&] { b.qn = indiceLista(campoIntero(salvata.qn), 5) + 1; });
    passo([&] { b.numeroCasi = indiceLista(campoIntero(salvata.numCasi), 50) + 1; });
    passo([&] {
        b.rilevazione = static_cast<Rilevazione>(indiceLista(campoIntero(salvata.tipoRil),
                                                             static_cast<int>(NomiRilevazione.size())));
    });
    passo([&] { b.mensile = indiceLista(campoIntero(salvata.mensile), 32); });
    passo([&] {
        const std::string& ruote = salvata.ruoteG;
        for (int w = 0; w < archive::NumeroRuote; ++w)
            setRuotaInGioco(b, w, static_cast<std::size_t>(w) < ruote.size() && ruote[static_cast<std::size_t>(w)] == '1');
        if (ruote.size() != archive::NumeroRuote)
            throw std::runtime_error("RuoteG malformato");
    });
    passo([&] {
        const std::string& posizioni = salvata.posizioni;
        for (std::size_t k = 0; k < b.posizioni.size(); ++k)
            b.posizioni[k] = k < posizioni.size() && posizioni[k] == '1';
        if (posizioni.size() != b.posizioni.size())
            throw std::runtime_error("Posizioni malformato");
    });

    if (const Esito e = Calcola(b, a))
        messaggi.push_back(*e);
    if (const Esito e = RicavaEstrazioni(b, a))
        messaggi.push_back(*e);
    if (fallito)
        messaggi.push_back(Messaggio{MessaggioCaricamento, "Avviso", Icona::Critico});
    return messaggi;
}

void evidenziaMattone(Banco& b, PannelloPiramidi& p, int i)
{
    if (i < 1 || i > engine::NumeroMattoni)
        return;
    evidenziaRiferimenti(b, i);
    p.mattoneEvidenziato = i;
    b.mattoneCorrente = i;
}

Esito inserisciOperatore(Banco& b, PannelloPiramidi& p, const archive::Archivio& a)
{
    const int m = b.mattoneCorrente;
    if (m < 1 || m > engine::NumeroMattoni)
        return std::nullopt;
    engine::Mattone& mattone = b.mattone(m);
    mattone.svuota();
    if (const storage::RigaOperatore* operatore = operatoreCorrenteDi(b)) {
        mattone.codice = operatore->operatore;
        mattone.tipo = operatore->tipo;
        const auto usati = engine::parametriDellaClasse(operatore->tipo);
        if (usati.posizione1)
            mattone.E1 = p.ListP1 + 1;
        if (usati.ruota1 && p.ListR1 >= 0 && p.ListR1 < archive::NumeroRuote) {
            mattone.R1 = p.ListR1;
            mattone.RU1 = archive::SigleRuote[static_cast<std::size_t>(p.ListR1)];
        }
        if (usati.riferimento2 && p.ListR2 >= 0 && p.ListR2 < archive::NumeroRuote) {
            mattone.E2 = p.ListP2 + 1;
            mattone.R2 = p.ListR2;
            mattone.RU2 = archive::SigleRuote[static_cast<std::size_t>(p.ListR2)];
        }
        if (usati.valore && b.valoreLista >= 0)
            mattone.valore = b.valoreLista;
    }
    const Esito e = Calcola(b, a);
    evidenziaMattone(b, p, m);
    return e;
}

Esito copiaMattone(Banco& b, PannelloPiramidi& p, const archive::Archivio& a)
{
    const int da = p.mattoneEvidenziato;
    const int a_ = p.destinazione;
    auto valido = [&](int m) { return m >= 1 && m <= engine::NumeroMattoni; };
    if (!valido(da) || !valido(a_))
        return Messaggio{"Effettuare le selezioni.", "Avviso", Icona::Informazione};
    b.mattone(a_).copiaFormula(b.mattone(da));
    return Calcola(b, a);
}

void commutaPosizione(Banco& b, int k)
{
    if (k >= 1 && k <= static_cast<int>(b.posizioni.size()))
        b.posizioni[static_cast<std::size_t>(k - 1)] = !b.posizioni[static_cast<std::size_t>(k - 1)];
}

void caricaMattoneNellEditor(Banco& b, PannelloPiramidi& p, int riga)
{
    if (riga < 1 || riga > engine::NumeroMattoni || b.mattone(riga).vuoto())
        return;
    togliRiferimentiEvidenziati(b);
    const engine::Mattone& m = b.mattone(riga);
    const std::string& codice = m.codice;
    for (std::size_t i = 0; i < b.operatori.size(); ++i) {
        if (b.operatori[i].operatore != codice)
            continue;
        b.rigaOperatore = static_cast<int>(i) + 1;
        p.Label3 = b.operatori[i].spiegazione;
        break;
    }
    if (m.E1) {
        p.ListP1 = *m.E1 - 1;
        p.ListR1 = m.R1.value_or(0);
    }
    if (m.valore)
        b.valoreLista = *m.valore;
    if (m.E2) {
        p.ListP2 = *m.E2 - 1;
        p.ListR2 = m.R2.value_or(0);
    }
    evidenziaRiferimenti(b, riga);
}

}
