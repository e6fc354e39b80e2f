#pragma once

#include <QString>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

// A network on one machine, for the benchmarks: accepts connections on loopback TCP or on a Unix socket and
// forwards each to the server's Unix socket, holding every chunk of bytes for half the round trip in each
// direction. Chunks keep their order and each waits from its own arrival, so a request of many packets
// costs one round trip, as on a link with latency and ample bandwidth.
class ProxyLento {
public:
    // `servidor`: the server's socket. `escuta`: "a.b.c.d:port" (an address of 127.0.0.0/8) or a path.
    // Anything that fails stops the benchmark.
    ProxyLento(const QString &servidor, const QString &escuta);
    ~ProxyLento();
    ProxyLento(const ProxyLento &) = delete;
    ProxyLento &operator=(const ProxyLento &) = delete;

    // The round trip from now on; 0 forwards at once.
    void defineIdaEVolta(std::chrono::microseconds idaEVolta) { meiaVolta_ = idaEVolta / 2; }

private:
    struct Ligacao;
    void aceita();

    QString servidor_;
    int escuta_ = -1;
    std::atomic<std::chrono::microseconds> meiaVolta_{std::chrono::microseconds(0)};
    std::mutex mutex_;
    std::list<std::unique_ptr<Ligacao>> ligacoes_;
    std::thread aceitador_;
};

// The host through which a benchmark's connection reaches the server (MYSQL_UNIX_PORT) with a round trip of
// `ms`: empty, the server's own socket, for 0; otherwise the address of this process's proxy, made on
// first use on port 3306 (the program's) of a loopback address of its own, so that benchmarks run side by
// side never meet.
QString HostComIdaEVolta(int ms);

// A click's benchmark at round trips (ida_e_volta_ms) of 0, 1 and 20 ms: one manually timed iteration,
// five repetitions. Pass to BENCHMARK(...)->Apply.
inline void EmCadaIdaEVolta(benchmark::internal::Benchmark *b) {
    b->ArgName("ida_e_volta_ms")
        ->Arg(0)
        ->Arg(1)
        ->Arg(20)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(5);
}
