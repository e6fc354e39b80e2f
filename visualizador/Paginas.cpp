#include "Paginas.h"

#include "util/Windows1252.h"

#include <QFile>
#include <algorithm>

namespace visualizador {

namespace {

constexpr int paradaTabulacao = 8;

QString expandeTabulacoes(const QString &linha) {
    if (!linha.contains(u'\t'))
        return linha;
    QString saida;
    for (QChar c : linha) {
        if (c == u'\t')
            saida += QString(paradaTabulacao - saida.size() % paradaTabulacao, u' ');
        else
            saida += c;
    }
    return saida;
}

Pagina separaLinhas(QString texto) {
    if (texto.isEmpty())
        return {};
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(u'\r', u'\n');
    if (texto.endsWith(u'\n'))
        texto.chop(1);
    Pagina linhas = texto.split(u'\n');
    for (QString &linha : linhas)
        linha = expandeTabulacoes(linha);
    return linhas;
}

} // namespace

QList<Pagina> separaPaginas(const QString &texto) {
    QStringList partes = texto.split(u'\f');
    if (partes.size() > 1 && partes.last().isEmpty())
        partes.removeLast();
    QList<Pagina> paginas;
    paginas.reserve(partes.size());
    for (const QString &parte : partes)
        paginas.append(separaLinhas(parte));
    return paginas;
}

std::optional<QList<Pagina>> lePaginas(const QString &arquivo) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return separaPaginas(windows1252::decodifica(f.readAll()));
}

int larguraMaxima(const QList<Pagina> &paginas) {
    qsizetype maior = 0;
    for (const Pagina &p : paginas)
        for (const QString &linha : p)
            maior = std::max(maior, linha.size());
    return static_cast<int>(maior);
}

} // namespace visualizador
