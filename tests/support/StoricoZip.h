// What the tests of the official archive share: zips built with libzip, the official text of a draws database, a small HTTP server on 127.0.0.1.
#pragma once

#include "storage/Database.h"

#include <zip.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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

// Answers GET requests on 127.0.0.1 from a thread of its own: a known path with 200 and its body, anything else with 404.
class ServerHttp {
public:
    explicit ServerHttp(std::map<std::string, std::string> pagine) : pagine_(std::move(pagine))
    {
        ascolto_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(ascolto_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(ascolto_, 8) != 0)
            throw std::runtime_error("server di prova non avviato");
        socklen_t n = sizeof a;
        ::getsockname(ascolto_, reinterpret_cast<sockaddr*>(&a), &n);
        porta_ = ntohs(a.sin_port);
        filo_ = std::thread([this] { servi(); });
    }
    ~ServerHttp()
    {
        fine_ = true;
        ::shutdown(ascolto_, SHUT_RDWR);
        ::close(ascolto_);
        filo_.join();
    }
    std::string indirizzo(const std::string& percorso) const
    {
        return "http://127.0.0.1:" + std::to_string(porta_) + percorso;
    }

private:
    void servi()
    {
        while (!fine_) {
            const int c = ::accept(ascolto_, nullptr, nullptr);
            if (c < 0)
                return;
            std::string richiesta;
            char b[4096];
            while (richiesta.find("\r\n\r\n") == std::string::npos) {
                const auto letti = ::recv(c, b, sizeof b, 0);
                if (letti <= 0)
                    break;
                richiesta.append(b, static_cast<std::size_t>(letti));
            }
            const auto inizio = richiesta.find(' ') + 1;
            const std::string percorso = richiesta.substr(inizio, richiesta.find(' ', inizio) - inizio);
            const auto p = pagine_.find(percorso);
            const std::string corpo = p == pagine_.end() ? std::string("<html>404 Not Found</html>") : p->second;
            std::string risposta = std::string(p == pagine_.end() ? "HTTP/1.1 404 Not Found" : "HTTP/1.1 200 OK")
                                   + "\r\nContent-Type: application/zip\r\nContent-Length: " + std::to_string(corpo.size())
                                   + "\r\nConnection: close\r\n\r\n" + corpo;
            for (std::size_t scritti = 0; scritti < risposta.size();) {
                const auto n = ::send(c, risposta.data() + scritti, risposta.size() - scritti, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                scritti += static_cast<std::size_t>(n);
            }
            ::close(c);
        }
    }

    std::map<std::string, std::string> pagine_;
    int ascolto_ = -1;
    int porta_ = 0;
    std::atomic<bool> fine_{false};
    std::thread filo_;
};

// A port on 127.0.0.1 where nobody listens: taken, then given back.
inline std::string indirizzoIrraggiungibile()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(s);
    return "http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/storico.zip";
}

}
