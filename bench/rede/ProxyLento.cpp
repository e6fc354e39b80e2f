#include "bench/rede/ProxyLento.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <condition_variable>
#include <deque>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

using Relogio = std::chrono::steady_clock;

[[noreturn]] void falha(const char *oQue, const QString &onde) {
    qFatal("proxy: %s %s: %s", oQue, qPrintable(onde), std::strerror(errno));
}

sockaddr_un enderecoUnix(const QString &caminho) {
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    const QByteArray c = QFile::encodeName(caminho);
    if (size_t(c.size()) >= sizeof a.sun_path)
        qFatal("proxy: socket path too long: %s", c.constData());
    std::memcpy(a.sun_path, c.constData(), size_t(c.size()));
    return a;
}

int escutaEm(const QString &escuta) {
    const qsizetype doisPontos = escuta.lastIndexOf(u':');
    int s = -1;
    if (doisPontos > 0 && !escuta.contains(u'/')) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(quint16(escuta.mid(doisPontos + 1).toUInt()));
        if (inet_pton(AF_INET, escuta.left(doisPontos).toLatin1().constData(), &a.sin_addr) != 1)
            qFatal("proxy: not an IPv4 address: %s", qPrintable(escuta));
        s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int sim = 1;
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &sim, sizeof sim);
        if (bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0)
            falha("cannot listen on", escuta);
    } else {
        QFile::remove(escuta);
        const sockaddr_un a = enderecoUnix(escuta);
        s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (bind(s, reinterpret_cast<const sockaddr *>(&a), sizeof a) != 0)
            falha("cannot listen on", escuta);
    }
    if (listen(s, 16) != 0)
        falha("cannot listen on", escuta);
    return s;
}

bool escreveTudo(int s, const char *dados, size_t n) {
    while (n > 0) {
        const ssize_t w = send(s, dados, n, MSG_NOSIGNAL);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        dados += w;
        n -= size_t(w);
    }
    return true;
}

} // namespace

// One direction of a connection: a reader stamps each chunk with the moment it is due, a writer sends it
// then. Either end closing closes the other's writing side once what was read has gone.
class Sentido {
public:
    Sentido(int de, int para, const std::atomic<std::chrono::microseconds> &meiaVolta)
        : de_(de), para_(para), meiaVolta_(meiaVolta), leitor_([this] { le(); }),
          escritor_([this] { escreve(); }) {}
    ~Sentido() {
        leitor_.join();
        escritor_.join();
    }

private:
    void le() {
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            const ssize_t n = recv(de_, buffer.data(), buffer.size(), 0);
            if (n < 0 && errno == EINTR)
                continue;
            std::lock_guard trava(mutex_);
            if (n <= 0) {
                fim_ = true;
                pronto_.notify_one();
                return;
            }
            fila_.push_back({Relogio::now() + meiaVolta_.load(), std::string(buffer.data(), size_t(n))});
            pronto_.notify_one();
        }
    }

    void escreve() {
        for (;;) {
            std::unique_lock trava(mutex_);
            pronto_.wait(trava, [this] { return !fila_.empty() || fim_; });
            if (fila_.empty()) {
                shutdown(para_, SHUT_WR);
                return;
            }
            auto [quando, bytes] = std::move(fila_.front());
            fila_.pop_front();
            trava.unlock();
            std::this_thread::sleep_until(quando);
            if (!escreveTudo(para_, bytes.data(), bytes.size())) {
                // The other end is gone: stop reading for it too.
                shutdown(de_, SHUT_RD);
                trava.lock();
                fila_.clear();
            }
        }
    }

    int de_;
    int para_;
    const std::atomic<std::chrono::microseconds> &meiaVolta_;
    std::mutex mutex_;
    std::condition_variable pronto_;
    std::deque<std::pair<Relogio::time_point, std::string>> fila_;
    bool fim_ = false;
    std::thread leitor_;
    std::thread escritor_;
};

// Closed once both directions are done with it.
struct Descritor {
    ~Descritor() { close(fd); }
    int fd;
};

struct ProxyLento::Ligacao {
    Ligacao(int cliente, int servidor, const std::atomic<std::chrono::microseconds> &meiaVolta)
        : cliente{cliente}, servidor{servidor}, ida(cliente, servidor, meiaVolta),
          volta(servidor, cliente, meiaVolta) {}
    // Unblocks both directions' readers.
    void encerra() const {
        shutdown(cliente.fd, SHUT_RDWR);
        shutdown(servidor.fd, SHUT_RDWR);
    }
    Descritor cliente;
    Descritor servidor;
    Sentido ida;
    Sentido volta;
};

ProxyLento::ProxyLento(const QString &servidor, const QString &escuta)
    : servidor_(servidor), escuta_(escutaEm(escuta)), aceitador_([this] { aceita(); }) {}

ProxyLento::~ProxyLento() {
    shutdown(escuta_, SHUT_RDWR);
    aceitador_.join();
    close(escuta_);
    std::lock_guard trava(mutex_);
    for (const auto &l : ligacoes_)
        l->encerra();
    ligacoes_.clear();
}

void ProxyLento::aceita() {
    for (;;) {
        const int cliente = accept4(escuta_, nullptr, nullptr, SOCK_CLOEXEC);
        if (cliente < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return; // shut down
        }
        const int sim = 1;
        setsockopt(cliente, IPPROTO_TCP, TCP_NODELAY, &sim, sizeof sim);
        const sockaddr_un a = enderecoUnix(servidor_);
        const int servidor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (connect(servidor, reinterpret_cast<const sockaddr *>(&a), sizeof a) != 0)
            falha("cannot reach the server at", servidor_);
        std::lock_guard trava(mutex_);
        ligacoes_.push_back(std::make_unique<Ligacao>(cliente, servidor, meiaVolta_));
    }
}

QString HostComIdaEVolta(int ms) {
    if (ms == 0)
        return {};
    const qint64 pid = QCoreApplication::applicationPid();
    static const QString endereco = QStringLiteral("127.%1.%2.1").arg(1 + pid / 250 % 250).arg(pid % 250);
    static ProxyLento proxy(qEnvironmentVariable("MYSQL_UNIX_PORT"), endereco + QStringLiteral(":3306"));
    proxy.defineIdaEVolta(std::chrono::milliseconds(ms));
    return endereco;
}
