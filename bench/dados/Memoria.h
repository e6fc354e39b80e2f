#pragma once

#include <QByteArray>
#include <QFile>
#include <malloc.h>

// The process's peak resident memory is set back to what it holds now, so each benchmark reports its own.
inline void recomecaPicoDeMemoria() {
    malloc_trim(0);
    QFile limpa(QStringLiteral("/proc/self/clear_refs"));
    if (limpa.open(QIODevice::WriteOnly))
        limpa.write("5");
}

// A line of /proc/self/status in kB: "VmHWM", the peak since the last reset, or "VmRSS", what is held now.
inline double memoriaKb(const char *campo) {
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefixo = QByteArray(campo) + ':';
    for (const QByteArray &linha : estado.readAll().split('\n'))
        if (linha.startsWith(prefixo))
            return linha.mid(prefixo.size()).trimmed().split(' ').value(0).toDouble();
    return 0;
}

inline double picoDeMemoriaKb() {
    return memoriaKb("VmHWM");
}
