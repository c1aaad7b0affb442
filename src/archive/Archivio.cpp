// The archive tables and the wheel codes.
#include "archive/Archivio.h"

#include <cctype>

namespace archive {

const std::array<std::string_view, 12> SigleRuote = {"BA", "CA", "FI", "GE", "MI", "NA",
                                                       "PA", "RO", "TO", "VE", "NZ", "TU"};
const std::array<std::string_view, 11> NomiRuote = {"Bari",   "Cagliari", "Firenze", "Genova",  "Milano",   "Napoli",
                                                      "Palermo", "Roma",     "Torino",  "Venezia", "Nazionale"};

std::string dueCifre(int n)
{
    std::string s = std::to_string(n);
    if (n >= 0 && s.size() < 2)
        s.insert(s.begin(), '0');
    return s;
}

std::optional<int> IndiceRuota(std::string_view testo)
{
    if (testo.size() < 2)
        return std::nullopt;
    const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(testo[0])));
    const char b = static_cast<char>(std::toupper(static_cast<unsigned char>(testo[1])));
    for (int w = 0; w < NumeroRuote; ++w)
        if (SigleRuote[w][0] == a && SigleRuote[w][1] == b)
            return w;
    return std::nullopt;
}

std::optional<int> RuotaDaCodice(std::string_view codice)
{
    if (codice.size() != 2)
        return std::nullopt;
    const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(codice[0])));
    const char b = static_cast<char>(std::toupper(static_cast<unsigned char>(codice[1])));
    if (a == 'R' && b == 'M')
        return 7;
    if (a == 'R' && b == 'N')
        return 10;
    return IndiceRuota(codice);
}

Archivio::Archivio() { azzera(); }

void Archivio::azzera()
{
    numeri_.assign(indice(MaxEstrazioni + 1, 0, 0), 0);
    DateEstrazioni.assign(MaxEstrazioni + 1, std::string());
    ProgressivoMese.assign(MaxEstrazioni + 1, 0);
    ProgressivoAnno.assign(MaxEstrazioni + 1, 0);
    NumeroEstrazioni = 0;
    ArchivioModello.assign(1, 0);
    NumeroEstrazioniModello = 0;
    DatiScartati.clear();
}

void Archivio::modelloCompleto()
{
    ArchivioModello.resize(static_cast<std::size_t>(NumeroEstrazioni) + 1);
    ArchivioModello[0] = 0;
    for (int k = 1; k <= NumeroEstrazioni; ++k)
        ArchivioModello[k] = static_cast<std::int16_t>(k);
    NumeroEstrazioniModello = NumeroEstrazioni;
}

Archivio& archivioGlobale()
{
    static Archivio a;
    return a;
}

}
