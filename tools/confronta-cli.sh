#!/bin/sh
# Runs a fixed script of velmora-cli commands with two builds on the real archive and compares
# every output (standard output, standard error, exit status). Used around changes that must not
# alter what the commands print, and to compare the Linux and the Windows build.
#   tools/confronta-cli.sh CLI_PRIMA CLI_DOPO [STORICO]
# Either side may be a Windows velmora-cli.exe: it runs under Wine (tools/windows/wine.sh) with
# the same arguments (Wine gives the Unix paths to it as drive Z:). Outputs are compared byte for
# byte, line ends included: velmora-cli ends its lines with LF on Windows too.
set -eu
prima=$1
dopo=$2
wine_sh="$(cd "$(dirname "$0")" && pwd)/windows/wine.sh"
# cli LATO ARGOMENTI...: one side's program, under Wine when it is a Windows executable.
cli() {
    lato=$1
    shift
    case "$lato" in
        *.exe|*.EXE) "$wine_sh" "$lato" "$@" ;;
        *) "$lato" "$@" ;;
    esac
}
storico=${3:-${VELMORA_STORICO:-$(dirname "$0")/../../shared/data/storico.txt}}
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

cli "$prima" importa-storico "$storico" "$lavoro/storico.db" >/dev/null
cli "$prima" genera-demo "$lavoro/demo.db" >/dev/null
# The update file of 2020 onwards, checked against an archive that stops earlier (the demo's calendar).
cli "$prima" aggiornamento "$lavoro/storico.db" --dal 01/01/2020 > "$lavoro/aggiornamento.txt"
printf '1\tSOM\t2\t1\tBA\t1\tNZ\t\n2\tDIFF\t2\t2\tBA\t3\tCA\t\n3\tNUM\t1\t1\tBA\t\t\t\n4\tSOM\t2\t5\tMI\t4\tNA\t\n' > "$lavoro/piramide.txt"

cat > "$lavoro/comandi" <<COMANDI
info $lavoro/storico.db
estrazioni $lavoro/storico.db
operatori
casi --archivio $lavoro/storico.db --ruote tutte --ncasi 50 --colpi 20
casi --archivio $lavoro/storico.db --rilevazione Numeri --numeri 05-12 --ruota NA --qn 1 --ncasi 30 --rif 5000
casi --archivio $lavoro/storico.db --rilevazione Somma --numeri 45 --mensile U --forza-ultima
casi --archivio $lavoro/demo.db --rilevazione Distanza --numeri 30 --posizioni 1,2
verifica --archivio $lavoro/storico.db --ruote tutte --ncasi 50 --colpi 20 --formula SOM,2,1,BA,2,CA,
verifica --archivio $lavoro/storico.db --ncasi 40 --colpi 12 --formula NUM,4,,,,,33 --slot 3
verifica --archivio $lavoro/storico.db --rif 4000 --formula FIG,1,3,NA,,,
calcola --archivio $lavoro/storico.db --piramide $lavoro/piramide.txt
calcola --archivio $lavoro/storico.db --piramide $lavoro/piramide.txt --rif 3000 --valore 17
ambate --archivio $lavoro/storico.db --ruote tutte --ncasi 50 --colpi 20 --lista 300 --operatori tutti
ambate --archivio $lavoro/storico.db --ncasi 20 --colpi 8 --operatori SOM,DIFF,DIST --confronto-caso 20 --seme 3
ambate --archivio $lavoro/storico.db --rilevazione Numeri --numeri 05-12 --ruota NA --rif 6000 --operatori tutti --mensile U
ambate --archivio $lavoro/demo.db --ncasi 30 --operatori tutti
abbinamenti --archivio $lavoro/storico.db --piramide $lavoro/piramide.txt --livello 1 --sorte 2 --operatori tutti --ncasi 30 --ruote tutte
abbinamenti --archivio $lavoro/storico.db --piramide $lavoro/piramide.txt --livello 2 --sorte 3 --operatori SOM,DIFF --ncasi 30 --ruote tutte --confronto-caso 10
previsionale --archivio $lavoro/storico.db
previsionale --archivio $lavoro/storico.db --ruote tutte --criterio presenze --livello 5 --capogioco 7
previsionale --archivio $lavoro/storico.db --inizio 100 --fine 900 --ruote BA,NZ --criterio frequenza
esporta --help
controlla $lavoro/demo.db $lavoro/aggiornamento.txt
esporta --help
ambate --archivio $lavoro/storico.db --operatori NONCE
casi --archivio $lavoro/storico.db --ncasi 99
COMANDI

diversi=0
n=0
while IFS= read -r riga; do
    n=$((n + 1))
    # shellcheck disable=SC2086
    cli "$prima" $riga >"$lavoro/p.out" 2>"$lavoro/p.err" && ep=0 || ep=$?
    # shellcheck disable=SC2086
    cli "$dopo" $riga >"$lavoro/d.out" 2>"$lavoro/d.err" && ed=0 || ed=$?
    if ! cmp -s "$lavoro/p.out" "$lavoro/d.out" || ! cmp -s "$lavoro/p.err" "$lavoro/d.err" || [ "$ep" != "$ed" ]; then
        echo "DIVERSO: velmora-cli $riga (uscita $ep / $ed)"
        diff "$lavoro/p.out" "$lavoro/d.out" | head -5 || true
        diff "$lavoro/p.err" "$lavoro/d.err" | head -5 || true
        diversi=$((diversi + 1))
    else
        printf '%s\t%s righe\tuscita %s\tuguale: %s\n' "$n" "$(wc -l <"$lavoro/p.out")" "$ep" "$riga" | sed "s#$lavoro/##g"
    fi
done <"$lavoro/comandi"
echo "comandi: $n, diversi: $diversi"
[ "$diversi" -eq 0 ]
