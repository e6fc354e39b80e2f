#include "bolix/core/pix/BrCode.h"

#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Registro.h"

#include <QSet>

namespace bolix {

namespace {

constexpr int maximoBrCode = 512;
constexpr int maximoLocation = 77;

QString objeto(QStringView id, const QString &valor) {
    return id.toString() + QStringLiteral("%1").arg(valor.size(), 2, 10, QLatin1Char('0')) + valor;
}

[[noreturn]] void recusa(const QString &motivo) {
    throw ErroBolix(QStringLiteral("QR Code Pix do banco inválido: %1.").arg(motivo));
}

struct Objeto {
    QString id;
    QString valor;
};

// The objects of a TLV text; refuses a length that runs past the end.
QList<Objeto> objetos(const QString &texto) {
    QList<Objeto> lista;
    for (qsizetype i = 0; i < texto.size();) {
        if (i + 4 > texto.size())
            recusa(QStringLiteral("objeto incompleto na posição %1").arg(i + 1));
        // Two digits, as the BR Code gives them: no blank, no sign.
        const QChar d1 = texto[i + 2], d2 = texto[i + 3];
        const bool numero = d1 >= u'0' && d1 <= u'9' && d2 >= u'0' && d2 <= u'9';
        if (!numero)
            recusa(QStringLiteral("o objeto %1 tem o comprimento \"%2\", que não são dois dígitos")
                       .arg(texto.mid(i, 2), texto.mid(i + 2, 2)));
        const int tamanho = (d1.unicode() - u'0') * 10 + (d2.unicode() - u'0');
        if (i + 4 + tamanho > texto.size())
            recusa(QStringLiteral("o objeto %1 passa do fim do texto").arg(texto.mid(i, 2)));
        lista.append({texto.mid(i, 2), texto.mid(i + 4, tamanho)});
        i += 4 + tamanho;
    }
    return lista;
}

void conferePix(const QString &template26) {
    bool gui = false, destino = false;
    for (const Objeto &o : objetos(template26)) {
        gui = gui || (o.id == u"00" && o.valor.compare(u"br.gov.bcb.pix", Qt::CaseInsensitive) == 0);
        destino = destino || o.id == u"25" || o.id == u"01";
    }
    if (!gui || !destino)
        recusa(QStringLiteral("o objeto 26 não é um Pix (identificador br.gov.bcb.pix e location ou chave)"));
}

} // namespace

QString crcBrCode(QByteArrayView texto) {
    quint16 crc = 0xFFFF;
    for (const char c : texto) {
        crc ^= quint16(quint8(c)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x8000 ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return QStringLiteral("%1").arg(crc, 4, 16, QLatin1Char('0')).toUpper();
}

QString brCodeDaLocation(const QString &location, const QString &nomeBeneficiario, const QString &cidade) {
    const QString url = location.trimmed();
    if (url.isEmpty() || url.size() > maximoLocation)
        recusa(QStringLiteral("location com %1 caracteres (de 1 a %2)").arg(url.size()).arg(maximoLocation));
    const auto ascii = [](const QString &t, int tamanho) {
        return QString::fromLatin1(textoBancario(t.simplified()).left(tamanho)).trimmed();
    };
    const QString pix = objeto(u"00", QStringLiteral("br.gov.bcb.pix")) + objeto(u"25", url);
    const QString texto = objeto(u"00", QStringLiteral("01")) + objeto(u"01", QStringLiteral("12")) +
                          objeto(u"26", pix) + objeto(u"52", QStringLiteral("0000")) +
                          objeto(u"53", QStringLiteral("986")) + objeto(u"58", QStringLiteral("BR")) +
                          objeto(u"59", ascii(nomeBeneficiario, 25)) + objeto(u"60", ascii(cidade, 15)) +
                          objeto(u"62", objeto(u"05", QStringLiteral("***"))) + QStringLiteral("6304");
    return texto + crcBrCode(texto.toLatin1());
}

QString brCodeConferido(const QString &emv) {
    QString texto = emv;
    while (texto.endsWith(u' '))
        texto.chop(1);
    if (texto.size() > maximoBrCode)
        recusa(QStringLiteral("%1 caracteres (até %2)").arg(texto.size()).arg(maximoBrCode));
    const QList<Objeto> lista = objetos(texto);
    if (lista.isEmpty() || lista.first().id != u"00" || lista.first().valor != u"01")
        recusa(QStringLiteral("não começa pelo objeto 00 com 01"));
    QSet<QString> vistos;
    const Objeto *pix = nullptr;
    for (const Objeto &o : lista) {
        if (vistos.contains(o.id))
            recusa(QStringLiteral("o objeto %1 se repete").arg(o.id));
        vistos.insert(o.id);
        if (o.id == u"26")
            pix = &o;
    }
    if (!pix)
        recusa(QStringLiteral("falta o objeto 26 (Pix)"));
    conferePix(pix->valor);
    const Objeto &crc = lista.last();
    static const QString hexa = QStringLiteral("0123456789ABCDEF");
    if (crc.id != u"63" || crc.valor.size() != 4 ||
        !std::all_of(crc.valor.cbegin(), crc.valor.cend(), [](QChar c) { return hexa.contains(c); }))
        recusa(QStringLiteral("não termina pelo CRC (6304 e quatro dígitos hexadecimais)"));
    const QString esperado = crcBrCode(texto.chopped(4).toUtf8());
    if (crc.valor != esperado)
        recusa(QStringLiteral("CRC %1, o texto dá %2").arg(crc.valor, esperado));
    return texto;
}

} // namespace bolix
