#include "retorno/RetornosBaixados.h"

#include "util/Erro.h"
#include "util/Regional.h"
#include "util/Windows1252.h"

#include <QFile>

namespace {
const QString formatoData = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

RetornosBaixados::RetornosBaixados(QString caminho) : caminho_(std::move(caminho)) {}

std::optional<QDateTime> RetornosBaixados::baixadoEm(const QByteArray &impressao) const {
    QFile arquivo(caminho_);
    if (!arquivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<QDateTime> ultima;
    while (!arquivo.atEnd()) {
        const QList<QByteArray> partes = arquivo.readLine().trimmed().split(' ');
        if (partes.size() >= 3 && partes[0] == impressao)
            ultima = QDateTime::fromString(QString::fromLatin1(partes[1] + ' ' + partes[2]), formatoData);
    }
    return ultima;
}

void RetornosBaixados::registra(const QByteArray &impressao, const QDateTime &quando,
                                const QString &arquivo) const {
    QFile f(caminho_);
    const QByteArray linha = impressao + ' ' + quando.toString(formatoData).toLatin1() + ' ' +
                             windows1252::codifica(arquivo) + "\r\n";
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append) || f.write(linha) != linha.size() || !f.flush())
        throw Erro(QStringLiteral("Não foi possível gravar o registro dos retornos baixados em %1: %2.")
                       .arg(caminho_, f.errorString()));
}

QString PerguntaRetornoJaBaixado(const QDateTime &quando) {
    return QStringLiteral("Este arquivo retorno já foi processado em %1.\rDeseja processá-lo novamente?")
        .arg(Regional::atual().formataDataHora(quando, u"dd/mm/yyyy hh:nn"));
}
