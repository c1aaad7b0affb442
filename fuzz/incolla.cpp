// INCOLLA ESTRAZIONE: a pasted draw read into the 55 boxes, checked and turned into stored wheel texts.
#include "Supporto.h"

#include "maintenance/Aggiornamento.h"
#include "maintenance/Caselle.h"
#include "maintenance/Incolla.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    const auto lettura = maintenance::leggiEstrazioneIncollata(fuzz::comeTesto(dati, dimensione), "");
    if (!lettura.letta) {
        if (lettura.motivo.empty())
            __builtin_trap();   // a refusal always says why
        return 0;
    }
    const maintenance::Caselle& c = lettura.caselle;
    const maintenance::EsitoControllo esito = maintenance::ControllaEstrazione(c);
    if (esito.focus < 0 || esito.focus > maintenance::NumeroCaselle)
        __builtin_trap();
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        const std::string campo = maintenance::campoRuota(c, w);
        // An accepted draw is stored as fields that load back as the same numbers.
        if (esito.accettata && !maintenance::campoRuotaValido(campo))
            __builtin_trap();
    }
    return 0;
}
