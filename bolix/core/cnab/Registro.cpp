#include "bolix/core/cnab/Registro.h"

#include "bolix/core/ErroBolix.h"

#include <QSaveFile>

#include <algorithm>
#include <array>

namespace bolix {

namespace {

char caractereBancario(char16_t u) {
    return u >= 0x20 && u < 0x7F ? char(u >= 'a' && u <= 'z' ? u - 32 : u) : ' ';
}

// Zero-padded digits of a value known to fit, written from the right.
void escreveDigitos(char *p, int largura, std::int64_t valor) {
    for (int i = largura - 1; i >= 0; --i, valor /= 10)
        p[i] = char('0' + valor % 10);
}

int quantosDigitos(std::int64_t valor) {
    int n = 1;
    for (; valor >= 10; valor /= 10)
        ++n;
    return n;
}

// Decomposes the text and drops its accents. Every Latin-1 character decomposes on its own, so texts
// made only of them (the usual Portuguese names) take a table built once instead: decomposing dominated
// writing a remittance.
QByteArray textoDecomposto(QStringView texto) {
    QByteArray ascii;
    for (QChar c : texto.toString().normalized(QString::NormalizationForm_KD))
        if (c.category() != QChar::Mark_NonSpacing)
            ascii += caractereBancario(c.unicode());
    return ascii;
}

const std::array<QByteArray, 256> &latin1Bancario() {
    static const std::array<QByteArray, 256> tabela = [] {
        std::array<QByteArray, 256> t;
        for (char16_t u = 0; u < 256; ++u)
            t[u] = textoDecomposto(QStringView(&u, 1));
        return t;
    }();
    return tabela;
}

} // namespace

QByteArray textoBancario(QStringView texto) {
    if (!std::all_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() < 0x100; }))
        return textoDecomposto(texto);
    QByteArray ascii;
    ascii.reserve(texto.size());
    const auto &tabela = latin1Bancario();
    for (QChar c : texto) {
        if (c.unicode() < 0x80)
            ascii += caractereBancario(c.unicode());
        else
            ascii += tabela[c.unicode()];
    }
    return ascii;
}

Registro &Registro::numero(int inicio, int fim, std::int64_t valor) {
    if (valor < 0)
        throw ErroBolix(
            QStringLiteral("Valor negativo na posição %1 a %2: %3.").arg(inicio).arg(fim).arg(valor));
    if (quantosDigitos(valor) > fim - inicio + 1)
        return digitos(inicio, fim, QString::number(valor)); // refused there, naming the value
    escreveDigitos(linha_.data() + inicio - 1, fim - inicio + 1, valor);
    return *this;
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

// Dates are written digit by digit: formatting them through the locale costs more than the record.
Registro &Registro::data(int inicio, const QDate &d) {
    char *p = linha_.data() + inicio - 1;
    escreveDigitos(p, 2, d.isNull() ? 0 : d.day());
    escreveDigitos(p + 2, 2, d.isNull() ? 0 : d.month());
    escreveDigitos(p + 4, 4, d.isNull() ? 0 : d.year());
    return *this;
}

Registro &Registro::dataAnoMesDia(int inicio, const QDate &d) {
    char *p = linha_.data() + inicio - 1;
    escreveDigitos(p, 4, d.isNull() ? 0 : d.year());
    escreveDigitos(p + 4, 2, d.isNull() ? 0 : d.month());
    escreveDigitos(p + 6, 2, d.isNull() ? 0 : d.day());
    return *this;
}

Registro &Registro::dataCurta(int inicio, const QDate &d) {
    char *p = linha_.data() + inicio - 1;
    escreveDigitos(p, 2, d.isNull() ? 0 : d.day());
    escreveDigitos(p + 2, 2, d.isNull() ? 0 : d.month());
    escreveDigitos(p + 4, 2, d.isNull() ? 0 : d.year() % 100);
    return *this;
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
