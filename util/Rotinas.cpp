#include "util/Rotinas.h"

#include "util/Erro.h"
#include "util/Mensagens.h"
#include "util/Plataforma.h"
#include "util/Windows1252.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

// The key's characters in turn, from the first, over and over.
class Chave {
public:
    explicit Chave(QByteArrayView chave) : chave_(chave) {
        if (chave_.isEmpty())
            throw Erro(QStringLiteral("A chave da cifra não pode ser vazia."));
    }
    int proxima() { return static_cast<unsigned char>(chave_[i_++ % chave_.size()]); }

private:
    QByteArrayView chave_;
    qsizetype i_ = 0;
};

QByteArray hexa2(int valor) {
    return QByteArray::number(valor, 16).rightJustified(2, '0').toUpper();
}

QByteArray cifra(QByteArrayView texto, QByteArrayView chave) {
    Chave k(chave);
    int anterior = QRandomGenerator::global()->bounded(256);
    QByteArray saida = hexa2(anterior);
    for (char c : texto) {
        // 255, not 256: the stored passwords of the installation were made this way.
        const int v = ((static_cast<unsigned char>(c) + anterior) % 255) ^ k.proxima();
        saida += hexa2(v);
        anterior = v;
    }
    return saida;
}

void exigeHexadecimal(QByteArrayView texto) {
    bool ok = texto.size() >= 3;
    for (char c : texto)
        ok = ok && std::isxdigit(static_cast<unsigned char>(c));
    if (!ok)
        throw Erro(
            QStringLiteral("'%1' não é um valor hexadecimal válido").arg(windows1252::decodifica(texto)));
}

int valorHexa(QByteArrayView digitos) {
    return digitos.toByteArray().toInt(nullptr, 16);
}

QByteArray decifra(QByteArrayView texto, QByteArrayView chave) {
    exigeHexadecimal(texto);
    Chave k(chave);
    int anterior = valorHexa(texto.first(2));
    QByteArray saida;
    qsizetype pos = 2;
    do {
        const int atual = valorHexa(texto.sliced(pos, std::min<qsizetype>(2, texto.size() - pos)));
        const int x = atual ^ k.proxima();
        // Codes run from 1 to 255: a 255 enciphered after a 255 comes out as 255, where a plain
        // subtraction would give 0.
        saida += char((x - anterior - 1 + 2 * 255) % 255 + 1);
        anterior = atual;
        pos += 2;
    } while (pos + 1 < texto.size());
    return saida;
}

int valorDigito(QChar c) {
    if (c < u'0' || c > u'9')
        throw Erro(QStringLiteral("'%1' não é um valor inteiro válido").arg(c));
    return c.unicode() - u'0';
}

} // namespace

QByteArray CifraBytes(const QString &modo, const QString &texto, const QString &chave) {
    if (modo == u"E")
        return cifra(windows1252::codifica(texto), windows1252::codifica(chave));
    if (modo == u"D")
        return decifra(windows1252::codifica(texto), windows1252::codifica(chave));
    return {};
}

QString Cifra(const QString &modo, const QString &texto, const QString &chave) {
    return windows1252::decodifica(CifraBytes(modo, texto, chave));
}

QString FilialParaLojasLeram(int filial) {
    static constexpr char simbolos[] = "@#$&+-!()={}[]<>;:";
    if (filial >= 80)
        throw Erro(QStringLiteral("O filial_id %1 não pode ser convertido para um \"lojas_leram\" válido")
                       .arg(filial));
    char marca;
    if (filial == 1)
        marca = '*';
    else if (filial < 10)
        marca = char(48 + filial); // negative ids wrap round the byte, as the management system's do
    else if (filial < 36)
        marca = char('A' + filial - 10);
    else if (filial < 54)
        marca = simbolos[filial - 36];
    else
        marca = char('a' + filial - 54);
    return windows1252::decodifica(QByteArrayView(&marca, 1));
}

void Aviso(const QString &mensagem) {
    plataforma::BlockInput(false);
    Mensagens::atual().aviso(mensagem);
}

QString RemoveAspas(const QString &texto) {
    return QString(texto).remove(u'"');
}

QString LimpaAspas(const QString &texto) {
    return RemoveAspas(texto).remove(u'\'');
}

QString SoNumeros(const QString &texto) {
    QString digitos;
    for (QChar c : texto)
        if (c >= u'0' && c <= u'9')
            digitos += c;
    return digitos;
}

QString SimNao(const QString &texto) {
    const QString maiusculo =
        texto.size() == 1 && texto[0] >= u'a' && texto[0] <= u'z' ? texto.toUpper() : texto;
    return maiusculo == u"S" ? maiusculo : QStringLiteral("N");
}

QString PreencheEsquerda(const QString &texto, const QString &preenche, int largura) {
    return largura > texto.size() ? preenche.repeated(largura - texto.size()) + texto : texto;
}

Money Arredonda(Money valor) {
    const std::int64_t unidades = valor.unidades();
    std::int64_t centavos = unidades / 100;
    const std::int64_t sobra = std::abs(unidades % 100);
    if (sobra > 50 || (sobra == 50 && centavos % 2 != 0))
        centavos += unidades < 0 ? -1 : 1;
    return Money::deCentavos(centavos);
}

QString DigitoModulo(const QString &digitos, const QString &pesos, int modulo, bool resto) {
    for (QChar c : digitos + pesos)
        valorDigito(c);
    if (pesos.isEmpty() && !digitos.isEmpty())
        throw Erro(QStringLiteral("Não há pesos para o cálculo do dígito."));
    if (modulo == 0)
        throw Erro(QStringLiteral("Divisão por zero"));
    std::int64_t soma = 0;
    for (qsizetype i = 0; i < digitos.size(); ++i)
        soma += valorDigito(digitos[i]) * valorDigito(pesos[i % pesos.size()]);
    const std::int64_t r = soma % modulo;
    if (resto)
        return QString::number(r);
    const std::int64_t digito = modulo - r;
    return digito > 9 ? QStringLiteral("0") : QString::number(digito);
}

automation::Variant IifVariant(bool condicao, const automation::Variant &seVerdadeiro,
                               const automation::Variant &seFalso) {
    return condicao ? seVerdadeiro : seFalso;
}
