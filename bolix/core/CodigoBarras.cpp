#include "bolix/core/CodigoBarras.h"

#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"

namespace bolix {

namespace {

const QDate baseFator(1997, 10, 7);
const QDate reinicioFator(2025, 2, 22);
constexpr int cicloFator = 9000;

QString campoComDigito(QStringView digitos) {
    return digitos.toString() + QString::number(modulo10(digitos));
}

} // namespace

QString fatorVencimento(const QDate &vencimento) {
    if (vencimento.isNull())
        return QStringLiteral("0000");
    qint64 fator;
    if (vencimento >= reinicioFator)
        fator = 1000 + reinicioFator.daysTo(vencimento) % cicloFator;
    else
        fator = baseFator.daysTo(vencimento);
    if (fator < 1000)
        throw ErroBolix(
            QStringLiteral("Data de vencimento %1 anterior a 03/07/2000: sem fator de vencimento.")
                .arg(vencimento.toString(QStringLiteral("dd/MM/yyyy"))));
    return QString::number(fator);
}

QString montaCodigoBarras(QStringView banco, QStringView fator, std::int64_t centavos,
                          QStringView campoLivre) {
    if (centavos < 0 || centavos > 9'999'999'999LL)
        throw ErroBolix(
            QStringLiteral("Valor fora do limite do código de barras: %1 centavos.").arg(centavos));
    if (campoLivre.size() != 25 || !soTemDigitos(campoLivre))
        throw ErroBolix(QStringLiteral("Campo livre inválido: \"%1\".").arg(campoLivre));
    const QString semDigito = banco.toString() + u'9' + fator.toString() +
                              zerosEsquerda(QString::number(centavos), 10) + campoLivre.toString();
    return semDigito.left(4) + QString::number(modulo11Geral(semDigito)) + semDigito.mid(4);
}

QString linhaDigitavel(QStringView codigoBarras) {
    const QString b = codigoBarras.toString();
    return campoComDigito(QString(b.left(4) + b.mid(19, 5))) + campoComDigito(b.mid(24, 10)) +
           campoComDigito(b.mid(34, 10)) + b.mid(4, 15);
}

QString formataLinhaDigitavel(QStringView l) {
    return QStringLiteral("%1.%2 %3.%4 %5.%6 %7 %8")
        .arg(l.mid(0, 5), l.mid(5, 5), l.mid(10, 5), l.mid(15, 6), l.mid(21, 5), l.mid(26, 6), l.mid(32, 1),
             l.mid(33, 14));
}

QString padraoI2of5(QStringView digitos) {
    static const char *const padroes[] = {"nnWWn", "WnnnW", "nWnnW", "WWnnn", "nnWnW",
                                          "WnWnn", "nWWnn", "nnnWW", "WnnWn", "nWnWn"};
    if (digitos.size() % 2 != 0 || !soTemDigitos(digitos))
        throw ErroBolix(QStringLiteral("Código de barras inválido: \"%1\".").arg(digitos));
    QString elementos = QStringLiteral("nnnn");
    for (qsizetype i = 0; i < digitos.size(); i += 2) {
        const char *barras = padroes[digitos[i].unicode() - '0'];
        const char *espacos = padroes[digitos[i + 1].unicode() - '0'];
        for (int k = 0; k < 5; ++k) {
            elementos += QLatin1Char(barras[k]);
            elementos += QLatin1Char(espacos[k]);
        }
    }
    return elementos + QStringLiteral("Wnn");
}

} // namespace bolix
