#include "Registro.h"

#include "ErroBolix.h"

#include <QSaveFile>

#include <algorithm>

namespace bolix {

QByteArray textoBancario(QStringView texto) {
    QByteArray ascii;
    ascii.reserve(texto.size());
    bool simples = true;
    for (QChar c : texto)
        simples = simples && c.unicode() < 0x80;
    const QString decomposto =
        simples ? texto.toString() : texto.toString().normalized(QString::NormalizationForm_KD);
    for (QChar c : decomposto) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const char16_t u = c.unicode();
        ascii += u >= 0x20 && u < 0x7F ? char(u >= 'a' && u <= 'z' ? u - 32 : u) : ' ';
    }
    return ascii;
}

Registro &Registro::numero(int inicio, int fim, std::int64_t valor) {
    if (valor < 0)
        throw ErroBolix(
            QStringLiteral("Valor negativo na posição %1 a %2: %3.").arg(inicio).arg(fim).arg(valor));
    return digitos(inicio, fim, QString::number(valor));
}

Registro &Registro::digitos(int inicio, int fim, QStringView digitos) {
    const int largura = fim - inicio + 1;
    if (digitos.size() > largura)
        throw ErroBolix(
            QStringLiteral("\"%1\" não cabe nas posições %2 a %3.").arg(digitos).arg(inicio).arg(fim));
    char *p = linha_.data() + inicio - 1;
    const qsizetype zeros = largura - digitos.size();
    std::fill(p, p + zeros, '0');
    for (qsizetype i = 0; i < digitos.size(); ++i)
        p[zeros + i] = char(digitos[i].unicode());
    return *this;
}

Registro &Registro::texto(int inicio, int fim, QStringView texto) {
    return textoExato(inicio, fim, textoBancario(texto));
}

Registro &Registro::textoExato(int inicio, int fim, QByteArrayView ascii) {
    const QByteArrayView cabe = ascii.first(std::min<qsizetype>(ascii.size(), fim - inicio + 1));
    char *campo = linha_.data() + inicio - 1;
    std::fill(std::copy(cabe.begin(), cabe.end(), campo), campo + (fim - inicio + 1), ' ');
    return *this;
}

Registro &Registro::data(int inicio, const QDate &d) {
    return digitos(inicio, inicio + 7,
                   d.isNull() ? QStringLiteral("00000000") : d.toString(QStringLiteral("ddMMyyyy")));
}

Registro &Registro::dataAnoMesDia(int inicio, const QDate &d) {
    return digitos(inicio, inicio + 7,
                   d.isNull() ? QStringLiteral("00000000") : d.toString(QStringLiteral("yyyyMMdd")));
}

Registro &Registro::dataCurta(int inicio, const QDate &d) {
    return digitos(inicio, inicio + 5,
                   d.isNull() ? QStringLiteral("000000") : d.toString(QStringLiteral("ddMMyy")));
}

void gravaLinhas(const QString &caminho, const QList<QByteArray> &linhas, const QByteArray &marcaFinal) {
    // Unbuffered: a buffered save flushed at commit can take a short write on a full disk for success and
    // leave a cut file; written straight, the write that does not fit fails with the system's reason.
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ErroBolix(
            QStringLiteral("Não foi possível criar o arquivo %1: %2.").arg(caminho, arquivo.errorString()));
    QByteArray dados;
    dados.reserve(linhas.size() * (linhas.isEmpty() ? 0 : linhas.first().size() + 2));
    for (const QByteArray &linha : linhas)
        dados += linha + "\r\n";
    dados += marcaFinal;
    const auto falhou = [&] {
        return ErroBolix(
            QStringLiteral("Não foi possível gravar o arquivo %1: %2.").arg(caminho, arquivo.errorString()));
    };
    // A short write is followed by another, which gives the reason the first stopped.
    for (qint64 gravados = 0; gravados < dados.size();) {
        const qint64 n = arquivo.write(dados.constData() + gravados, dados.size() - gravados);
        if (n <= 0)
            throw falhou();
        gravados += n;
    }
    if (!arquivo.commit())
        throw falhou();
}

} // namespace bolix
