// The official historical file: its text out of a zip (libzip) with size limits, then its update rows.
#include "maintenance/StoricoUfficiale.h"

#include "archive/ImportaStorico.h"
#include "maintenance/FileAggiornamento.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace maintenance {

namespace {

[[noreturn]] void rifiuta(const std::string& nome, const std::string& motivo)
{
    throw ErroreStorico("Il file \"" + nome + "\" " + motivo);
}

const std::string Danneggiato = "non è un archivio zip valido (file danneggiato o incompleto)";

bool finisceCon(std::string_view s, std::string_view coda)
{
    if (s.size() < coda.size())
        return false;
    return std::equal(coda.begin(), coda.end(), s.end() - static_cast<std::ptrdiff_t>(coda.size()),
                      [](char minuscola, char c) { return std::tolower(static_cast<unsigned char>(c)) == minuscola; });
}

struct ChiudiZip {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ChiudiVoce {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

std::string testoDaZip(const std::string& contenuto, const std::string& nome, std::string* nomeVoce)
{
    zip_error_t errore;
    zip_error_init(&errore);
    zip_source_t* sorgente = zip_source_buffer_create(contenuto.data(), contenuto.size(), 0, &errore);
    if (!sorgente) {
        zip_error_fini(&errore);
        rifiuta(nome, Danneggiato);
    }
    std::unique_ptr<zip_t, ChiudiZip> zip(zip_open_from_source(sorgente, ZIP_RDONLY, &errore));
    zip_error_fini(&errore);
    if (!zip) {
        zip_source_free(sorgente);
        rifiuta(nome, Danneggiato);
    }
    // The official zip holds one "*.txt"; a zip of one entry of another name is given its chance too.
    const zip_int64_t voci = zip_get_num_entries(zip.get(), 0);
    zip_int64_t scelta = -1;
    zip_int64_t file = 0;
    zip_int64_t unico = -1;
    for (zip_int64_t i = 0; i < voci && scelta < 0; ++i) {
        const char* n = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), 0);
        if (!n || finisceCon(n, "/"))
            continue;
        ++file;
        unico = i;
        if (finisceCon(n, ".txt"))
            scelta = i;
    }
    if (scelta < 0 && file == 1)
        scelta = unico;
    if (scelta < 0)
        rifiuta(nome, "non contiene un file di testo con le estrazioni");
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(scelta), 0, &info) != 0)
        rifiuta(nome, Danneggiato);
    const std::string voce = info.name ? info.name : "";
    if (nomeVoce)
        *nomeVoce = voce;
    if ((info.valid & ZIP_STAT_ENCRYPTION_METHOD) && info.encryption_method != ZIP_EM_NONE)
        rifiuta(nome, "contiene \"" + storage::estratto(voce) + "\" protetto da password: uno zip cifrato non è supportato");
    if ((info.valid & ZIP_STAT_COMP_METHOD) && !zip_compression_method_supported(info.comp_method, 0))
        rifiuta(nome, "contiene \"" + storage::estratto(voce)
                          + "\" compresso con un metodo non supportato (sono supportati deflate, bzip2 e nessuna compressione)");
    const std::string troppo = "contiene \"" + storage::estratto(voce) + "\", che supera "
                               + std::to_string(DimensioneMassimaStorico >> 20) + " MB: non è l'archivio storico delle estrazioni";
    if ((info.valid & ZIP_STAT_SIZE) && info.size > DimensioneMassimaStorico)
        rifiuta(nome, troppo);
    std::unique_ptr<zip_file_t, ChiudiVoce> f(zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(scelta), 0));
    if (!f)
        rifiuta(nome, Danneggiato);
    // The size in the header is the packer's word: the limits hold on what really comes out.
    std::string testo;
    storage::ControlloRighe righe;
    char blocco[1 << 16];
    for (;;) {
        const zip_int64_t letti = zip_fread(f.get(), blocco, sizeof blocco);
        if (letti < 0)
            rifiuta(nome, Danneggiato);
        if (letti == 0)
            break;
        if (testo.size() + static_cast<std::size_t>(letti) > DimensioneMassimaStorico)
            rifiuta(nome, troppo);
        if (!righe.aggiungi(std::string_view(blocco, static_cast<std::size_t>(letti))))
            rifiuta(nome, "contiene \"" + storage::estratto(voce) + "\": " + storage::motivoRigaTroppoLunga(righe.riga()));
        testo.append(blocco, static_cast<std::size_t>(letti));
    }
    if (!righe.termina())
        rifiuta(nome, "contiene \"" + storage::estratto(voce) + "\": " + storage::motivoRigaTroppoLunga(righe.riga()));
    if (testo.find('\0') != std::string::npos)
        rifiuta(nome, "contiene \"" + storage::estratto(voce) + "\", che non è un file di testo con le estrazioni");
    return testo;
}

