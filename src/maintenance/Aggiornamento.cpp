// The rows of an update, their check against the archive, how FgImporta shows them, and AGGIORNAMENTO.
#include "maintenance/Aggiornamento.h"

#include "maintenance/FileAggiornamento.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/FileDiTesto.h"

#include <set>

namespace maintenance {

using archive::cifra;

namespace {

constexpr const char* CercaData =
    "SELECT Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz FROM EstrazioniLotto WHERE DataEstrazione = ?1";

// The stored row of a date text: the statement stands on it when true. A date that is not a
// real day cannot be stored.
bool trova(storage::Istruzione& s, const std::string& data)
{
    const std::string iso = storage::DataPerDb(data);
    if (iso.empty())
        return false;
    s.riavvolgi();
    s.lega(1, iso);
    return s.avanza();
}

// Progress every hundredth of the rows on bar 1, enough for a bar; a stop request at every row.
void passo(avanzamento::Avanzamento* av, int valore, int massimo)
{
    avanzamento::controlla(av);
    if (massimo < 100 || valore % (massimo / 100) == 0 || valore == massimo)
        avanzamento::imposta(av, 1, valore, massimo);
}

}

std::string testoImporta(const RigaImporta& riga, int colonna)
{
    if (colonna == ColonnaData)
        return riga.data;
    const int w = colonna - PrimaColonnaRuote;
    return w >= 0 && w < archive::NumeroRuote ? riga.ruote[static_cast<std::size_t>(w)] : std::string();
}

std::optional<grid::Colore> sfondoImporta(const RigaImporta& riga, int colonna)
{
    if (colonna == ColonnaData)
        return riga.azione == Azione::Aggiungi ? std::optional(ColoreDaImportare) : std::nullopt;
    const int w = colonna - PrimaColonnaRuote;
    if (w >= 0 && w < archive::NumeroRuote && riga.ruotaUguale[static_cast<std::size_t>(w)])
        return ColoreRuotaUguale;
    return std::nullopt;
}

std::optional<grid::Colore> coloreTestoImporta(const RigaImporta& riga, int colonna)
{
    return grassettoImporta(riga, colonna) ? std::optional(ColoreDataErrata) : std::nullopt;
}

bool grassettoImporta(const RigaImporta& riga, int colonna) { return colonna == ColonnaData && riga.azione == Azione::Correggi; }

void scriviFgImporta(const RigheImporta& righe, grid::Grid& FgImporta)
{
    preparaFgImporta(FgImporta);
    FgImporta.setRighe(static_cast<int>(righe.size()) + 1);
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const RigaImporta& riga = righe[i];
        const int r = static_cast<int>(i) + 1;
        for (int c = ColonnaData; c < ColonneImporta; ++c) {
            FgImporta.setTesto(r, c, testoImporta(riga, c));
            if (const auto s = sfondoImporta(riga, c))
                FgImporta.setSfondo(r, c, *s);
            if (const auto t = coloreTestoImporta(riga, c))
                FgImporta.setColoreTesto(r, c, *t);
            if (grassettoImporta(riga, c))
                FgImporta.setGrassetto(r, c, true);
        }
    }
}

