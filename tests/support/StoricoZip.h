// What the tests of the official archive share: zips built with libzip, the official text of a draws database, a small HTTP server on 127.0.0.1.
#pragma once

#include "storage/Database.h"
#include "support/ServerProva.h"

#include <zip.h>

#include <atomic>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

// A zip of the given entries (name, content), deflated at the fastest level, as bytes; encrypted
// (AES-256) with `password` when one is given.
inline std::string zipDi(const std::vector<std::pair<std::string, std::string>>& voci, const char* password = nullptr)
{
    zip_error_t errore;
    zip_error_init(&errore);
    zip_source_t* memoria = zip_source_buffer_create(nullptr, 0, 0, &errore);
    zip_source_keep(memoria);
    zip_t* z = zip_open_from_source(memoria, ZIP_TRUNCATE, &errore);
    if (!z)
        throw std::runtime_error("zip non creato");
    for (const auto& [nome, contenuto] : voci) {
        zip_source_t* s = zip_source_buffer(z, contenuto.data(), contenuto.size(), 0);
        const zip_int64_t i = zip_file_add(z, nome.c_str(), s, ZIP_FL_OVERWRITE);
        zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_DEFLATE, 1);
        if (password)
            zip_file_set_encryption(z, static_cast<zip_uint64_t>(i), ZIP_EM_AES_256, password);
    }
    if (zip_close(z) != 0)
        throw std::runtime_error("zip non scritto");
    zip_source_open(memoria);
    zip_stat_t st;
    zip_source_stat(memoria, &st);
    std::string bytes(static_cast<std::size_t>(st.size), '\0');
    zip_source_read(memoria, bytes.data(), st.size);
    zip_source_close(memoria);
    zip_source_free(memoria);
    zip_error_fini(&errore);
    return bytes;
}

// The official text of every draw of `db`, written here from the stored fields: "AAAA/MM/GG<TAB>RUOTA<TAB>n1..n5"
// with the official codes (RM, RN), one line per drawn wheel.
inline std::string testoUfficialeDi(storage::Database& db)
{
    static const char* const codici[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
    auto s = db.prepara("SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz FROM EstrazioniLotto ORDER BY 1");
    std::string testo;
    while (s.avanza()) {
        std::string data = s.testo(0);
        data[4] = data[7] = '/';
        for (int w = 0; w < 11; ++w) {
            const std::string campo = s.testo(w + 1);
            if (campo.empty())
                continue;
            testo += data + '\t' + codici[w];
            for (int p = 0; p < 5; ++p)
                testo += '\t' + std::to_string(std::stoi(campo.substr(static_cast<std::size_t>(3 * p), 2)));
            testo += "\r\n";
        }
    }
    return testo;
}

// Known paths answered with 200 and their body (a zip), anything else with 404.
class ServerHttp : public ServerGrezzo {
public:
    explicit ServerHttp(const std::map<std::string, std::string>& pagine) : ServerGrezzo(risposte(pagine)) {}

private:
    static std::map<std::string, std::string> risposte(const std::map<std::string, std::string>& pagine)
    {
        std::map<std::string, std::string> r;
        for (const auto& [percorso, corpo] : pagine)
            r[percorso] = "HTTP/1.1 200 OK\r\nContent-Type: application/zip\r\nContent-Length: " + std::to_string(corpo.size())
                          + "\r\nConnection: close\r\n\r\n" + corpo;
        return r;
    }
};

// A port on 127.0.0.1 where nobody listens: taken, then given back.
inline std::string indirizzoIrraggiungibile()
{
    const int s = static_cast<int>(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    chiudiPresa(s);
    return "http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/storico.zip";
}

}
