// velmora-cli commands on draws databases: importa-storico, info, estrazioni.
#include "archive/ImportaStorico.h"
#include "cli/Comandi.h"
#include "maintenance/StoricoUfficiale.h"

#include <memory>
#include <ostream>

namespace cli {

namespace {

const std::string& unicoArchivio(const Argomenti& args)
{
    args.soloOpzioni({});
    if (args.posizionali().size() != 1)
        throw ErroreUso("indicare un solo file di archivio");
    return args.posizionali()[0];
}

const Registrazione importaStorico({
    "importa-storico",
    "crea un archivio cifrato dal file storico ufficiale",
    "Uso: velmora-cli importa-storico STORICO.txt|STORICO.zip ARCHIVIO.db [--sovrascrivi]\n"
    "Legge il file storico (righe AAAA/MM/GG<TAB>RUOTA<TAB>5 numeri, anche dentro lo zip\n"
    "pubblicato dal sito ufficiale) e crea un nuovo\n"
    "archivio cifrato. Un archivio esistente viene sostituito solo con --sovrascrivi.\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream&) {
        args.soloOpzioni({"--sovrascrivi"});
        if (args.posizionali().size() != 2)
            throw ErroreUso("indicare il file storico e l'archivio da creare");
        archive::EsitoImportazione esito;
        try {
            const std::string& storico = args.posizionali()[0];
            std::string voce;
            const std::string testo = maintenance::leggiFileStorico(storico, &voce);
            esito = archive::ImportaStoricoDaTesto(testo, storico, args.posizionali()[1], args.ha("--sovrascrivi"), nullptr,
                                                   voce);
        } catch (const maintenance::ErroreStorico& e) {
            throw ErroreDati(e.what());
        } catch (const archive::ErroreImportazione& e) {
            throw ErroreDati(e.what());
        }
        out << "importate " << esito.estrazioni << " estrazioni (" << esito.prima << " - " << esito.ultima << ")\n";
        return EsitoOk;
    },
    {"--sovrascrivi"},
});

const Registrazione info({
    "info",
    "numero di estrazioni, prima e ultima data di un archivio",
    "Uso: velmora-cli info ARCHIVIO.db\n"
    "Carica l'intero archivio e stampa una riga JSON:\n"
    "{\"estrazioni\":N,\"prima\":\"GG/MM/AAAA\",\"ultima\":\"GG/MM/AAAA\"}\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream&) {
        const auto a = caricaArchivio(unicoArchivio(args), false);
        const int n = a->NumeroEstrazioni;
        out << "{\"estrazioni\":" << n << ",\"prima\":\"" << a->DateEstrazioni[1] << "\",\"ultima\":\""
            << a->DateEstrazioni[static_cast<std::size_t>(n)] << "\"}\n";
        return EsitoOk;
    },
    {},
});

const Registrazione estrazioni({
    "estrazioni",
    "elenca le estrazioni caricate, una per riga",
    "Uso: velmora-cli estrazioni ARCHIVIO.db\n"
    "Una riga per estrazione, separata da tabulazioni: indice, data, progressivo nel mese,\n"
    "progressivo nell'anno, poi i 55 numeri da Bari 1..5 a Nazionale 1..5 (0 se mancante).\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream&) {
        const auto a = caricaArchivio(unicoArchivio(args), false);
        std::string riga;
        for (int d = 1; d <= a->NumeroEstrazioni; ++d) {
            riga.clear();
            riga += std::to_string(d);
            riga += '\t';
            riga += a->DateEstrazioni[static_cast<std::size_t>(d)];
            riga += '\t';
            riga += std::to_string(a->ProgressivoMese[static_cast<std::size_t>(d)]);
            riga += '\t';
            riga += std::to_string(a->ProgressivoAnno[static_cast<std::size_t>(d)]);
            for (int w = 0; w < archive::NumeroRuote; ++w)
                for (int p = 1; p <= 5; ++p) {
                    riga += '\t';
                    riga += std::to_string(a->numero(d, w, p));
                }
            riga += '\n';
            out << riga;
        }
        return EsitoOk;
    },
    {},
});

}

}
