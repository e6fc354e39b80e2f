#include "Paginas.h"

#include <QFile>
#include <algorithm>

namespace visualizador {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the unassigned codes.
constexpr char16_t faixa80a9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

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

QString deWindows1252(const QByteArray &bytes) {
    QString texto(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const char16_t especial = (b >= 0x80 && b <= 0x9F) ? faixa80a9F[b - 0x80] : 0;
        texto[i] = QChar(especial ? especial : b);
    }
    return texto;
}

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
    return separaPaginas(deWindows1252(f.readAll()));
}

int larguraMaxima(const QList<Pagina> &paginas) {
    qsizetype maior = 0;
    for (const Pagina &p : paginas)
        for (const QString &linha : p)
            maior = std::max(maior, linha.size());
    return static_cast<int>(maior);
}

} // namespace visualizador
