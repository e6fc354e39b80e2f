#include "bolix/core/Digitos.h"

#include <algorithm>

namespace bolix {

namespace {

int digito(QChar c) {
    return c.unicode() - '0';
}

// Sum of digit × weight, weights cycling from `inicio` to `fim` starting at the rightmost digit.
int somaPesosDaDireita(QStringView digitos, int inicio, int fim) {
    int soma = 0;
    int peso = inicio;
    for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
        soma += digito(digitos[i]) * peso;
        peso = peso == fim ? inicio : peso + 1;
    }
    return soma;
}

} // namespace

QString soDigitos(QStringView texto) {
    QString digitos;
    for (QChar c : texto)
        if (c >= u'0' && c <= u'9')
            digitos += c;
    return digitos;
}

bool soTemDigitos(QStringView texto) {
    if (texto.isEmpty())
        return false;
    for (QChar c : texto)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString zerosEsquerda(QStringView digitos, int largura) {
    const qsizetype zeros = qMax<qsizetype>(0, largura - digitos.size());
    QString r(zeros + digitos.size(), u'0');
    std::copy(digitos.begin(), digitos.end(), r.begin() + zeros);
    return r;
}

QString semZerosEsquerda(QStringView digitos) {
    qsizetype i = 0;
    while (i + 1 < digitos.size() && digitos[i] == u'0')
        ++i;
    return digitos.mid(i).toString();
}

int modulo10(QStringView digitos) {
    int soma = 0;
    int peso = 2;
    for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
        const int produto = digito(digitos[i]) * peso;
        soma += produto > 9 ? produto - 9 : produto;
        peso = 3 - peso;
    }
    return (10 - soma % 10) % 10;
}

int modulo11Geral(QStringView digitos) {
    const int resultado = 11 - somaPesosDaDireita(digitos, 2, 9) % 11;
    return resultado >= 10 ? 1 : resultado;
}

QChar modulo11BancoDoBrasil(QStringView digitos) {
    const int resultado = 11 - somaPesosDaDireita(digitos, 2, 9) % 11;
    if (resultado == 10)
        return u'X';
    return QChar(u'0' + resultado % 11);
}

int modulo11Caixa(QStringView digitos) {
    const int resultado = 11 - somaPesosDaDireita(digitos, 2, 9) % 11;
    return resultado > 9 ? 0 : resultado;
}

QChar modulo11Bradesco(QStringView digitos) {
    const int resto = somaPesosDaDireita(digitos, 2, 7) % 11;
    if (resto == 0)
        return u'0';
    if (resto == 1)
        return u'P';
    return QChar(u'0' + 11 - resto);
}

int modulo11Sicoob(QStringView digitos) {
    static constexpr int pesos[] = {3, 1, 9, 7};
    int soma = 0;
    for (qsizetype i = 0; i < digitos.size(); ++i)
        soma += digito(digitos[i]) * pesos[i % 4];
    const int resto = soma % 11;
    return resto <= 1 ? 0 : 11 - resto;
}

int modulo11Santander(QStringView digitos) {
    const int resto = somaPesosDaDireita(digitos, 2, 9) % 11;
    if (resto <= 1)
        return 0;
    return resto == 10 ? 1 : 11 - resto;
}

int modulo11Sicredi(QStringView digitos) {
    const int resto = somaPesosDaDireita(digitos, 2, 9) % 11;
    return resto <= 1 ? 0 : 11 - resto;
}

QString ncBanrisul(QStringView digitos) {
    int primeiro = modulo10(digitos);
    for (;;) {
        const QString comPrimeiro = digitos.toString() + QChar(u'0' + primeiro);
        const int resto = somaPesosDaDireita(comPrimeiro, 2, 7) % 11;
        if (resto == 1) {
            primeiro = (primeiro + 1) % 10;
            continue;
        }
        const int segundo = resto == 0 ? 0 : 11 - resto;
        return comPrimeiro.right(1) + QChar(u'0' + segundo);
    }
}

} // namespace bolix
