// The file operations of a replacement on Windows: an unshared lock file deleted at close,
// CREATE_NEW, FlushFileBuffers, MoveFileEx written through. Names are UTF-8, handed over as UTF-16.
#include "sistema/File.h"

#include "sistema/Percorsi.h"

#include <chrono>
#include <random>
#include <thread>

#include <windows.h>

namespace sistema {

namespace {

std::wstring largo(const std::string& percorsoUtf8)
{
    return percorso(percorsoUtf8).wstring();
}

HANDLE maniglia(std::intptr_t m)
{
    return reinterpret_cast<HANDLE>(m);
}

bool esiste(const std::wstring& p)
{
    return ::GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}

// A program that holds a database open (SQLite shares it for reading and writing, not for
// deletion) keeps Windows from renaming another file over it.
const bool RinominaSopraFileAperto = false;

Blocco::~Blocco()
{
    rilascia();
}

Blocco::Esito Blocco::prendi(const std::string& percorso)
{
    rilascia();
    const std::wstring nome = largo(percorso);
    // Shared with nobody: a second opener is refused for as long as the holder keeps it. The system
    // deletes it when the holder closes it, however the holder ends, so no stale lock is ever left.
    const HANDLE h = ::CreateFileW(nome.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD errore = ::GetLastError();
        // A lock file being deleted by its holder at this moment answers "access denied".
        if (errore == ERROR_SHARING_VIOLATION || errore == ERROR_LOCK_VIOLATION
            || (errore == ERROR_ACCESS_DENIED && esiste(nome)))
            return Esito::Occupato;
        return Esito::Impossibile;
    }
    maniglia_ = reinterpret_cast<std::intptr_t>(h);
    percorso_ = percorso;
    return Esito::Preso;
}

void Blocco::rilascia()
{
    if (maniglia_ == -1)
        return;
    ::CloseHandle(maniglia(maniglia_));   // deletes the file (FILE_FLAG_DELETE_ON_CLOSE)
    maniglia_ = -1;
}

std::string creaFileUnico(const std::string& inizio)
{
    static constexpr char Caratteri[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device casuale;
    std::uniform_int_distribution<int> scelta(0, static_cast<int>(sizeof Caratteri) - 2);
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        std::string nome = inizio;
        for (int i = 0; i < 6; ++i)
            nome += Caratteri[scelta(casuale)];
        const HANDLE h = ::CreateFileW(largo(nome).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return nome;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

bool sincronizzaFile(const std::string& percorso)
{
    const HANDLE h = ::CreateFileW(largo(percorso).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool riuscito = ::FlushFileBuffers(h) != 0;
    ::CloseHandle(h);
    return riuscito;
}

bool sincronizzaCartella(const std::string&)
{
    // A folder cannot be flushed on Windows; the rename that needs it is written through itself
    // (MOVEFILE_WRITE_THROUGH in sostituisci).
    return true;
}

bool sostituisci(const std::string& da, const std::string& a)
{
    const std::wstring sorgente = largo(da), destinazione = largo(a);
    // A virus scanner or the search indexer may hold a file that was just written for a moment:
    // the rename is tried again for about two seconds before giving up.
    for (int tentativo = 0; tentativo < 40; ++tentativo) {
        if (::MoveFileExW(sorgente.c_str(), destinazione.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD errore = ::GetLastError();
        if (errore != ERROR_SHARING_VIOLATION && errore != ERROR_ACCESS_DENIED && errore != ERROR_LOCK_VIOLATION)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

bool rimuovi(const std::string& percorso)
{
    return ::DeleteFileW(largo(percorso).c_str()) != 0;
}

unsigned modoNuovoFile()
{
    return 0666U;
}

bool impostaModo(const std::string& percorso, unsigned modo)
{
    const std::wstring nome = largo(percorso);
    const DWORD attributi = ::GetFileAttributesW(nome.c_str());
    if (attributi == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD nuovi = (modo & 0222U) == 0 ? (attributi | FILE_ATTRIBUTE_READONLY) : (attributi & ~DWORD{FILE_ATTRIBUTE_READONLY});
    return nuovi == attributi || ::SetFileAttributesW(nome.c_str(), nuovi) != 0;
}

bool illeggibile(const std::string& percorso)
{
    const std::wstring nome = largo(percorso);
    const DWORD attributi = ::GetFileAttributesW(nome.c_str());
    if (attributi == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    if (attributi & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    const HANDLE h = ::CreateFileW(nome.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    ::CloseHandle(h);
    return false;
}

bool erroreSpazio(int erroreSistema)
{
    const auto e = static_cast<DWORD>(erroreSistema);
    return e == ERROR_DISK_FULL || e == ERROR_HANDLE_DISK_FULL || e == ERROR_FILE_TOO_LARGE;
}

bool erroreNegato(int erroreSistema)
{
    const auto e = static_cast<DWORD>(erroreSistema);
    return e == ERROR_ACCESS_DENIED || e == ERROR_WRITE_PROTECT;
}

}