void ControlloEstrazioniMancanti(storage::Database& db, RigheImporta& righe, std::vector<std::string>& List4,
                                 avanzamento::Avanzamento* avanzamento, bool storicoCompleto)
{
    List4.clear();
    auto s = db.prepara(CercaData);
    int anomalie = 0;
    const int quante = static_cast<int>(righe.size());
    // The verdicts of an earlier check go: a list checked again says only what is true now.
    for (auto& riga : righe) {
        riga.azione = Azione::Lascia;
        riga.ruotaUguale.fill(false);
    }
    for (int i = quante - 1; i >= 0; --i) {
        passo(avanzamento, quante - 1 - i, quante);
        RigaImporta& riga = righe[static_cast<std::size_t>(i)];
        const std::string& data = riga.data;
        if (trova(s, data)) {
            bool diverse = false;
            std::string mancanti;
            for (int w = 0; w < archive::NumeroRuote; ++w) {
                const std::string& nelFile = riga.ruote[static_cast<std::size_t>(w)];
                if (s.vista(w) == nelFile) {
                    riga.ruotaUguale[static_cast<std::size_t>(w)] = true;
                } else if (nelFile.empty()) {
                    mancanti += (mancanti.empty() ? "" : ", ") + std::string(archive::NomiRuote[w]);
                } else {
                    diverse = true;
                }
            }
            if (diverse) {
                List4.push_back("Errori Estrazione del " + storage::estratto(data));
                riga.azione = Azione::Correggi;
                ++anomalie;
            }
            if (!mancanti.empty()) {
                List4.push_back("Estrazione del " + storage::estratto(data) + ": il file non ha le ruote di " + mancanti
                                + ", presenti nell'archivio (restano come sono)");
                ++anomalie;
            }
        } else {
            List4.push_back("Manca estrazione del: " + storage::estratto(data));
            riga.azione = Azione::Aggiungi;
        }
    }
    if (storicoCompleto && quante > 0) {
        std::set<std::string> nelFile;
        for (const auto& riga : righe)
            nelFile.insert(storage::DataPerDb(riga.data));
        auto archiviate = db.prepara("SELECT DataEstrazione FROM EstrazioniLotto WHERE DataEstrazione >= ?1"
                                     " ORDER BY DataEstrazione DESC");
        archiviate.lega(1, *nelFile.begin());
        while (archiviate.avanza())
            if (nelFile.count(archiviate.testo(0)) == 0) {
                List4.push_back("Il file non contiene l'estrazione del " + storage::DataDaDb(archiviate.testo(0))
                                + ", presente nell'archivio: il file è incompleto");
                ++anomalie;
            }
    }
    passo(avanzamento, quante, quante);
    if (anomalie == 0)
        List4.push_back("Nessuna anomalia rilevata");
}

bool campoRuotaValido(const std::string& campo)
{
    if (campo.empty())
        return true;
    if (campo.size() != LunghezzaCampoRuota)
        return false;
    int numeri[5];
    for (int p = 0; p < 5; ++p) {
        const char a = campo[static_cast<std::size_t>(3 * p)];
        const char b = campo[static_cast<std::size_t>(3 * p + 1)];
        if (!cifra(a) || !cifra(b) || (p < 4 && campo[static_cast<std::size_t>(3 * p + 2)] != '-'))
            return false;
        numeri[p] = (a - '0') * 10 + (b - '0');
        if (numeri[p] < 1 || numeri[p] > 90)
            return false;
        for (int q = 0; q < p; ++q)
            if (numeri[q] == numeri[p])
                return false;
    }
    return true;
}

std::optional<std::string> motivoRigaNonValida(const RigaImporta& riga)
{
    const std::string& data = riga.data;
    const std::string iso = storage::DataPerDb(data);
    if (iso.empty())
        return "Estrazione del " + storage::estratto(data) + " non aggiornata: la data non è una data valida (GG/MM/AAAA)";
    if (const std::string motivo = storage::motivoDataImplausibile(iso); !motivo.empty())
        return "Estrazione del " + data + " non aggiornata: la data " + motivo;
    bool qualcheRuota = false;
    for (const auto& campo : riga.ruote)
        qualcheRuota = qualcheRuota || !campo.empty();
    if (!qualcheRuota)
        return "Estrazione del " + data + " non aggiornata: la riga non ha i numeri di nessuna ruota";
    for (int w = 0; w < archive::NumeroRuote; ++w)
        if (!campoRuotaValido(riga.ruote[static_cast<std::size_t>(w)]))
            return "Estrazione del " + storage::estratto(data) + " non aggiornata: la ruota di " + std::string(archive::NomiRuote[w])
                + " non ha cinque numeri diversi da 01 a 90 nella forma 00-00-00-00-00 (\""
                + storage::estratto(riga.ruote[static_cast<std::size_t>(w)]) + "\")";
    if (iso < archive::PrimaNazionaleIso && !riga.ruote.back().empty())
        return "Estrazione del " + data + " non aggiornata: ha i numeri della ruota Nazionale, che è estratta dal "
            + std::string(archive::PrimaNazionale);
    return std::nullopt;
}

