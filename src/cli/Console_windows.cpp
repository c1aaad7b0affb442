// The console on Windows: the arguments are read in UTF-16 (argv holds them in the ANSI code page,
// which loses every letter outside it), the console shows UTF-8, and the streams stop turning LF into CR LF.
#include "cli/Console.h"

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace cli {

namespace {

UINT codificaOriginale = 0;

void ripristinaCodifica()
{
    ::SetConsoleOutputCP(codificaOriginale);
}

std::string utf8(const wchar_t* testo)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, testo, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string risultato(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, testo, -1, risultato.data(), n, nullptr, nullptr);
    risultato.resize(static_cast<std::size_t>(n - 1));
    return risultato;
}

}

std::vector<std::string> preparaConsole(int argc, char** argv)
{
    // Byte for byte: the text is UTF-8 already and its lines end as on every other system.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // A console window (cmd.exe, PowerShell) is told the bytes are UTF-8 while the program runs,
    // so "è" shows as "è"; a redirected file gets the same bytes, which every editor reads as UTF-8.
    if (::GetConsoleOutputCP() != CP_UTF8 && ::GetConsoleWindow() != nullptr) {
        codificaOriginale = ::GetConsoleOutputCP();
        if (::SetConsoleOutputCP(CP_UTF8))
            std::atexit(ripristinaCodifica);
    }

    int n = 0;
    wchar_t** larghi = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    if (!larghi)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> argomenti;
    for (int i = 1; i < n; ++i)
        argomenti.push_back(utf8(larghi[i]));
    ::LocalFree(larghi);
    return argomenti;
}

}