bool zip(std::string_view contenuto)
{
    // Local file header, or the end record of an empty zip.
    return contenuto.rfind("PK\x03\x04", 0) == 0 || contenuto.rfind("PK\x05\x06", 0) == 0;
}

}

std::string testoStorico(std::string contenuto, const std::string& nome, std::string* voce)
{
    if (voce)
        voce->clear();
    if (zip(contenuto))
        return testoDaZip(contenuto, nome, voce);
    if (contenuto.size() > DimensioneMassimaStorico)
        rifiuta(nome, "supera " + std::to_string(DimensioneMassimaStorico >> 20) + " MB: non è l'archivio storico delle estrazioni");
    storage::ControlloRighe righe;
    if (!righe.aggiungi(contenuto) || !righe.termina()) {
        try {
            storage::rifiutaFileDiTesto("il file storico", nome, storage::motivoRigaTroppoLunga(righe.riga()));
        } catch (const storage::ErroreFileDiTesto& e) {
            throw ErroreStorico(e.what());
        }
    }
    return contenuto;
}

std::string leggiFileStorico(const std::string& percorso, std::string* voce)
{
    // Read once, whatever it holds: a zip is told by its first bytes, already in memory. A zip is
    // smaller than what it holds, so the limit on the file itself only keeps the read sane.
    try {
        return testoStorico(storage::leggiFileIntero(percorso, "il file storico", DimensioneMassimaStorico,
                                                     storage::Righe::ControllateSalvoZip), percorso,
                            voce);
    } catch (const storage::ErroreFileDiTesto& e) {
        throw ErroreStorico(e.what());
    }
}

int caricaRigheStorico(std::string_view testo, const std::string& nome, RigheImporta& righe, const std::string& dal,
                       avanzamento::Avanzamento* avanzamento, const std::string& voce)
{
    std::vector<archive::GiornataStorico> giornate;
    try {
        giornate = archive::LeggiTestoStorico(testo, avanzamento, voce);
    } catch (const archive::TroppeEstrazioni& e) {
        rifiuta(nome, std::string(e.what()) + ": non è l'archivio storico delle estrazioni");
    } catch (const archive::ErroreImportazione& e) {
        rifiuta(nome, std::string("non è nel formato dell'archivio storico ufficiale (AAAA/MM/GG, ruota e cinque numeri "
                                  "separati da tabulazioni). ")
                          + e.what());
    }
    if (giornate.empty())
        rifiuta(nome, "non contiene estrazioni");
    const std::string isoDal = dal.empty() ? std::string() : storage::DataPerDb(dal);
    righe.clear();
    for (const auto& g : giornate) {
        if (g.dataIso < isoDal)
            continue;
        RigaImporta& riga = righe.emplace_back();
        riga.data = storage::DataDaDb(g.dataIso);
        for (int w = 0; w < archive::NumeroRuote; ++w)
            riga.ruote[static_cast<std::size_t>(w)] = g.campi[static_cast<std::size_t>(w)];
    }
    return static_cast<int>(righe.size());
}

std::string indirizzoStoricoUfficiale(storage::Database& dbProgramma)
{
    std::string indirizzo;
    try {
        if (dbProgramma.aperto())
            indirizzo = storage::LeggiParametro(dbProgramma, "StoricoUfficiale").value_or("");
    } catch (const std::exception&) {
        // An unreadable configuration is the default address.
    }
    const auto inizio = indirizzo.find_first_not_of(" \t");
    indirizzo = inizio == std::string::npos ? std::string() : indirizzo.substr(inizio, indirizzo.find_last_not_of(" \t") - inizio + 1);
    return indirizzo.empty() ? std::string(storage::IndirizzoStoricoUfficiale) : indirizzo;
}

bool indirizzoRete(std::string_view sorgente)
{
    auto inizia = [&](std::string_view p) {
        return sorgente.size() > p.size() && std::equal(p.begin(), p.end(), sorgente.begin(), [](char minuscola, char c) {
                   return std::tolower(static_cast<unsigned char>(c)) == minuscola;
               });
    };
    return inizia("http://") || inizia("https://");
}

}