EsitoAggiornamento AGGIORNAMENTO(storage::Database& db, archive::Archivio& archivio, const RigheImporta& righe,
                                 bool correggi, std::vector<std::string>& List4, avanzamento::Avanzamento* avanzamento)
{
    List4.clear();
    EsitoAggiornamento esito;
    const int quante = static_cast<int>(righe.size());
    if (quante < 1) {
        esito.vuota = true;
        return esito;
    }
    const MomentoScrittura momento = adesso();
    std::vector<std::string> righeList4;
    auto scrivi = [&](storage::Database& d) {
        righeList4.clear();
        esito.aggiunte = esito.modificate = esito.scartate = esito.giaScritte = 0;
        auto cerca = d.prepara(CercaData);
        auto aggiungi = d.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve,"
                                  " Nz, datareg, orareg) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)");
        // A wheel the row lacks is not known: the stored one stays.
        auto correggiRiga = d.prepara(
            "UPDATE EstrazioniLotto SET Ba = coalesce(nullif(?2, ''), Ba), Ca = coalesce(nullif(?3, ''), Ca),"
            " Fi = coalesce(nullif(?4, ''), Fi), Ge = coalesce(nullif(?5, ''), Ge), Mi = coalesce(nullif(?6, ''), Mi),"
            " Na = coalesce(nullif(?7, ''), Na), Pa = coalesce(nullif(?8, ''), Pa), Ro = coalesce(nullif(?9, ''), Ro),"
            " \"To\" = coalesce(nullif(?10, ''), \"To\"), Ve = coalesce(nullif(?11, ''), Ve),"
            " Nz = coalesce(nullif(?12, ''), Nz), datareg = ?13, orareg = ?14 WHERE DataEstrazione = ?1");
        for (int i = 0; i < quante; ++i) {
            passo(avanzamento, i, quante);
            const RigaImporta& riga = righe[static_cast<std::size_t>(i)];
            const bool daAggiungere = riga.azione == Azione::Aggiungi;
            const bool daCorreggere = correggi && riga.azione == Azione::Correggi;
            if (!daAggiungere && !daCorreggere)
                continue;
            const std::string& data = riga.data;
            if (auto motivo = motivoRigaNonValida(riga)) {
                righeList4.push_back(*motivo);
                ++esito.scartate;
                continue;
            }
            const bool presente = trova(cerca, data);
            cerca.riavvolgi();
            // A row stored by now is not added again; a row gone by now is not corrected.
            if (daAggiungere == presente) {
                ++esito.giaScritte;
                continue;
            }
            auto& s = daAggiungere ? aggiungi : correggiRiga;
            s.riavvolgi();
            s.lega(1, storage::DataPerDb(data));
            for (int w = 0; w < archive::NumeroRuote; ++w)
                s.lega(w + 2, riga.ruote[static_cast<std::size_t>(w)]);
            s.lega(13, momento.data).lega(14, momento.ora);
            try {
                s.esegui();
            } catch (const storage::ErroreDatabase& e) {
                esito.erroreDatabase = e.what();
                righeList4.push_back("Estrazione del " + data
                                     + " non aggiornata: l'archivio ha rifiutato la riga; le righe seguenti non sono state scritte");
                break;
            }
            if (daAggiungere) {
                ++esito.aggiunte;
                righeList4.push_back("Aggiunta estrazione del " + data);
            } else {
                ++esito.modificate;
                righeList4.push_back("Modificata estrazione del " + data);
            }
        }
        return esito.aggiunte + esito.modificate > 0;
    };
    scriviERicarica(db, archivio, scrivi, avanzamento);
    List4 = std::move(righeList4);
    if (esito.aggiunte > 0)
        List4.push_back("aggiunti N° " + std::to_string(esito.aggiunte) + " record");
    return esito;
}

}
