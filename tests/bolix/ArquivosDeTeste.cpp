#include "ArquivosDeTeste.h"

#include "bolix/core/ErroBolix.h"

#include <QFile>
#include <gtest/gtest.h>

namespace arquivos {

QByteArray leArquivo(const QString &caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray junta(const QList<QByteArray> &linhas) {
    QByteArray bytes;
    for (const QByteArray &l : linhas)
        bytes += l + "\r\n";
    return bytes;
}

void renumera(QList<QByteArray> &linhas) {
    for (qsizetype i = 0; i < linhas.size(); ++i)
        linhas[i].replace(394, 6, QByteArray::number(i + 1).rightJustified(6, '0'));
}

void confereCampos(const QList<QByteArray> &linhas, const std::vector<Campo> &campos) {
    for (const Campo &c : campos) {
        ASSERT_LE(c.linha, linhas.size());
        EXPECT_EQ(linhas[c.linha - 1].mid(c.inicio - 1, c.fim - c.inicio + 1), QByteArray(c.esperado))
            << "line " << c.linha << " positions " << c.inicio << "-" << c.fim;
    }
}

void confereRecusa(const Estrago &estrago, QList<QByteArray> linhas,
                   const std::function<void(const QByteArray &, const QString &)> &le) {
    estrago.estraga(linhas);
    try {
        le(junta(linhas), QStringLiteral("CB0101.ret"));
        FAIL() << "accepted";
    } catch (const bolix::ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"Arquivo de retorno CB0101.ret, ")) << e.what();
        EXPECT_TRUE(e.texto().contains(QString::fromUtf8(estrago.trecho1))) << e.what();
        EXPECT_TRUE(e.texto().contains(QString::fromUtf8(estrago.trecho2))) << e.what();
    }
}

} // namespace arquivos
